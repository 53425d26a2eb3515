#include "TestModule.h"
#include "registry_testing.h"
#include "win32_testing.h"

#include "atlbase.h"
#include "atlcom.h"

#include "Clock_i.h"
#include "Variants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// The event source: one connection point for the clock's events, which fires at the advised sink.
class Clock final : public IConnectionPointContainer, public IConnectionPoint
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = IsEqualIID(riid, IID_IConnectionPointContainer) ? static_cast<IConnectionPointContainer*>(this)
                                                               : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override
    {
        *ppCP = IsEqualIID(riid, DIID_DClockEvents) ? this : nullptr;
        return *ppCP ? S_OK : CONNECT_E_NOCONNECTION;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override
    {
        *cookie = 0;
        if (FAILED(adviseResult))
            return adviseResult;
        sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_sink));
        *cookie = 7;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        unadvisedCookie = cookie;
        m_sink = nullptr;
        return unadviseResult;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // Fires an event with its arguments given last first, as DISPPARAMS holds them.
    HRESULT Fire(DISPID id, std::vector<VARIANT> arguments, VARIANT* result = nullptr)
    {
        DISPPARAMS params{arguments.data(), nullptr, UINT(arguments.size()), 0};
        const HRESULT hr =
            m_sink->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &params, result, nullptr, nullptr);
        for (VARIANT& argument : arguments)
            VariantClear(&argument);
        return hr;
    }

    IDispatch* Sink() const { return m_sink; }
    IUnknown* Unknown() { return static_cast<IConnectionPointContainer*>(this); }

    HRESULT adviseResult = S_OK;
    HRESULT unadviseResult = S_OK;
    DWORD unadvisedCookie = 0;

private:
    IDispatch* m_sink = nullptr;
};

