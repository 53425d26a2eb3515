// Event sinks: IDispEventImpl receives the events of a dispatch interface through a connection
// point and routes each one, by the sink map, to a handler of the class. A handler's parameter
// list is the one the event interface's type library declares for the dispatch identifier.
#pragma once

#include "atlbase.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace ATL
{
constexpr int _ATL_MAX_VARTYPES = 8;

// An event's call as the type information describes it.
struct _ATL_FUNC_INFO
{
    CALLCONV cc;
    VARTYPE vtReturn;
    SHORT nParams;
    VARTYPE pVarTypes[_ATL_MAX_VARTYPES];
};

// The arguments of one event, in declaration order and converted to the declared types.
typedef VARIANTARG* _ATL_EVENT_ARGS[_ATL_MAX_VARTYPES];

template <class T> struct _ATL_EVENT_ENTRY
{
    UINT nControlID;
    const IID* piid;
    DISPID dispid;
    // Calls the handler with the arguments; false when its C++ parameters do not take them.
    bool (*pfnInvoke)(T* pThis, const _ATL_FUNC_INFO& info, _ATL_EVENT_ARGS args, HRESULT& result);
    _ATL_FUNC_INFO* pInfo; // null: looked up in the event interface's type information
};

// The automation type that a handler's parameter of type P receives.
template <class P> constexpr bool _AtlParameterTakes(VARTYPE vt)
{
    if constexpr (std::is_pointer_v<P> && !std::is_same_v<P, BSTR> && !std::is_same_v<P, IDispatch*> &&
                  !std::is_same_v<P, IUnknown*>)
        return (vt & VT_BYREF) != 0 && _AtlParameterTakes<std::remove_pointer_t<P>>(VARTYPE(vt & ~VT_BYREF));
    else if constexpr (std::is_same_v<P, LONG>)
        return vt == VT_I4 || vt == VT_INT;
    else if constexpr (std::is_same_v<P, ULONG>)
        return vt == VT_UI4 || vt == VT_UINT;
    else if constexpr (std::is_same_v<P, SHORT>) // also VARIANT_BOOL
        return vt == VT_I2 || vt == VT_BOOL;
    else if constexpr (std::is_same_v<P, USHORT>)
        return vt == VT_UI2;
    else if constexpr (std::is_same_v<P, double>)
        return vt == VT_R8;
    else if constexpr (std::is_same_v<P, float>)
        return vt == VT_R4;
    else if constexpr (std::is_same_v<P, BSTR>)
        return vt == VT_BSTR;
    else if constexpr (std::is_same_v<P, IDispatch*>)
        return vt == VT_DISPATCH;
    else if constexpr (std::is_same_v<P, IUnknown*>)
        return vt == VT_UNKNOWN;
    else
        return false;
}

template <class P> P _AtlArgument(const VARIANTARG& arg)
{
    if constexpr (std::is_pointer_v<P> && !std::is_same_v<P, BSTR> && !std::is_same_v<P, IDispatch*> &&
                  !std::is_same_v<P, IUnknown*>)
        return static_cast<P>(arg.byref);
    else if constexpr (std::is_same_v<P, LONG> || std::is_same_v<P, ULONG>)
        return P(arg.lVal);
    else if constexpr (std::is_same_v<P, SHORT> || std::is_same_v<P, USHORT>)
        return P(arg.iVal);
    else if constexpr (std::is_same_v<P, double>)
        return arg.dblVal;
    else if constexpr (std::is_same_v<P, float>)
        return arg.fltVal;
    else if constexpr (std::is_same_v<P, BSTR>)
        return arg.bstrVal;
    else if constexpr (std::is_same_v<P, IDispatch*>)
        return arg.pdispVal;
    else
        return arg.punkVal;
}

template <auto Handler> struct _AtlSinkInvoker;

template <class T, class... P, HRESULT (T::*Handler)(P...)> struct _AtlSinkInvoker<Handler>
{
    static bool Invoke(T* pThis, const _ATL_FUNC_INFO& info, _ATL_EVENT_ARGS args, HRESULT& result)
    {
        return Call(pThis, info, args, result, std::index_sequence_for<P...>());
    }

    template <size_t... I>
    static bool Call(T* pThis, const _ATL_FUNC_INFO& info, _ATL_EVENT_ARGS args, HRESULT& result,
                     std::index_sequence<I...>)
    {
        if (info.nParams != SHORT(sizeof...(P)) || !(true && ... && _AtlParameterTakes<P>(info.pVarTypes[I])))
            return false;
        result = (pThis->*Handler)(_AtlArgument<P>(*args[I])...);
        return true;
    }
};

// The state of a sink, kept by IDispEventImpl: the event library and interface, the version of the
// library, and the connection's cookie (0xFEFEFEFE while there is none).
class _IDispEvent
{
public:
    static constexpr DWORD kNoConnection = 0xFEFEFEFE;

    GUID m_libid = GUID_NULL;
    IID m_iid = GUID_NULL;
    unsigned short m_wMajorVerNum = 0;
    unsigned short m_wMinorVerNum = 0;
    DWORD m_dwEventCookie = kNoConnection;
};

// Finds the event's call description by its dispatch identifier in the interface's type information.
HRESULT AtlGetFuncInfoFromId(ITypeInfo* pTypeInfo, DISPID dispidMember, _ATL_FUNC_INFO& info);
// Calls the entry's handler with the arguments converted to the declared types; S_OK whatever the
// handler answered (its own result goes into pvarResult) and also when there is nothing to call.
HRESULT AtlInvokeEventHandler(const _ATL_FUNC_INFO& info, DISPPARAMS* pdispparams, VARIANT* pvarResult,
                              const std::function<bool(_ATL_EVENT_ARGS, HRESULT&)>& call);

template <UINT nID, class T, const IID* pdiid, const GUID* plibid, WORD wMajor, WORD wMinor,
          class tihclass = CComTypeInfoHolder>
class IDispEventImpl : public _IDispEvent
{
public:
    IDispEventImpl() : m_sink(this)
    {
        m_libid = *plibid;
        m_iid = *pdiid;
        m_wMajorVerNum = wMajor;
        m_wMinorVerNum = wMinor;
    }
    IDispEventImpl(const IDispEventImpl&) = delete;
    IDispEventImpl& operator=(const IDispEventImpl&) = delete;

    // Raises CAtlException(E_FAIL) when a connection exists already.
    HRESULT DispEventAdvise(IUnknown* pUnk, const IID* piid = pdiid)
    {
        ATLENSURE(m_dwEventCookie == kNoConnection);
        return AtlAdvise(pUnk, &m_sink, *piid, &m_dwEventCookie);
    }

    // The cookie is cleared whatever the connection point answers.
    HRESULT DispEventUnadvise(IUnknown* pUnk, const IID* piid = pdiid)
    {
        const HRESULT hr = AtlUnadvise(pUnk, *piid, m_dwEventCookie);
        m_dwEventCookie = kNoConnection;
        return hr;
    }

    // The type information of the event interface, shared by every object of the class.
    static tihclass _tih;

private:
    // The IDispatch that the connection point calls. Its references are the connection's business;
    // the object's lifetime is its owner's.
    class Sink final : public IDispatch
    {
    public:
        explicit Sink(IDispEventImpl* owner) : m_owner(owner) {}

        STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override
        {
            if (!ppvObject)
                return E_POINTER;
            *ppvObject = nullptr;
            if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
                IsEqualIID(riid, *pdiid) ||
                (!IsEqualIID(m_owner->m_iid, GUID_NULL) && IsEqualIID(riid, m_owner->m_iid)))
            {
                *ppvObject = this;
                return S_OK;
            }
            return E_NOINTERFACE;
        }
        STDMETHOD_(ULONG, AddRef)() override { return 1; }
        STDMETHOD_(ULONG, Release)() override { return 1; }
        STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
        STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHOD(Invoke)
        (DISPID dispidMember, REFIID, LCID lcid, WORD, DISPPARAMS* pdispparams, VARIANT* pvarResult,
         EXCEPINFO*, UINT*) override
        {
            return m_owner->InvokeEvent(dispidMember, lcid, pdispparams, pvarResult);
        }

    private:
        IDispEventImpl* m_owner;
    };

    HRESULT InvokeEvent(DISPID dispidMember, LCID lcid, DISPPARAMS* pdispparams, VARIANT* pvarResult)
    {
        for (const _ATL_EVENT_ENTRY<T>* entry = T::_GetSinkMap(); entry->piid; ++entry)
        {
            if (entry->nControlID != nID || entry->dispid != dispidMember ||
                !IsEqualIID(*entry->piid, *pdiid))
                continue;
            _ATL_FUNC_INFO looked{};
            const _ATL_FUNC_INFO* info = entry->pInfo;
            if (!info)
            {
                if (FAILED(GetFuncInfoFromId(dispidMember, lcid, looked)))
                    return S_OK;
                info = &looked;
            }
            T* owner = static_cast<T*>(this);
            return AtlInvokeEventHandler(*info, pdispparams, pvarResult,
                                         [&](_ATL_EVENT_ARGS args, HRESULT& result)
                                         { return entry->pfnInvoke(owner, *info, args, result); });
        }
        return S_OK; // an event the map does not list
    }

    // With no library in the class-wide holder (it was cleared), the holder takes this sink's.
    HRESULT GetFuncInfoFromId(DISPID dispidMember, LCID lcid, _ATL_FUNC_INFO& info)
    {
        if (IsEqualGUID(*_tih.m_plibid, GUID_NULL))
        {
            _tih.m_plibid = &m_libid;
            _tih.m_pguid = &m_iid;
            _tih.m_wMajor = m_wMajorVerNum;
            _tih.m_wMinor = m_wMinorVerNum;
        }
        CComPtr<ITypeInfo> typeInfo;
        const HRESULT hr = _tih.GetTI(lcid, &typeInfo);
        if (FAILED(hr))
            return hr;
        return AtlGetFuncInfoFromId(typeInfo, dispidMember, info);
    }

    Sink m_sink;
};

template <UINT nID, class T, const IID* pdiid, const GUID* plibid, WORD wMajor, WORD wMinor, class tihclass>
tihclass IDispEventImpl<nID, T, pdiid, plibid, wMajor, wMinor, tihclass>::_tih = {pdiid, plibid, wMajor,
                                                                                  wMinor, nullptr};
} // namespace ATL

#define BEGIN_SINK_MAP(_class)                                                                               \
    typedef _class _atl_event_classtype;                                                                     \
    static const ATL::_ATL_EVENT_ENTRY<_class>* _GetSinkMap()                                                \
    {                                                                                                        \
        static const ATL::_ATL_EVENT_ENTRY<_class> map[] = {

#define SINK_ENTRY_EX(id, iid, dispid, fn)                                                                   \
    {id, &iid, dispid, &ATL::_AtlSinkInvoker<&_atl_event_classtype::fn>::Invoke, nullptr},

#define END_SINK_MAP()                                                                                       \
    {                                                                                                        \
        0, nullptr, 0, nullptr, nullptr                                                                      \
    }                                                                                                        \
    }                                                                                                        \
    ;                                                                                                        \
    return map;                                                                                              \
    }
