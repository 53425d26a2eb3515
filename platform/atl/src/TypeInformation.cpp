// The module's type library in the registry, and dispatch served from registered type information.
#include "atlbase.h"

#include <string>

namespace ATL
{
namespace
{
std::mutex& TypeInfoMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The module's path and its type library resource.
HRESULT LoadModuleTypeLib(HINSTANCE hInstTypeLib, std::wstring& path, ITypeLib** library)
{
    WCHAR module[MAX_PATH];
    const DWORD length = GetModuleFileNameW(hInstTypeLib, module, MAX_PATH);
    if (length == 0)
        return HRESULT_FROM_WIN32(GetLastError());
    if (length == MAX_PATH)
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    path = module;
    return LoadTypeLib(module, library);
}
} // namespace

HRESULT AtlRegisterTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR)
{
    std::wstring path;
    CComPtr<ITypeLib> library;
    HRESULT hr = LoadModuleTypeLib(hInstTypeLib, path, &library);
    if (FAILED(hr))
        return hr;
    return RegisterTypeLib(library, path.c_str(), nullptr);
}

HRESULT AtlUnRegisterTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR)
{
    std::wstring path;
    CComPtr<ITypeLib> library;
    HRESULT hr = LoadModuleTypeLib(hInstTypeLib, path, &library);
    if (FAILED(hr))
        return hr;
    TLIBATTR* attributes = nullptr;
    hr = library->GetLibAttr(&attributes);
    if (FAILED(hr))
        return hr;
    hr = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                           attributes->lcid, attributes->syskind);
    library->ReleaseTLibAttr(attributes);
    return hr;
}

HRESULT CComTypeInfoHolder::GetTI(LCID lcid, ITypeInfo** ppInfo)
{
    if (!ppInfo)
        return E_POINTER;
    *ppInfo = nullptr;
    std::lock_guard<std::mutex> guard(TypeInfoMutex());
    if (!m_pInfo)
    {
        CComPtr<ITypeLib> library;
        HRESULT hr = LoadRegTypeLib(*m_plibid, m_wMajor, m_wMinor, lcid, &library);
        if (FAILED(hr))
            return hr;
        ITypeInfo* info = nullptr;
        hr = library->GetTypeInfoOfGuid(*m_pguid, &info);
        if (FAILED(hr))
            return hr;
        // Kept for the life of the module, which releases it when it ends.
        hr = _pAtlModule->AddTermFunc(Cleanup, reinterpret_cast<DWORD_PTR>(this));
        if (FAILED(hr))
        {
            info->Release();
            return hr;
        }
        m_pInfo = info;
    }
    m_pInfo->AddRef();
    *ppInfo = m_pInfo;
    return S_OK;
}

HRESULT CComTypeInfoHolder::GetTypeInfo(UINT itinfo, LCID lcid, ITypeInfo** pptinfo)
{
    if (itinfo != 0)
        return DISP_E_BADINDEX;
    return GetTI(lcid, pptinfo);
}

HRESULT CComTypeInfoHolder::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                          DISPID* rgdispid)
{
    CComPtr<ITypeInfo> info;
    const HRESULT hr = GetTI(lcid, &info);
    return FAILED(hr) ? hr : info->GetIDsOfNames(rgszNames, cNames, rgdispid);
}

HRESULT CComTypeInfoHolder::Invoke(IDispatch* p, DISPID dispidMember, REFIID, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pdispparams, VARIANT* pvarResult, EXCEPINFO* pexcepinfo,
                                   UINT* puArgErr)
{
    CComPtr<ITypeInfo> info;
    const HRESULT hr = GetTI(lcid, &info);
    return FAILED(hr) ? hr
                      : info->Invoke(p, dispidMember, wFlags, pdispparams, pvarResult, pexcepinfo, puArgErr);
}

void WINAPI CComTypeInfoHolder::Cleanup(DWORD_PTR dw)
{
    auto* holder = reinterpret_cast<CComTypeInfoHolder*>(dw);
    std::lock_guard<std::mutex> guard(TypeInfoMutex());
    if (holder->m_pInfo)
        holder->m_pInfo->Release();
    holder->m_pInfo = nullptr;
}
} // namespace ATL
