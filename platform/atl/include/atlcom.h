// COM objects built on the class library: the object root with its reference count, the object
// wrapper that locks the module while it lives, class factories, the interface map, the coclass
// base, the dual interface served from the type library, and the object map's entries.
#pragma once

#include "atlbase.h"
#include "atldispevent.h"

#include <new>

namespace ATL
{
constexpr LONG kMaxLong = 0x7FFFFFFF; // Windows' LONG_MAX: LONG is 32 bits there

// An interface of the object: its identifier and how to reach it from the object.
struct _ATL_INTMAP_ENTRY
{
    const IID* piid;
    IUnknown* (*pfnInterface)(void* pThis);
};

template <class Derived, class Interface> IUnknown* _AtlInterfaceOf(void* pThis)
{
    return static_cast<Interface*>(static_cast<Derived*>(pThis));
}

// The interface reached through one base where several bases carry it (IDispatch of a dual).
template <class Derived, class Through, class Interface> IUnknown* _AtlInterfaceThrough(void* pThis)
{
    return static_cast<Interface*>(static_cast<Through*>(static_cast<Derived*>(pThis)));
}

class CComObjectRootBase
{
public:
    CComObjectRootBase() : m_dwRef(0) {}

    void SetVoid(void*) {}
    HRESULT FinalConstruct() { return S_OK; }
    void FinalRelease() {}
    static void WINAPI ObjectMain(bool) {}

    // IUnknown answers with the first interface of the map; E_NOINTERFACE when none matches.
    static HRESULT WINAPI InternalQueryInterface(void* pThis, const _ATL_INTMAP_ENTRY* pEntries, REFIID iid,
                                                 void** ppvObject);

    LONG m_dwRef;
};

template <class ThreadModel> class CComObjectRootEx : public CComObjectRootBase
{
public:
    ULONG InternalAddRef() { return ThreadModel::Increment(&m_dwRef); }
    ULONG InternalRelease() { return ThreadModel::Decrement(&m_dwRef); }
};

// The object as the library creates it: it takes a lock on the module while it lives.
template <class Base> class CComObject : public Base
{
public:
    explicit CComObject(void* = nullptr) { _pAtlModule->Lock(); }
    virtual ~CComObject()
    {
        this->m_dwRef = -(kMaxLong / 2); // a late AddRef or Release cannot reach 0 again
        this->FinalRelease();
        _pAtlModule->Unlock();
    }

    STDMETHOD_(ULONG, AddRef)() override { return this->InternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override
    {
        const ULONG count = this->InternalRelease();
        if (count == 0)
            delete this;
        return count;
    }
    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override
    {
        return this->_InternalQueryInterface(iid, ppvObject);
    }

    // A new object with reference count 0 (the caller adds the first reference), or null and the
    // failure of FinalConstruct.
    static HRESULT WINAPI CreateInstance(CComObject<Base>** pp)
    {
        if (!pp)
            return E_POINTER;
        *pp = nullptr;
        auto* p = new (std::nothrow) CComObject<Base>();
        if (!p)
            return E_OUTOFMEMORY;
        const HRESULT hr = p->FinalConstruct();
        if (hr != S_OK)
        {
            delete p;
            return hr;
        }
        *pp = p;
        return hr;
    }
};

// A class factory that the module keeps: it holds the module only while a reference beyond the
// module's own is out, so that a cached factory alone does not keep the server loaded.
template <class Base> class CComObjectCached : public Base
{
public:
    explicit CComObjectCached(void* = nullptr) {}
    virtual ~CComObjectCached()
    {
        this->m_dwRef = -(kMaxLong / 2); // a late AddRef or Release cannot reach 0 again
        this->FinalRelease();
    }

    STDMETHOD_(ULONG, AddRef)() override
    {
        const ULONG count = this->InternalAddRef();
        if (count == 2)
            _pAtlModule->Lock();
        return count;
    }
    STDMETHOD_(ULONG, Release)() override
    {
        const ULONG count = this->InternalRelease();
        if (count == 0)
            delete this;
        else if (count == 1)
            _pAtlModule->Unlock();
        return count;
    }
    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override
    {
        return this->_InternalQueryInterface(iid, ppvObject);
    }
};

// Creates T, runs FinalConstruct and asks for riid; the object goes again when either fails.
template <class T> class CComCreator
{
public:
    static HRESULT WINAPI CreateInstance(void* pv, REFIID riid, LPVOID* ppv)
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        T* p = new (std::nothrow) T(pv);
        if (!p)
            return E_OUTOFMEMORY;
        p->SetVoid(pv);
        HRESULT hr = p->FinalConstruct();
        if (hr == S_OK)
            hr = p->QueryInterface(riid, ppv);
        if (hr != S_OK)
            delete p;
        return hr;
    }
};

template <HRESULT hr> class CComFailCreator
{
public:
    static HRESULT WINAPI CreateInstance(void*, REFIID, LPVOID* ppv)
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        return hr;
    }
};

