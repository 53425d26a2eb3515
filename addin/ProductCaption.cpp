// The caption, messages, help and about of the add-in's commands.
#include "ProductCaption.h"

#include "HostUtils.h"
#include "NVKGUIUtils.h"

#include "HostVersionNames.h"

wchar_t ProductCaption[256] = L"";

void BuildProductCaption(ISldWorks* pSldWorks)
{
    const int index = HostUtils::GetHostVersionIndex(pSldWorks);
    CString caption;
    caption.Format(L"%s %s version %d.%d", L"Facetor for", (LPCWSTR)HostVersionNames[index], 1, 0);
    wcsncpy(ProductCaption, caption, 255);
    ProductCaption[255] = L'\0';
}

void ShowMessage(const wchar_t* text)
{
    CWnd* owner = AfxGetMainWnd();
    MessageBoxW(owner ? owner->m_hWnd : NULL, text, ProductCaption, MB_OK | MB_ICONWARNING);
}

void ShowHelp(ISldWorks* pSldWorks)
{
    BuildProductCaption(pSldWorks);

    // Without the module the path is the host program's, so the help is looked for beside it.
    HMODULE module = GetModuleHandleW(L"Facetor.dll");
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(module, path, MAX_PATH);
    wchar_t drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _wsplitpath(path, drive, dir, fname, ext);
    CString helpPath;
    helpPath.Format(L"%s%sFacetor.chm", drive, dir);

    HINSTANCE result = ShellExecuteW(NULL, L"open", helpPath, L"", NULL, SW_SHOW);
    if ((UINT_PTR)result <= 32)
        ShowMessage(L"Error displaying Facetor for SolidWorks help file.");
}

void ShowAbout(ISldWorks* pSldWorks)
{
    BuildProductCaption(pSldWorks);
    CString caption(ProductCaption);
    NVKGUIUtils::About(caption, NULL);
}
