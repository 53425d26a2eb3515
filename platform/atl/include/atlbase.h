// The COM class library's base: threading models, the module objects that every server links in
// (_AtlBaseModule, _AtlComModule, _pAtlModule), the object map, the DLL module with its lock count
// and class factories, the type-information holder and connection-point advising.
#pragma once

#include "atlcomcli.h"
#include "atldef.h"

#include <atomic>
#include <mutex>

namespace ATL
{
// Reference counts of objects that only one thread touches: plain increments.
class CComSingleThreadModel
{
public:
    static ULONG WINAPI Increment(LONG* p) { return ULONG(++(*p)); }
    static ULONG WINAPI Decrement(LONG* p) { return ULONG(--(*p)); }
};

// Reference counts that several threads may change at once: interlocked.
class CComMultiThreadModel
{
public:
    static ULONG WINAPI Increment(LONG* p) { return ULONG(std::atomic_ref<LONG>(*p).fetch_add(1) + 1); }
    static ULONG WINAPI Decrement(LONG* p) { return ULONG(std::atomic_ref<LONG>(*p).fetch_sub(1) - 1); }
};

// The model of the library's own shared objects, such as class factories.
typedef CComMultiThreadModel CComGlobalsThreadModel;

// A registry key that is closed when it goes.
class CRegKey
{
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    LONG Create(HKEY hKeyParent, LPCWSTR lpszKeyName)
    {
        Close();
        return RegCreateKeyExW(hKeyParent, lpszKeyName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_READ | KEY_WRITE, nullptr, &m_hKey, nullptr);
    }
    LONG Open(HKEY hKeyParent, LPCWSTR lpszKeyName, REGSAM samDesired = KEY_READ | KEY_WRITE)
    {
        Close();
        return RegOpenKeyExW(hKeyParent, lpszKeyName, 0, samDesired, &m_hKey);
    }
    LONG Close()
    {
        const LONG status = m_hKey ? RegCloseKey(m_hKey) : ERROR_SUCCESS;
        m_hKey = nullptr;
        return status;
    }
    operator HKEY() const { return m_hKey; }

    HKEY m_hKey = nullptr;
};

// The registrar's replacement table, which a module fills before a script runs.
struct IRegistrarBase : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE AddReplacement(LPCOLESTR key, LPCOLESTR item) = 0;
    virtual HRESULT STDMETHODCALLTYPE ClearReplacements() = 0;

protected:
    ~IRegistrarBase() = default;
};

typedef HRESULT(WINAPI _ATL_CREATORFUNC)(void* pv, REFIID riid, LPVOID* ppv);
typedef void(WINAPI _ATL_TERMFUNC)(DWORD_PTR dw);

// One class that the server serves: how to register it and to create its factory and objects.
struct _ATL_OBJMAP_ENTRY
{
    const CLSID* pclsid;
    HRESULT(WINAPI* pfnUpdateRegistry)(BOOL bRegister);
    _ATL_CREATORFUNC* pfnGetClassObject;
    _ATL_CREATORFUNC* pfnCreateInstance;
    IUnknown* pCF; // the class factory, created on first request and kept until the module ends
    void(WINAPI* pfnObjectMain)(bool bStarting);
    _ATL_OBJMAP_ENTRY* pNext;
};

// The module that holds this code: its instance handle and where its resources come from.
class CAtlBaseModule
{
public:
    CAtlBaseModule();
    HINSTANCE GetModuleInstance() const { return m_hInst; }
    HINSTANCE GetResourceInstance() const { return m_hInstResource; }

    HINSTANCE m_hInst;
    HINSTANCE m_hInstResource;
};

// The module's COM side: where its type library lives and which classes it serves, in the order in
// which their object-map entries were declared.
class CAtlComModule
{
public:
    CAtlComModule();
    ~CAtlComModule();
    CAtlComModule(const CAtlComModule&) = delete;
    CAtlComModule& operator=(const CAtlComModule&) = delete;

    void AddObjectEntry(_ATL_OBJMAP_ENTRY* entry);
    _ATL_OBJMAP_ENTRY* FirstObjectEntry() const { return m_pFirstEntry; }
    void ExecuteObjectMain(bool bStarting);
    // Releases the cached class factories; the module's termination calls it.
    void Term();

    HINSTANCE m_hInstTypeLib;
    std::mutex m_csObjMap; // guards the creation of class factories

private:
    _ATL_OBJMAP_ENTRY* m_pFirstEntry = nullptr;
    _ATL_OBJMAP_ENTRY* m_pLastEntry = nullptr;
};

// Each module has its own copies of these, hidden from other modules.
extern CAtlBaseModule _AtlBaseModule;
extern CAtlComModule _AtlComModule;

// Appends an object-map entry to the module's map when the module's static objects are built.
class CAtlObjectMapRegistration
{
public:
    explicit CAtlObjectMapRegistration(_ATL_OBJMAP_ENTRY* entry) { _AtlComModule.AddObjectEntry(entry); }
};

// The module object of a server (one global instance, usually _AtlModule): the lock count that
// decides whether the server may be unloaded, the type library identifier, and registration from
// the module's script resources.
class CAtlModule
{
public:
    CAtlModule();
    virtual ~CAtlModule();
    CAtlModule(const CAtlModule&) = delete;
    CAtlModule& operator=(const CAtlModule&) = delete;

