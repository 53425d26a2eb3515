// Interface lookup, class factories and registration over the object map.
#include "atlcom.h"

namespace ATL
{
HRESULT WINAPI CComObjectRootBase::InternalQueryInterface(void* pThis, const _ATL_INTMAP_ENTRY* pEntries,
                                                          REFIID iid, void** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    for (const _ATL_INTMAP_ENTRY* entry = pEntries; entry->piid; ++entry)
    {
        // IUnknown is the object's identity: always the first interface of its map.
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, *entry->piid))
        {
            IUnknown* unknown = entry->pfnInterface(pThis);
            unknown->AddRef();
            *ppvObject = unknown;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

HRESULT CComClassFactory::_InternalQueryInterface(REFIID iid, void** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
        return E_NOINTERFACE;
    IClassFactory* factory = this;
    factory->AddRef();
    *ppvObject = factory;
    return S_OK;
}

HRESULT CComClassFactory::CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, void** ppvObj)
{
    if (!ppvObj)
        return E_POINTER;
    *ppvObj = nullptr;
    // An outer object may only ask for IUnknown; the creator then decides about aggregation.
    if (pUnkOuter && !IsEqualIID(riid, IID_IUnknown))
        return CLASS_E_NOAGGREGATION;
    return m_pfnCreateInstance(pUnkOuter, riid, ppvObj);
}

HRESULT CComClassFactory::LockServer(BOOL fLock)
{
    if (fLock)
        _pAtlModule->Lock();
    else
        _pAtlModule->Unlock();
    return S_OK;
}

HRESULT AtlComModuleGetClassObject(CAtlComModule* pComModule, REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    for (_ATL_OBJMAP_ENTRY* entry = pComModule->FirstObjectEntry(); entry; entry = entry->pNext)
    {
        if (!IsEqualCLSID(*entry->pclsid, rclsid))
            continue;
        {
            std::lock_guard<std::mutex> guard(pComModule->m_csObjMap);
            if (!entry->pCF)
            {
                const HRESULT hr =
                    entry->pfnGetClassObject(reinterpret_cast<void*>(entry->pfnCreateInstance), IID_IUnknown,
                                             reinterpret_cast<void**>(&entry->pCF));
                if (FAILED(hr))
                    return hr;
            }
        }
        return entry->pCF->QueryInterface(riid, ppv);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

namespace
{
// Every class in map order, stopping at the first failure; then, when all succeeded, the type library.
HRESULT UpdateServer(CAtlComModule* pComModule, BOOL bRegister, BOOL bTypeLib)
{
    for (_ATL_OBJMAP_ENTRY* entry = pComModule->FirstObjectEntry(); entry; entry = entry->pNext)
    {
        const HRESULT hr = entry->pfnUpdateRegistry(bRegister);
        if (FAILED(hr))
            return hr;
    }
    if (!bTypeLib)
        return S_OK;
    return bRegister ? AtlRegisterTypeLib(pComModule->m_hInstTypeLib, nullptr)
                     : AtlUnRegisterTypeLib(pComModule->m_hInstTypeLib, nullptr);
}
} // namespace

HRESULT AtlComModuleRegisterServer(CAtlComModule* pComModule, BOOL bRegTypeLib)
{
    return UpdateServer(pComModule, TRUE, bRegTypeLib);
}

HRESULT AtlComModuleUnregisterServer(CAtlComModule* pComModule, BOOL bUnRegTypeLib)
{
    return UpdateServer(pComModule, FALSE, bUnRegTypeLib);
}
} // namespace ATL