// The first creator without an outer object, the second with one.
template <class T1, class T2> class CComCreator2
{
public:
    static HRESULT WINAPI CreateInstance(void* pv, REFIID riid, LPVOID* ppv)
    {
        return pv == nullptr ? T1::CreateInstance(nullptr, riid, ppv) : T2::CreateInstance(pv, riid, ppv);
    }
};

class CComClassFactory : public IClassFactory, public CComObjectRootEx<CComGlobalsThreadModel>
{
public:
    void SetVoid(void* pv) { m_pfnCreateInstance = reinterpret_cast<_ATL_CREATORFUNC*>(pv); }

    HRESULT _InternalQueryInterface(REFIID iid, void** ppvObject);

    STDMETHOD(CreateInstance)(LPUNKNOWN pUnkOuter, REFIID riid, void** ppvObj) override;
    STDMETHOD(LockServer)(BOOL fLock) override;

private:
    _ATL_CREATORFUNC* m_pfnCreateInstance = nullptr;
};

template <class T, const CLSID* pclsid> class CComCoClass
{
public:
    // Objects of the class refuse an outer object.
    typedef CComCreator2<CComCreator<CComObject<T>>, CComFailCreator<CLASS_E_NOAGGREGATION>> _CreatorClass;
    typedef CComCreator<CComObjectCached<CComClassFactory>> _ClassFactoryCreatorClass;
};

// The dual interface T: its dispatch half is served from T's type information in the registered
// type library (plibid, version wMajor.wMinor).
template <class T, const IID* piid, const GUID* plibid = &CAtlModule::m_libid, WORD wMajor = 1,
          WORD wMinor = 0, class tihclass = CComTypeInfoHolder>
class IDispatchImpl : public T
{
public:
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 1;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT itinfo, LCID lcid, ITypeInfo** pptinfo) override
    {
        return _tih.GetTypeInfo(itinfo, lcid, pptinfo);
    }
    STDMETHOD(GetIDsOfNames)
    (REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgdispid) override
    {
        return _tih.GetIDsOfNames(riid, rgszNames, cNames, lcid, rgdispid);
    }
    STDMETHOD(Invoke)
    (DISPID dispidMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pdispparams, VARIANT* pvarResult,
     EXCEPINFO* pexcepinfo, UINT* puArgErr) override
    {
        return _tih.Invoke(static_cast<IDispatch*>(this), dispidMember, riid, lcid, wFlags, pdispparams,
                           pvarResult, pexcepinfo, puArgErr);
    }

protected:
    ~IDispatchImpl() = default;

    static tihclass _tih;
};

template <class T, const IID* piid, const GUID* plibid, WORD wMajor, WORD wMinor, class tihclass>
tihclass IDispatchImpl<T, piid, plibid, wMajor, wMinor, tihclass>::_tih = {piid, plibid, wMajor, wMinor,
                                                                           nullptr};
} // namespace ATL

#define BEGIN_COM_MAP(x)                                                                                     \
public:                                                                                                      \
    typedef x _ComMapClass;                                                                                  \
    HRESULT _InternalQueryInterface(REFIID iid, void** ppvObject)                                            \
    {                                                                                                        \
        return InternalQueryInterface(this, _GetEntries(), iid, ppvObject);                                  \
    }                                                                                                        \
    static const ATL::_ATL_INTMAP_ENTRY* WINAPI _GetEntries()                                                \
    {                                                                                                        \
        static const ATL::_ATL_INTMAP_ENTRY _entries[] = {

#define COM_INTERFACE_ENTRY(x) {&IID_##x, &ATL::_AtlInterfaceOf<_ComMapClass, x>},
#define COM_INTERFACE_ENTRY2(x, x2) {&IID_##x, &ATL::_AtlInterfaceThrough<_ComMapClass, x2, x>},

#define END_COM_MAP()                                                                                        \
    {                                                                                                        \
        nullptr, nullptr                                                                                     \
    }                                                                                                        \
    }                                                                                                        \
    ;                                                                                                        \
    return _entries;                                                                                         \
    }

#define DECLARE_NOT_AGGREGATABLE(x)                                                                          \
public:                                                                                                      \
    typedef ATL::CComCreator2<ATL::CComCreator<ATL::CComObject<x>>,                                          \
                              ATL::CComFailCreator<CLASS_E_NOAGGREGATION>>                                   \
        _CreatorClass;

// Adds the class to the module's object map, after the entries declared before it.
#define OBJECT_ENTRY_AUTO(clsid, class)                                                                      \
    static ATL::_ATL_OBJMAP_ENTRY AtlObjMapEntry_##class = {                                                 \
        &clsid,                                                                                              \
        class ::UpdateRegistry,                                                                              \
        class ::_ClassFactoryCreatorClass::CreateInstance,                                                   \
        class ::_CreatorClass::CreateInstance,                                                               \
        nullptr,                                                                                             \
        class ::ObjectMain,                                                                                  \
        nullptr};                                                                                            \
    static ATL::CAtlObjectMapRegistration AtlObjMapRegistration_##class(&AtlObjMapEntry_##class);
