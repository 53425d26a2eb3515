// The application's connection point for its events, and the host firing them at its sinks.
#include "sim/Host.h"
#include "registry_testing.h"
#include "win32_testing.h"

#include "ocidl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace
{
// A sink that answers for the host's event interface (or, when told, only for IUnknown), counts
// its references and records each event with its arguments in declaration order.
struct RecordingSink : IDispatch
{
    bool answersEvents = true;
    long references = 0;
    std::vector<std::string> events;

    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !(answersEvents && IsEqualIID(iid, DIID_DSldWorksEvents)))
            return E_NOINTERFACE;
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ULONG(++references); }
    ULONG Release() override { return ULONG(--references); }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                   UINT*) override
    {
        std::string event = std::to_string(id) + "/" + std::to_string(flags) + "(";
        for (UINT i = parameters->cArgs; i-- > 0;)
        {
            const VARIANT& argument = parameters->rgvarg[i];
            event += argument.vt == VT_BSTR ? "BSTR"
                     : argument.vt == VT_I4 ? "I4 " + std::to_string(argument.lVal)
                                            : "other";
            event += i ? ", " : "";
        }
        events.push_back(event + ")");
        return id == 11 ? E_FAIL : S_OK;
    }
};

struct EventPoint
{
    IConnectionPointContainer* container = nullptr;
    IConnectionPoint* point = nullptr;

    explicit EventPoint(sim::Host& host)
    {
        host.Application()->QueryInterface(IID_IConnectionPointContainer,
                                           reinterpret_cast<void**>(&container));
        container->FindConnectionPoint(DIID_DSldWorksEvents, &point);
    }
    ~EventPoint()
    {
        point->Release();
        container->Release();
    }
};
} // namespace

TEST(SimulatedHostEvents, SinksAdvisedOnTheApplicationReceiveItsEvents)
{
    const long bstrs = platform::LiveBstrCount();
    RecordingSink sink;
    sim::Host host;
    {
        EventPoint events(host);
        DWORD cookie = 0xFEFEFEFE;
        ASSERT_EQ(events.point->Advise(&sink, &cookie), S_OK);
        EXPECT_EQ(cookie, 1u);
        EXPECT_EQ(sink.references, 1);
        // The ledger by object: one reference on each of the two interfaces handed out.
        EXPECT_EQ(host.LiveReferences("cpc1"), 1);
        EXPECT_EQ(host.LiveReferences("cp1"), 1);
        EXPECT_EQ(host.LiveReferences("app"), 0);
        EXPECT_EQ(host.EventSinkCount(), 1u);
        EXPECT_EQ(host.FireEvent(4), S_OK);
        EXPECT_EQ(host.FireEvent(5), S_OK);
        EXPECT_EQ(host.FireEvent(12), S_OK);
        EXPECT_EQ(host.FireEvent(11), E_FAIL); // the sink's answer comes back
        EXPECT_EQ(host.FireEvent(99), S_OK);   // an event the host does not declare has no arguments
        EXPECT_EQ(events.point->Unadvise(cookie), S_OK);
        EXPECT_EQ(events.point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
        EXPECT_EQ(host.FireEvent(4), S_FALSE);
    }
    EXPECT_THAT(sink.events, ElementsAre("4/1(BSTR)", "5/1()", "12/1(BSTR, I4 2)", "11/1(I4 1)", "99/1()"));
    EXPECT_EQ(sink.references, 0);
    EXPECT_THAT(host.Journal(), ElementsAre("app.QueryInterface(IConnectionPointContainer) -> S_OK, cpc1",
                                            "cpc1.FindConnectionPoint(DSldWorksEvents) -> S_OK, cp1",
                                            "cp1.Advise(sink) -> S_OK, 1", "cp1.Unadvise(1) -> S_OK",
                                            "cp1.Unadvise(1) -> 0x80040200"));
    EXPECT_EQ(host.LiveReferences(), 0);
    EXPECT_EQ(platform::LiveBstrCount(), bstrs);
}

TEST(SimulatedHostEvents, RefusedAndFailedConnections)
{
    sim::Host host;
    RecordingSink sink;
    {
        EventPoint events(host);
        IConnectionPoint* other = nullptr;
        EXPECT_EQ(events.container->FindConnectionPoint(IID_IDispatch, &other), CONNECT_E_NOCONNECTION);
        EXPECT_EQ(other, nullptr);

        DWORD cookie = 0xFEFEFEFE;
        sink.answersEvents = false;
        EXPECT_EQ(events.point->Advise(&sink, &cookie), CONNECT_E_CANNOTCONNECT);
        EXPECT_EQ(cookie, 0u);

        sink.answersEvents = true;
        cookie = 0xFEFEFEFE;
        host.FailCall("Advise", 2);
        EXPECT_EQ(events.point->Advise(&sink, &cookie), E_FAIL);
        EXPECT_EQ(cookie, 0u);
        EXPECT_EQ(host.EventSinkCount(), 0u);

        ASSERT_EQ(events.point->Advise(&sink, &cookie), S_OK);
        host.FailCall("Unadvise", 1);
        EXPECT_EQ(events.point->Unadvise(cookie), E_FAIL);
        EXPECT_EQ(host.EventSinkCount(), 1u); // a failed unadvise ends nothing
        EXPECT_EQ(events.point->Unadvise(cookie), S_OK);
    }
    EXPECT_EQ(sink.references, 0);
    EXPECT_EQ(host.LiveReferences(), 0);
}

TEST(SimulatedHostEvents, TheHostRegistersItsTypeLibraryAtVersion21)
{
    platform::TemporaryRegistry registry;
    sim::Host host;
    ITypeLib* library = nullptr;
    EXPECT_EQ(LoadRegTypeLib(LIBID_SldWorks, 21, 0, LOCALE_USER_DEFAULT, &library), TYPE_E_LIBNOTREGISTERED);
    ASSERT_EQ(host.RegisterTypeLibrary(), S_OK);
    for (const WORD major : {14, 0})
        EXPECT_EQ(LoadRegTypeLib(LIBID_SldWorks, major, 0, LOCALE_USER_DEFAULT, &library),
                  TYPE_E_LIBNOTREGISTERED);
    ASSERT_EQ(LoadRegTypeLib(LIBID_SldWorks, 21, 0, LOCALE_USER_DEFAULT, &library), S_OK);
    ITypeInfo* events = nullptr;
    EXPECT_EQ(library->GetTypeInfoOfGuid(DIID_DSldWorksEvents, &events), S_OK);
    events->Release();
    library->Release();
}
