// The application's events: the connection point that sinks advise on, and the host firing an
// event at every advised sink through its IDispatch.
#include "Call.h"
#include "EventFacets.h"
#include "Facets.h"
#include "HostTypeLibrary.h"

#include "sim/Host.h"

namespace sim
{
FacetCore* ConnectionPointContainer(HostState& host)
{
    return EntityFacet<ConnectionPointContainerFacet>(host, "cpc1");
}

FacetCore* ApplicationFacet::OtherInterface(REFIID iid)
{
    return IsEqualIID(iid, IID_IConnectionPointContainer) ? ConnectionPointContainer(m_host) : nullptr;
}

HRESULT ConnectionPointContainerFacet::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    SIM_CALL(call, "EnumConnectionPoints");
    if (points)
        *points = nullptr;
    return call.Done(E_NOTIMPL);
}

HRESULT ConnectionPointContainerFacet::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    SIM_CALL(call, "FindConnectionPoint");
    call.Raw(InterfaceName(iid));
    if (!point)
        return call.Done(E_POINTER);
    *point = nullptr;
    if (call.Failed())
        return call.Done();
    if (!IsEqualIID(iid, DIID_DSldWorksEvents))
    {
        call.OutRaw("null");
        return call.Done(CONNECT_E_NOCONNECTION);
    }
    call.OutObject(point, EntityFacet<ConnectionPointFacet>(m_host, "cp1"));
    return call.Done(S_OK);
}

HRESULT ConnectionPointFacet::GetConnectionInterface(IID* iid)
{
    SIM_CALL(call, "GetConnectionInterface");
    if (!iid)
        return call.Done(E_POINTER);
    if (call.Failed())
        return call.Done();
    *iid = DIID_DSldWorksEvents;
    call.OutRaw(InterfaceName(*iid));
    return call.Done(S_OK);
}

HRESULT ConnectionPointFacet::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    SIM_CALL(call, "GetConnectionPointContainer");
    if (!container)
        return call.Done(E_POINTER);
    *container = nullptr;
    if (call.Failed())
        return call.Done();
    call.OutObject(container, ConnectionPointContainer(m_host));
    return call.Done(S_OK);
}

HRESULT ConnectionPointFacet::Advise(IUnknown* sink, DWORD* cookie)
{
    SIM_CALL(call, "Advise");
    call.Raw(sink ? "sink" : "null");
    if (!cookie)
        return call.Done(E_POINTER);
    // A failed advise leaves the cookie 0, as Windows' connection points do.
    *cookie = 0;
    if (call.Failed())
        return call.Done();
    if (!sink)
        return call.Done(E_POINTER);
    // The host calls its sinks through the event interface, so a sink must answer for it.
    IDispatch* events = nullptr;
    if (FAILED(sink->QueryInterface(DIID_DSldWorksEvents, reinterpret_cast<void**>(&events))) || !events)
        return call.Done(CONNECT_E_CANNOTCONNECT);
    *cookie = ++m_host.eventCookiesMade;
    m_host.eventSinks[*cookie] = events;
    call.OutValue(long(*cookie));
    return call.Done(S_OK);
}

HRESULT ConnectionPointFacet::Unadvise(DWORD cookie)
{
    SIM_CALL(call, "Unadvise");
    call.Arg(long(cookie));
    if (call.Failed())
        return call.Done();
    const auto sink = m_host.eventSinks.find(cookie);
    if (sink == m_host.eventSinks.end())
        return call.Done(CONNECT_E_NOCONNECTION);
    IDispatch* events = sink->second;
    m_host.eventSinks.erase(sink);
    events->Release();
    return call.Done(S_OK);
}

HRESULT ConnectionPointFacet::EnumConnections(IEnumConnections** connections)
{
    SIM_CALL(call, "EnumConnections");
    if (connections)
        *connections = nullptr;
    return call.Done(E_NOTIMPL);
}

HRESULT Host::FireEvent(DISPID id, VARIANT* answer)
{
    if (answer)
        VariantInit(answer);
    // The arguments that the host's type library declares for the event, with values of the
    // host's choosing; DISPPARAMS holds them last first.
    const std::vector<VARTYPE> types = EventParameterTypes(id);
    std::vector<VARIANT> arguments(types.size());
    for (size_t i = 0; i < types.size(); ++i)
    {
        VARIANT& argument = arguments[types.size() - 1 - i];
        VariantInit(&argument);
        argument.vt = types[i];
        if (argument.vt == VT_BSTR)
            argument.bstrVal = SysAllocString(L"Part1");
        else
            argument.lVal = LONG(i + 1);
    }
    HRESULT outcome = m_state->eventSinks.empty() ? S_FALSE : S_OK;
    // A sink may unadvise while it is called; a copy keeps the walk valid.
    const auto sinks = m_state->eventSinks;
    for (const auto& [cookie, sink] : sinks)
    {
        DISPPARAMS parameters{arguments.data(), nullptr, UINT(arguments.size()), 0};
        VARIANT sinkAnswer;
        VariantInit(&sinkAnswer);
        const HRESULT result = sink->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                            &sinkAnswer, nullptr, nullptr);
        if (answer)
        {
            VariantClear(answer);
            *answer = sinkAnswer;
        }
        else
            VariantClear(&sinkAnswer);
        if (result != S_OK && outcome == S_OK)
            outcome = result;
    }
    for (VARIANT& argument : arguments)
        VariantClear(&argument);
    return outcome;
}

size_t Host::EventSinkCount() const
{
    return m_state->eventSinks.size();
}
} // namespace sim