    virtual LONG Lock();
    virtual LONG Unlock();
    virtual LONG GetLockCount();
    virtual HRESULT AddCommonRGSReplacements(IRegistrarBase* pRegistrar) = 0;

    // Functions to run when the module ends (last added, first run).
    HRESULT AddTermFunc(_ATL_TERMFUNC* pFunc, DWORD_PTR dw);
    void Term();

    // Runs the "REGISTRY" script resource nResID of this module with the common replacements and
    // %MODULE%.
    HRESULT UpdateRegistryFromResource(UINT nResID, BOOL bRegister);

    static GUID m_libid;

protected:
    LONG m_nLockCnt;

private:
    struct TermFunc
    {
        _ATL_TERMFUNC* pFunc;
        DWORD_PTR dw;
        TermFunc* pNext;
    };
    TermFunc* m_pTermFuncs = nullptr;
    std::mutex m_csTermFuncs;
    bool m_bTerminated = false;
};

inline GUID CAtlModule::m_libid = GUID_NULL;

extern CAtlModule* _pAtlModule;

template <class T> class CAtlModuleT : public CAtlModule
{
public:
    CAtlModuleT() { T::InitLibId(); }

    static void InitLibId() {}
    static LPCOLESTR GetAppId() { return L""; }

    HRESULT AddCommonRGSReplacements(IRegistrarBase* pRegistrar) override
    {
        return pRegistrar->AddReplacement(L"APPID", T::GetAppId());
    }
};

HRESULT AtlComModuleGetClassObject(CAtlComModule* pComModule, REFCLSID rclsid, REFIID riid, LPVOID* ppv);
// Every class of the map in map order, stopping at the first failure; then, when all succeeded
// and bRegTypeLib is set, the module's type library.
HRESULT AtlComModuleRegisterServer(CAtlComModule* pComModule, BOOL bRegTypeLib);
HRESULT AtlComModuleUnregisterServer(CAtlComModule* pComModule, BOOL bUnRegTypeLib);
// The TYPELIB resource 1 of the module, registered machine-wide under the module's path.
HRESULT AtlRegisterTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR lpszIndex);
HRESULT AtlUnRegisterTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR lpszIndex);

// A DLL server: registration runs under the system default thread locale, and the module may be
// unloaded once no object, factory reference beyond its own, or server lock is left.
template <class T> class CAtlDllModuleT : public CAtlModuleT<T>
{
public:
    CAtlDllModuleT() { _AtlComModule.ExecuteObjectMain(true); }
    ~CAtlDllModuleT() override
    {
        _AtlComModule.ExecuteObjectMain(false);
        _AtlComModule.Term();
        this->Term();
    }

    HRESULT DllCanUnloadNow() { return this->GetLockCount() == 0 ? S_OK : S_FALSE; }

    HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
    {
        return AtlComModuleGetClassObject(&_AtlComModule, rclsid, riid, ppv);
    }

    HRESULT DllRegisterServer(BOOL bRegTypeLib = TRUE)
    {
        return UnderSystemLocale([=] { return AtlComModuleRegisterServer(&_AtlComModule, bRegTypeLib); });
    }

    HRESULT DllUnregisterServer(BOOL bUnRegTypeLib = TRUE)
    {
        return UnderSystemLocale([=] { return AtlComModuleUnregisterServer(&_AtlComModule, bUnRegTypeLib); });
    }

private:
    // Registration runs under the system default locale; the caller's comes back afterwards.
    template <class Work> static HRESULT UnderSystemLocale(Work work)
    {
        const LCID previous = GetThreadLocale();
        SetThreadLocale(LOCALE_SYSTEM_DEFAULT);
        const HRESULT hr = work();
        SetThreadLocale(previous);
        return hr;
    }
};

// Loads an interface's type information from the registered type library on first use and keeps
// it until the module ends; later changes of library or version do not reload it.
class CComTypeInfoHolder
{
public:
    const GUID* m_pguid;
    const GUID* m_plibid;
    WORD m_wMajor;
    WORD m_wMinor;
    ITypeInfo* m_pInfo;

    HRESULT GetTI(LCID lcid, ITypeInfo** ppInfo);
    HRESULT GetTypeInfo(UINT itinfo, LCID lcid, ITypeInfo** pptinfo);
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgdispid);
    HRESULT Invoke(IDispatch* p, DISPID dispidMember, REFIID riid, LCID lcid, WORD wFlags,
                   DISPPARAMS* pdispparams, VARIANT* pvarResult, EXCEPINFO* pexcepinfo, UINT* puArgErr);

    static void WINAPI Cleanup(DWORD_PTR dw);
};

// Connects pUnk to the connection point of pUnkCP for iid; the cookie comes back in *pdw.
HRESULT AtlAdvise(IUnknown* pUnkCP, IUnknown* pUnk, const IID& iid, DWORD* pdw);
HRESULT AtlUnadvise(IUnknown* pUnkCP, const IID& iid, DWORD dw);
} // namespace ATL

#define DECLARE_LIBID(libid)                                                                                 \
    static void InitLibId()                                                                                  \
    {                                                                                                        \
        ATL::CAtlModule::m_libid = libid;                                                                    \
    }

#define DECLARE_REGISTRY_RESOURCEID(x)                                                                       \
    static HRESULT WINAPI UpdateRegistry(BOOL bRegister)                                                     \
    {                                                                                                        \
        return ATL::_pAtlModule->UpdateRegistryFromResource(x, bRegister);                                   \
    }

using namespace ATL;
