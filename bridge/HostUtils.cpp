// Host version, main window and document units.
#include "HostUtils.h"

#include "HostVersionNames.h"

#include "wcrt.h"

CString HostUtils::m_strError;

CString HostUtils::GetError()
{
    return m_strError;
}

void HostUtils::SetError(const CString& error)
{
    m_strError = error;
}

int HostUtils::GetHostVersionIndex(ISldWorks* pApp)
{
    BSTR revision = NULL;
    pApp->GetRevisionNumber(&revision);
    CString strRevision(revision);
    SysFreeString(revision);

    // The major revision is the number before the first "."; without a "." there is none.
    int major = _wtoi(strRevision.Left(strRevision.Find(L".", 0)));
    if (major >= 16 && major <= 21)
        return major - 7;
    return 0;
}

int HostUtils::CheckHostVersion(ISldWorks* pApp, int requiredIndex)
{
    if (GetHostVersionIndex(pApp) == requiredIndex)
        return 1;
    // An index outside the table names no version rather than reading past it.
    const int nameIndex = requiredIndex >= 0 && requiredIndex < 15 ? requiredIndex : 0;
    CString message;
    message.Format(L"This add-in is designed to work with %s only", (LPCWSTR)HostVersionNames[nameIndex]);
    MessageBoxW(NULL, message, L"Incompatible SolidWorks Version", MB_OK | MB_ICONWARNING);
    return 0;
}

HWND HostUtils::GetActivePopupWindow()
{
    HWND hActive = GetActiveWindow();
    if (hActive == NULL)
        return NULL;
    return GetLastActivePopup(hActive);
}

// The frame's window handle as the host reports it, a 32-bit int; false on any failure.
static bool GetFrameWindowHandle(ISldWorks* pApp, int* handle)
{
    IHostFrame* pFrame = NULL;
    HRESULT hr = pApp->GetFrame(&pFrame);
    if (hr != S_OK || pFrame == NULL)
        return false;
    hr = pFrame->GetWindowHandle(handle);
    pFrame->Release();
    return hr == S_OK;
}

HWND HostUtils::GetHostFrameHandle(ISldWorks* pApp)
{
    int handle = 0;
    if (!GetFrameWindowHandle(pApp, &handle))
        return NULL;
    return (HWND)(LONG_PTR)handle; // sign-extended, as Windows widens window handles
}

CWnd* HostUtils::GetHostFrameWindow(ISldWorks* pApp)
{
    int handle = 0;
    if (!GetFrameWindowHandle(pApp, &handle) || handle == 0)
        return NULL;
    return CWnd::FromHandle((HWND)(LONG_PTR)handle);
}

int HostUtils::SetDocumentUnits(IModelDoc* pDoc, int unit, double* factor)
{
    // One unit in metres. Feet is 12 inches as the double arithmetic gives it, one unit in the
    // last place below the double nearest to 0.3048.
    static const double factors[5] = {0.001, 0.01, 1.0, 0.0254, 12 * 0.0254};
    *factor = 1.0;
    if (unit >= LengthUnitMillimeters && unit <= LengthUnitFeet)
    {
        pDoc->SetLengthUnit(unit);
        *factor = factors[unit];
    }
    return 1;
}
