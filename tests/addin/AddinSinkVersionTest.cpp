// The add-in object inside the test program, whose event sink state is in reach: the host's
// revision chooses the version of the host type library that describes the events.
#include "FacetorAddin.h"
#include "ScopedTmpdir.h"

#include "registry_testing.h"

#include "sim/Host.h"
#include "ui/ScriptedDriver.h"

#include <gtest/gtest.h>

namespace
{
class CTestModule : public CAtlDllModuleT<CTestModule>
{
public:
    DECLARE_LIBID(LIBID_FacetorLib)
};
} // namespace

CTestModule _AtlModule;

TEST(AddinSinkVersion, FollowsTheHostsMajorRevisionFrom14On)
{
    const struct
    {
        const wchar_t* revision; // null: the host hands out no string
        unsigned short version;
    } cases[] = {
        {L"21.0.0", 21},
        {L"14.0.0", 14},
        {L"13.0.0", 0},
        {L"SolidWorks", 0},
        {nullptr, 0},
        {L" +16.5", 16},
        {L"99999999999.0", 0xFFFF}, // a revision beyond a LONG reads as its largest value
    };
    platform::TemporaryRegistry registry;
    ScopedTmpdir tmpdir;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.revision ? ui::Utf8(c.revision) : "null");
        sim::Host host;
        host.SetRevision(c.revision);
        CComObject<CFacetor>* addin = nullptr;
        ASSERT_EQ(CComObject<CFacetor>::CreateInstance(&addin), S_OK);
        addin->AddRef();
        VARIANT_BOOL flag = VARIANT_FALSE;
        addin->ConnectToSW(host.Application(), 1, &flag);
        EXPECT_EQ(addin->GetHostTypeLibVersion(), int(c.version == 0xFFFF ? 0x7FFFFFFF : c.version));
        EXPECT_EQ(addin->m_libid, LIBID_SldWorks);
        EXPECT_EQ(addin->m_wMajorVerNum, c.version);
        EXPECT_EQ(addin->m_wMinorVerNum, 0);
        EXPECT_EQ(CHostEventSink::_tih.m_wMajor, c.version);
        EXPECT_EQ(addin->m_dwEventCookie, 1u);

        addin->DisconnectFromSW(&flag);
        EXPECT_EQ(addin->m_dwEventCookie, 0xFEFEFEFEu);
        EXPECT_EQ(*CHostEventSink::_tih.m_plibid, GUID_NULL);
        addin->Release();
        EXPECT_EQ(host.LiveReferences(), 0);
    }
}
