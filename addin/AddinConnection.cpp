// Connecting the add-in to the host and disconnecting it.
#include "FacetorAddin.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

CFacetor::CFacetor() : m_lCookie(0), m_lHostMajorRevision(0) {}

STDMETHODIMP CFacetor::ConnectToSW(IDispatch* ThisSW, LONG Cookie, VARIANT_BOOL* IsConnected)
{
    if (ThisSW != NULL)
        ThisSW->QueryInterface(IID_ISldWorks, reinterpret_cast<void**>(&m_pSldWorks));
    m_lCookie = Cookie;
    // Every later step works on the application: without it there is no connection to make.
    if (!m_pSldWorks)
    {
        if (IsConnected != NULL)
            *IsConnected = VARIANT_FALSE;
        return S_OK;
    }

    m_pSldWorks->GetCommandManager(Cookie, &m_pCommandManager);

    // The host calls the commands back by name through IFacetor; the host keeps no reference of
    // its own on it.
    VARIANT_BOOL bStatus = VARIANT_FALSE;
    m_pSldWorks->SetAddinCallbackInfo(LONG(LONG_PTR(_AtlBaseModule.GetModuleInstance())),
                                      static_cast<IFacetor*>(this), Cookie, &bStatus);

    m_lHostMajorRevision = ReadHostMajorRevision();
    AddUserInterface();
    AttachHostEvents();

    if (IsConnected != NULL)
        *IsConnected = VARIANT_TRUE;
    return S_OK;
}

LONG CFacetor::ReadHostMajorRevision()
{
    BSTR revision = NULL;
    m_pSldWorks->GetRevisionNumber(&revision);
    // A missing revision reads as the empty string, which has no number.
    const wchar_t* text = revision != NULL ? revision : L"";
    const int size = WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, NULL, 0, NULL, NULL);
    char* ansi = new char[size > 0 ? size : 1]();
    if (size > 0)
        WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, ansi, size, NULL, NULL);
    // LONG is 32 bits: a number beyond its range reads as the nearest limit.
    const long major = std::clamp<long>(strtol(ansi, NULL, 10), INT32_MIN, INT32_MAX);
    delete[] ansi;
    SysFreeString(revision);
    return LONG(major);
}

STDMETHODIMP CFacetor::DisconnectFromSW(VARIANT_BOOL* IsDisconnected)
{
    RemoveUserInterface();
    const VARIANT_BOOL bDetached = DetachHostEvents();
    if (IsDisconnected != NULL)
        *IsDisconnected = bDetached;
    m_pCommandManager.Release();
    m_pSldWorks.Release();
    // The host is told E_NOTIMPL although the work is done.
    return E_NOTIMPL;
}

ISldWorks* CFacetor::GetHostApplication()
{
    ISldWorks* pApp = m_pSldWorks;
    if (pApp != NULL)
        pApp->AddRef();
    return pApp;
}