template <UINT nID>
class ClockSink : public IDispEventImpl<nID, ClockSink<nID>, &DIID_DClockEvents, &LIBID_ClockLib, 3, 0>
{
public:
    HRESULT STDMETHODCALLTYPE OnTick(LONG count)
    {
        calls.push_back("Tick(" + std::to_string(count) + ")");
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE OnNamed(BSTR name, VARIANT_BOOL flag)
    {
        calls.push_back("Named(" + std::string(name, name + SysStringLen(name)) + ", " +
                        std::to_string(flag) + ")");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnAsk(LONG* answer)
    {
        *answer = 42;
        calls.push_back("Ask");
        return S_OK;
    }
    // Listed under an identifier that the event interface does not describe.
    HRESULT STDMETHODCALLTYPE OnUndescribed()
    {
        calls.push_back("Undescribed");
        return S_OK;
    }
    // The handler of another sink of the same class.
    HRESULT STDMETHODCALLTYPE OnOther(LONG)
    {
        calls.push_back("Other");
        return S_OK;
    }

    BEGIN_SINK_MAP(ClockSink)
    SINK_ENTRY_EX(nID + 1, DIID_DClockEvents, 1, OnOther)
    SINK_ENTRY_EX(nID, DIID_DClockEvents, 1, OnTick)
    SINK_ENTRY_EX(nID, DIID_DClockEvents, 2, OnNamed)
    SINK_ENTRY_EX(nID, DIID_DClockEvents, 3, OnAsk)
    SINK_ENTRY_EX(nID, DIID_DClockEvents, 20, OnUndescribed)
    END_SINK_MAP()

    std::vector<std::string> calls;
};

// The program's type library registered in a registry of the test's own.
class EventSink : public testing::Test
{
protected:
    void SetUp() override
    {
        WCHAR program[MAX_PATH];
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        ITypeLib* library = nullptr;
        ASSERT_EQ(LoadTypeLib(program, &library), S_OK);
        ASSERT_EQ(RegisterTypeLib(library, program, nullptr), S_OK);
        library->Release();
    }
    void TearDown() override { EXPECT_EQ(platform::LiveBstrCount(), m_bstrs); }

    platform::TemporaryRegistry m_registry;
    const long m_bstrs = platform::LiveBstrCount();
    Clock m_clock;
};

TEST_F(EventSink, AdvisesOnceAndClearsItsCookieWhateverTheUnadviseAnswers)
{
    ClockSink<0> sink;
    EXPECT_EQ(sink.m_dwEventCookie, 0xFEFEFEFEu);
    EXPECT_EQ(sink.m_libid, LIBID_ClockLib);
    EXPECT_EQ(sink.m_iid, DIID_DClockEvents);
    EXPECT_EQ(sink.m_wMajorVerNum, 3);
    ASSERT_EQ(sink.DispEventAdvise(m_clock.Unknown()), S_OK);
    EXPECT_EQ(sink.m_dwEventCookie, 7u);
    EXPECT_THROW(sink.DispEventAdvise(m_clock.Unknown()), CAtlException) << "a connection exists already";

    // The advised object answers for the event interface; its references are not counted.
    IUnknown* unknown = nullptr;
    EXPECT_EQ(m_clock.Sink()->QueryInterface(DIID_DClockEvents, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(m_clock.Sink()->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&unknown)),
              E_NOINTERFACE);
    EXPECT_EQ(m_clock.Sink()->AddRef(), 1u);
    EXPECT_EQ(m_clock.Sink()->Release(), 1u);

    m_clock.unadviseResult = CONNECT_E_NOCONNECTION;
    EXPECT_EQ(sink.DispEventUnadvise(m_clock.Unknown()), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(m_clock.unadvisedCookie, 7u);
    EXPECT_EQ(sink.m_dwEventCookie, 0xFEFEFEFEu);

    m_clock.adviseResult = CONNECT_E_CANNOTCONNECT;
    EXPECT_EQ(sink.DispEventAdvise(m_clock.Unknown()), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(sink.m_dwEventCookie, 0u) << "the connection point's answer";
    EXPECT_THROW(sink.DispEventAdvise(m_clock.Unknown()), CAtlException) << "0 is no 'none'";
    EXPECT_EQ(ClockSink<0>().DispEventAdvise(nullptr), E_INVALIDARG);
}

TEST_F(EventSink, RoutesEventsByTheSinkMapWithTheDeclaredParameters)
{
    ClockSink<0> sink;
    ASSERT_EQ(sink.DispEventAdvise(m_clock.Unknown()), S_OK);
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(m_clock.Fire(1, {LongVariant(5)}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_ERROR);
    EXPECT_EQ(result.scode, S_FALSE) << "the handler's own answer";
    EXPECT_EQ(m_clock.Fire(1, {TextVariant(L"6")}), S_OK) << "converted to the declared type";
    EXPECT_EQ(m_clock.Fire(2, {BoolVariant(true), TextVariant(L"noon")}), S_OK);
    LONG answer = 0;
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &answer;
    EXPECT_EQ(m_clock.Fire(3, {reference}), S_OK);
    EXPECT_EQ(answer, 42);

    // Answered, and nothing called: an event the map does not list, one the type library does
    // not describe, one with other arguments than described, and a text that is no number.
    EXPECT_EQ(m_clock.Fire(9, {}), S_OK);
    EXPECT_EQ(m_clock.Fire(20, {}), S_OK);
    EXPECT_EQ(m_clock.Fire(1, {}), S_OK);
    EXPECT_EQ(m_clock.Fire(1, {TextVariant(L"six")}), S_OK);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"Tick(5)", "Tick(6)", "Named(noon, -1)", "Ask"}));
    sink.DispEventUnadvise(m_clock.Unknown());
}

template <UINT nID>
class MisdeclaredSink
    : public IDispEventImpl<nID, MisdeclaredSink<nID>, &DIID_DClockEvents, &LIBID_ClockLib, 3, 0>
{
public:
    HRESULT STDMETHODCALLTYPE OnMisdeclared(BSTR)
    {
        ++calls;
        return S_OK;
    }
    BEGIN_SINK_MAP(MisdeclaredSink)
    SINK_ENTRY_EX(nID, DIID_DClockEvents, 1, OnMisdeclared)
    END_SINK_MAP()
    int calls = 0;
};

TEST_F(EventSink, DoesNotCallAHandlerWhoseParametersDifferFromTheDeclaredOnes)
{
    MisdeclaredSink<0> sink;
    ASSERT_EQ(sink.DispEventAdvise(m_clock.Unknown()), S_OK);
    EXPECT_EQ(m_clock.Fire(1, {LongVariant(1)}), S_OK);
    EXPECT_EQ(sink.calls, 0);
    sink.DispEventUnadvise(m_clock.Unknown());
}

TEST_F(EventSink, AClearedClassWideHolderTakesTheLibraryOfTheSinkThatAsksNext)
{
    // A sink class of its own, so that its class-wide holder has loaded nothing yet.
    using Sink = ClockSink<5>;
    Sink::_tih.m_plibid = &GUID_NULL;
    {
        Sink unregistered;
        unregistered.m_wMajorVerNum = 0; // no version 0 of the library is registered
        ASSERT_EQ(unregistered.DispEventAdvise(m_clock.Unknown()), S_OK);
        EXPECT_EQ(m_clock.Fire(1, {LongVariant(1)}), S_OK);
        EXPECT_TRUE(unregistered.calls.empty());
        unregistered.DispEventUnadvise(m_clock.Unknown());
        Sink::_tih.m_plibid = &GUID_NULL;
    }
    Sink registered;
    ASSERT_EQ(registered.DispEventAdvise(m_clock.Unknown()), S_OK);
    EXPECT_EQ(m_clock.Fire(1, {LongVariant(2)}), S_OK);
    EXPECT_EQ(registered.calls, std::vector<std::string>{"Tick(2)"});
    EXPECT_EQ(Sink::_tih.m_wMajor, 3);
    // Once loaded the description stays, whatever library and version the holder names later.
    Sink::_tih.m_wMajor = 0;
    EXPECT_EQ(m_clock.Fire(1, {LongVariant(3)}), S_OK);
    EXPECT_EQ(registered.calls.size(), 2u);
    registered.DispEventUnadvise(m_clock.Unknown());
    Sink::_tih.m_plibid = &GUID_NULL;
}
} // namespace
