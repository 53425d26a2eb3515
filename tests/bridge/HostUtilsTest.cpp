#include "HostUtils.h"

#include "sim/Host.h"
#include "ui/ScriptedDriver.h"
#include "win32_testing.h"

#include <gtest/gtest.h>

TEST(HostUtils, VersionIndexFromTheNumberBeforeTheFirstPoint)
{
    struct Case
    {
        const wchar_t* revision;
        int index;
    };
    const Case cases[] = {{L"21.0.0", 14}, {L"16.0.0", 9}, {L"17.2", 10}, {L"15.0.0", 0}, {L"22.0.0", 0},
                          {L"1.0", 0},     {L"21", 0},     {L"", 0},      {nullptr, 0},  {L" 20.1", 13},
                          {L"-16.0", 0},   {L"x21.0", 0}};
    const long bstrs = platform::LiveBstrCount();
    for (const Case& c : cases)
    {
        sim::Host host;
        host.SetRevision(c.revision);
        EXPECT_EQ(HostUtils::GetHostVersionIndex(host.Application()), c.index)
            << (c.revision ? ui::Utf8(c.revision) : "null");
    }
    sim::Host failing;
    failing.FailCall("GetRevisionNumber", 1);
    EXPECT_EQ(HostUtils::GetHostVersionIndex(failing.Application()), 0);
    EXPECT_EQ(platform::LiveBstrCount(), bstrs);
}

TEST(HostUtils, CheckHostVersionWarnsWithTheRequiredName)
{
    ui::ScriptedDriver driver;
    ui::ScopedDriver scope(driver);
    sim::Host host; // revision 21: index 14
    EXPECT_EQ(HostUtils::CheckHostVersion(host.Application(), 14), 1);
    EXPECT_TRUE(driver.messageBoxes.empty());
    EXPECT_EQ(HostUtils::CheckHostVersion(host.Application(), 11), 0);
    ASSERT_EQ(driver.messageBoxes.size(), 1u);
    EXPECT_EQ(driver.messageBoxes[0].text, L"This add-in is designed to work with SolidWorks 2010 only");
    EXPECT_EQ(driver.messageBoxes[0].caption, L"Incompatible SolidWorks Version");
    EXPECT_EQ(driver.messageBoxes[0].flags, 0x30u);
    EXPECT_EQ(driver.messageBoxes[0].owner, nullptr);
}

TEST(HostUtils, FrameWindowOverHostAnswers)
{
    struct Case
    {
        const char* name;
        const char* failing; // operation made to fail, or null
        bool withoutObject;
        int handle;
        HWND expectedHandle;
    };
    const Case cases[] = {
        {"good", nullptr, false, 0x1234, (HWND)(LONG_PTR)0x1234},
        {"negative handles are sign-extended", nullptr, false, -2, (HWND)(LONG_PTR)-2},
        {"no frame", "GetFrame", true, 0x1234, nullptr},
        {"frame fails", "GetFrame", false, 0x1234, nullptr},
        {"handle fails", "GetWindowHandle", false, 0x1234, nullptr},
        {"zero handle", nullptr, false, 0, nullptr},
    };
    for (const Case& c : cases)
    {
        sim::Host host;
        host.SetFrameHandle(c.handle);
        if (c.failing && c.withoutObject)
            host.FailCallWithoutObject(c.failing, 1);
        else if (c.failing)
            host.FailCall(c.failing, 1);
        EXPECT_EQ(HostUtils::GetHostFrameHandle(host.Application()), c.expectedHandle) << c.name;
        host.ClearFailures();
        if (c.failing && c.withoutObject)
            host.FailCallWithoutObject(c.failing, 2);
        else if (c.failing)
            host.FailCall(c.failing, 2);
        CWnd* window = HostUtils::GetHostFrameWindow(host.Application());
        EXPECT_EQ(window ? window->m_hWnd : nullptr, c.expectedHandle) << c.name;
        EXPECT_EQ(host.LiveReferences(), 0) << c.name;
    }
    EXPECT_EQ(uint64_t((LONG_PTR)HostUtils::GetHostFrameHandle(sim::Host().Application())), 0x1234u);
}

TEST(HostUtils, ActivePopupOfTheActiveWindow)
{
    platform::SetActiveWindow(nullptr);
    EXPECT_EQ(HostUtils::GetActivePopupWindow(), nullptr);
    platform::SetActiveWindow((HWND)0x10, (HWND)0x20);
    EXPECT_EQ(HostUtils::GetActivePopupWindow(), (HWND)0x20);
    platform::SetActiveWindow((HWND)0x10);
    EXPECT_EQ(HostUtils::GetActivePopupWindow(), (HWND)0x10);
    platform::SetActiveWindow(nullptr);
}
