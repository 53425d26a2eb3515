// The terminal driver as facetor-host uses it: settings work the real options dialog, the
// open-file dialog reads a line, progress bars are drawn once per percent.
#include "ImportOptions.h"

#include "registry_testing.h"

#include "ui/TerminalDriver.h"

#include "winuser.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
using Action = ui::DialogSetting::Action;

struct Terminal
{
    std::istringstream input;
    std::ostringstream output, errors;
    ui::TerminalDriver driver{input, output, errors};
    ui::ScopedDriver scope{driver};
};

TEST(TerminalDriver, SettingsWorkTheOptionsDialogAndTheRestKeepsTheStoredValues)
{
    const struct
    {
        const char* name;
        std::vector<ui::DialogSetting> settings;
        std::vector<int> values; // units, import as, multibody, Y up, progress
        const char* reported;
    } cases[] = {
        {"none", {}, {3, 0, 1, 1, 1}, ""},
        {"all",
         {{Action::Click, L"3D sketch in a part document"},
          {Action::Select, L"Millimeters"},
          {Action::Check, L"Create multibody part (in case of multiple meshes)", false},
          {Action::Check, L"Y axis points upwards", false},
          {Action::Check, L"Show progress", false}},
         {0, 1, 0, 0, 0},
         ""},
        {"solid again, feet",
         {{Action::Click, L"Solid in a part document"}, {Action::Select, L"Feet"}},
         {4, 0, 1, 1, 1},
         ""},
        {"unknown names",
         {{Action::Select, L"Furlongs"}, {Action::Check, L"Show progres"}},
         {3, 0, 1, 1, 1},
         "The dialog \"Facetor for SolidWorks Options\" has no control \"Furlongs\"\n"
         "The dialog \"Facetor for SolidWorks Options\" has no control \"Show progres\"\n"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        platform::TemporaryRegistry store;
        Terminal terminal;
        terminal.driver.SetDialogSettings(c.settings);
        int units = -1, importAs = -1, multiBody = -1, yUp = -1, progress = -1;
        ASSERT_TRUE(GetImportOptions(&units, &importAs, &multiBody, &yUp, &progress));
        EXPECT_EQ((std::vector<int>{units, importAs, multiBody, yUp, progress}), c.values);
        EXPECT_EQ(terminal.errors.str(), c.reported);
    }
}

TEST(TerminalDriver, PrintsTheDialogAsConfirmed)
{
    platform::TemporaryRegistry store;
    Terminal terminal;
    terminal.driver.SetDialogSettings({{Action::Click, L"3D sketch in a part document"}});
    int units, importAs, multiBody, yUp, progress;
    GetImportOptions(&units, &importAs, &multiBody, &yUp, &progress);
    EXPECT_EQ(terminal.output.str(), "Facetor for SolidWorks Options\n"
                                     "  [ ] Solid in a part document\n"
                                     "  [x] 3D sketch in a part document\n"
                                     "  [Inches]\n"
                                     "  [x] Create multibody part (in case of multiple meshes)\n"
                                     "  [x] Y axis points upwards\n"
                                     "  [x] Show progress\n"
                                     "  Import meshes as\n"
                                     "  Units\n");
}

TEST(TerminalDriver, TheOpenFileDialogTakesALineAndAnEmptyOneOrTheEndCancels)
{
    const struct
    {
        const char* input;
        int result;
        std::wstring typed;
    } cases[] = {
        {"  /tmp/a b.stl \n", IDOK, L"/tmp/a b.stl"},
        {"/tmp/\xC3\xA9t\xC3\xA9.stl", IDOK, L"/tmp/\u00E9t\u00E9.stl"},
        {"\n/tmp/later.stl\n", IDCANCEL, L""},
        {"", IDCANCEL, L""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.input);
        Terminal terminal;
        terminal.input.str(c.input);
        const ui::FileDialogAnswer answer = ui::CurrentDriver().ShowFileDialog(
            {true, L"stl", L"", 0, L"Stereolithography STL Files (*.stl)|*.stl||", nullptr});
        EXPECT_EQ(answer.result, c.result);
        EXPECT_EQ(answer.typed, c.typed);
        EXPECT_EQ(terminal.output.str().rfind("Open (Stereolithography STL Files (*.stl)), an empty line cancels: ", 0),
                  0u);
    }
}

TEST(TerminalDriver, ProgressIsDrawnOncePerPercentAndOnlyOnceStarted)
{
    using ui::ProgressCall;
    Terminal terminal;
    ui::Driver& driver = terminal.driver;
    driver.Progress({1, ProgressCall::Construct, L"Creating mesh", L"", 0, 0, 100});
    driver.Progress({1, ProgressCall::StepIt, L"", L"", 1}); // not started: nothing drawn
    driver.Progress({1, ProgressCall::SetMax, L"", L"", 8});
    driver.Progress({1, ProgressCall::StartProgress});
    for (int i = 0; i < 8; ++i)
        driver.Progress({1, ProgressCall::StepIt, L"", L"", 1});
    // A new status is drawn though the percent stays.
    driver.Progress({1, ProgressCall::SetStatus, L"Almost"});
    driver.Progress({1, ProgressCall::EndProgress});
    driver.Progress({1, ProgressCall::Destroy});
    std::string drawn = terminal.errors.str();
    for (size_t at; (at = drawn.find("\x1b[K")) != std::string::npos;)
        drawn.erase(at, 3);
    EXPECT_EQ(drawn, "\rCreating mesh [..............................] 0% "
                     "\rCreating mesh [###...........................] 12% "
                     "\rCreating mesh [#######.......................] 25% "
                     "\rCreating mesh [###########...................] 37% "
                     "\rCreating mesh [###############...............] 50% "
                     "\rCreating mesh [##################............] 62% "
                     "\rCreating mesh [######################........] 75% "
                     "\rCreating mesh [##########################....] 87% "
                     "\rCreating mesh [##############################] 100% "
                     "\rCreating mesh [##############################] 100% Almost\n");
    EXPECT_EQ(terminal.output.str(), "");
}
} // namespace
