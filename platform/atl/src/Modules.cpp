// The module objects of a server: built before the server's own static objects, so that its
// object map and module object can rely on them.
#include "atlbase.h"
#include "statreg.h"

#include "platform_modules.h"

#include <string>

namespace ATL
{
__attribute__((init_priority(110))) CAtlBaseModule _AtlBaseModule;
__attribute__((init_priority(110))) CAtlComModule _AtlComModule;
CAtlModule* _pAtlModule = nullptr;

CAtlBaseModule::CAtlBaseModule() : m_hInst(platform::ModuleFromAddress(this)), m_hInstResource(m_hInst) {}

CAtlComModule::CAtlComModule() : m_hInstTypeLib(_AtlBaseModule.GetModuleInstance()) {}

CAtlComModule::~CAtlComModule()
{
    Term();
}

void CAtlComModule::AddObjectEntry(_ATL_OBJMAP_ENTRY* entry)
{
    entry->pNext = nullptr;
    if (m_pLastEntry)
        m_pLastEntry->pNext = entry;
    else
        m_pFirstEntry = entry;
    m_pLastEntry = entry;
}

void CAtlComModule::ExecuteObjectMain(bool bStarting)
{
    for (_ATL_OBJMAP_ENTRY* entry = m_pFirstEntry; entry; entry = entry->pNext)
        entry->pfnObjectMain(bStarting);
}

void CAtlComModule::Term()
{
    for (_ATL_OBJMAP_ENTRY* entry = m_pFirstEntry; entry; entry = entry->pNext)
    {
        if (entry->pCF)
            entry->pCF->Release();
        entry->pCF = nullptr;
    }
}

CAtlModule::CAtlModule() : m_nLockCnt(0)
{
    _pAtlModule = this;
}

CAtlModule::~CAtlModule()
{
    Term();
    if (_pAtlModule == this)
        _pAtlModule = nullptr;
}

LONG CAtlModule::Lock()
{
    return std::atomic_ref<LONG>(m_nLockCnt).fetch_add(1) + 1;
}

LONG CAtlModule::Unlock()
{
    return std::atomic_ref<LONG>(m_nLockCnt).fetch_sub(1) - 1;
}

LONG CAtlModule::GetLockCount()
{
    return std::atomic_ref<LONG>(m_nLockCnt).load();
}

HRESULT CAtlModule::AddTermFunc(_ATL_TERMFUNC* pFunc, DWORD_PTR dw)
{
    auto* termFunc = new (std::nothrow) TermFunc{pFunc, dw, nullptr};
    if (!termFunc)
        return E_OUTOFMEMORY;
    std::lock_guard<std::mutex> guard(m_csTermFuncs);
    termFunc->pNext = m_pTermFuncs;
    m_pTermFuncs = termFunc;
    return S_OK;
}

void CAtlModule::Term()
{
    if (m_bTerminated)
        return;
    m_bTerminated = true;
    while (m_pTermFuncs)
    {
        TermFunc* termFunc = m_pTermFuncs;
        m_pTermFuncs = termFunc->pNext;
        termFunc->pFunc(termFunc->dw);
        delete termFunc;
    }
}

HRESULT CAtlModule::UpdateRegistryFromResource(UINT nResID, BOOL bRegister)
{
    CRegObject registrar;
    HRESULT hr = AddCommonRGSReplacements(&registrar);
    if (FAILED(hr))
        return hr;
    WCHAR module[MAX_PATH];
    const DWORD length = GetModuleFileNameW(_AtlBaseModule.GetModuleInstance(), module, MAX_PATH);
    if (length == 0)
        return HRESULT_FROM_WIN32(GetLastError());
    if (length == MAX_PATH)
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    // The path lands inside quoted strings of the script, where a quote is written twice.
    std::wstring quoted;
    for (const WCHAR* c = module; *c; ++c)
        quoted.append(*c == L'\'' ? 2 : 1, *c);
    hr = registrar.AddReplacement(L"Module", quoted.c_str());
    if (SUCCEEDED(hr))
        hr = registrar.AddReplacement(L"Module_Raw", quoted.c_str());
    if (FAILED(hr))
        return hr;
    return bRegister ? registrar.ResourceRegister(module, nResID, L"REGISTRY")
                     : registrar.ResourceUnregister(module, nResID, L"REGISTRY");
}
} // namespace ATL
