#include "ProductCaption.h"

#include "sim/Host.h"
#include "win32_testing.h"

#include "ui/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>

namespace
{
class CaptionHelpAbout : public ::testing::Test
{
protected:
    void TearDown() override
    {
        EXPECT_EQ(m_host.LiveReferences(), 0);
        EXPECT_EQ(platform::LiveBstrCount(), m_bstrsBefore);
    }

    // The revision requests in the journal: one per rebuilt caption.
    std::vector<std::string> RevisionRequests(std::initializer_list<const char*> revisions) const
    {
        std::vector<std::string> lines;
        for (const char* revision : revisions)
            lines.push_back(std::string("app.GetRevisionNumber() -> S_OK, \"") + revision + "\"");
        return lines;
    }

    long m_bstrsBefore = platform::LiveBstrCount();
    sim::Host m_host;
    ui::ScriptedDriver m_driver;
    ui::ScopedDriver m_scope{m_driver};
};

TEST_F(CaptionHelpAbout, TheCaptionNamesTheRunningHostVersion)
{
    const struct
    {
        const wchar_t* revision;
        const wchar_t* caption;
    } cases[] = {
        {L"21.0.0", L"Facetor for SolidWorks 2013 version 1.0"},
        {L"16.2.1", L"Facetor for SolidWorks 2008 version 1.0"},
        {L"18.0", L"Facetor for SolidWorks 2010 version 1.0"},
        {L"15.0.0", L"Facetor for SolidWorks ???? version 1.0"},
        {L"22.0.0", L"Facetor for SolidWorks ???? version 1.0"},
        {nullptr, L"Facetor for SolidWorks ???? version 1.0"},
    };
    for (const auto& c : cases)
    {
        m_host.SetRevision(c.revision);
        BuildProductCaption(m_host.Application());
        EXPECT_STREQ(ProductCaption, c.caption) << (c.revision ? c.revision : L"null");
    }
    EXPECT_EQ(m_host.CallCount("GetRevisionNumber"), int(std::size(cases)));
}

TEST_F(CaptionHelpAbout, MessagesAreWarningsUnderTheCaptionOwnedByTheMainWindow)
{
    BuildProductCaption(m_host.Application());
    AFX_MODULE_STATE state(GetModuleHandleW(nullptr));
    AFX_MANAGE_STATE(&state);
    ShowMessage(L"no thread object");
    {
        CWinApp app;
        platform::SetActiveWindow(nullptr);
        ShowMessage(L"no main window");
        platform::SetActiveWindow(reinterpret_cast<HWND>(0x4400));
        ShowMessage(L"the active window");
        CWnd main;
        main.m_hWnd = reinterpret_cast<HWND>(0x4500);
        app.m_pMainWnd = &main;
        ShowMessage(L"the main window");
        platform::SetActiveWindow(nullptr);
    }
    const std::string caption = "\"Facetor for SolidWorks 2013 version 1.0\"";
    EXPECT_EQ(m_driver.log, (std::vector<std::string>{
                                "MessageBox(null, \"no thread object\", " + caption + ", 0x30) -> 1",
                                "MessageBox(null, \"no main window\", " + caption + ", 0x30) -> 1",
                                "MessageBox(0x4400, \"the active window\", " + caption + ", 0x30) -> 1",
                                "MessageBox(0x4500, \"the main window\", " + caption + ", 0x30) -> 1",
                            }));
}

TEST_F(CaptionHelpAbout, HelpOpensTheFileBesideTheModule)
{
    // Without the module the help is looked for beside the program, where there is none.
    m_host.SetRevision(L"17.0");
    ShowHelp(m_host.Application());
    ASSERT_EQ(m_driver.messageBoxes.size(), 1u);
    EXPECT_EQ(m_driver.messageBoxes[0].text, L"Error displaying Facetor for SolidWorks help file.");
    EXPECT_EQ(m_driver.messageBoxes[0].caption, L"Facetor for SolidWorks 2009 version 1.0");
    EXPECT_EQ(m_driver.messageBoxes[0].flags, 0x30u);

    void* module = dlopen(FACETOR_HELP_MODULE, RTLD_NOW);
    ASSERT_NE(module, nullptr) << dlerror();
    const std::filesystem::path help =
        std::filesystem::path(FACETOR_HELP_MODULE).parent_path() / "Facetor.chm";
    std::filesystem::remove(help);
    m_host.SetRevision(L"19.0");
    ShowHelp(m_host.Application());
    ASSERT_EQ(m_driver.messageBoxes.size(), 2u);
    EXPECT_EQ(m_driver.messageBoxes[1].caption, L"Facetor for SolidWorks 2011 version 1.0");

    std::ofstream(help) << "help";
    ShowHelp(m_host.Application());
    EXPECT_EQ(m_driver.messageBoxes.size(), 2u);
    EXPECT_EQ(m_driver.shellOpened, std::vector<std::wstring>{help.wstring()});
    std::filesystem::remove(help);
    dlclose(module);
    EXPECT_EQ(m_host.Journal(), RevisionRequests({"17.0", "19.0", "19.0"}));
}

TEST_F(CaptionHelpAbout, AboutReceivesTheCaptionOfTheRunningHost)
{
    m_host.SetRevision(L"20.0");
    ShowAbout(m_host.Application());
    m_host.SetRevision(L"3.0");
    ShowAbout(m_host.Application());
    EXPECT_EQ(m_driver.aboutCaptions,
              (std::vector<std::wstring>{L"Facetor for SolidWorks 2012 version 1.0",
                                         L"Facetor for SolidWorks ???? version 1.0"}));
    EXPECT_EQ(m_driver.log.back(), "About(\"Facetor for SolidWorks ???? version 1.0\", null)");
    EXPECT_EQ(m_host.Journal(), RevisionRequests({"20.0", "3.0"}));
}
} // namespace
