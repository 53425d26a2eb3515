#include "ImportOptions.h"
#include "resource.h"

#include "registry_testing.h"

#include "ui/ScriptedDriver.h"

#include "DialogScripts.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace
{
using fixtures::View;

struct Options
{
    int units = 99, importAs = 99, multiBody = 99, yUp = 99, progress = 99;

    BOOL Get() { return GetImportOptions(&units, &importAs, &multiBody, &yUp, &progress); }
    std::vector<int> Values() const { return {units, importAs, multiBody, yUp, progress}; }
};

std::string StoredSettings(const std::string& lines)
{
    return "Windows Registry Editor Version 5.00\n"
           "\n[HKEY_CURRENT_USER\\Software]\n"
           "\n[HKEY_CURRENT_USER\\Software\\Norvek]\n"
           "\n[HKEY_CURRENT_USER\\Software\\Norvek\\Facetor for SolidWorks]\n" +
           lines;
}

void Store(const wchar_t* name, DWORD value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Norvek\\Facetor for SolidWorks", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

class OptionsDialog : public ::testing::Test
{
protected:
    platform::TemporaryRegistry m_store;
    ui::ScriptedDriver m_driver;
    ui::ScopedDriver m_scope{m_driver};
};

TEST_F(OptionsDialog, TemplateAsTheResourceScriptGivesIt)
{
    Options options;
    options.Get();
    ASSERT_EQ(m_driver.dialogs.size(), 1u);
    EXPECT_EQ(m_driver.dialogs[0].caption, L"Facetor for SolidWorks Options");
    const struct
    {
        int id;
        const wchar_t* windowClass;
        DWORD style;
        const wchar_t* text;
    } expected[] = {
        {1022, L"button", 0x50020009, L"Solid in a part document"},
        {1023, L"button", 0x50000009, L"3D sketch in a part document"},
        {1024, L"combobox", 0x50210003, L""},
        {1032, L"button", 0x50010003, L"Create multibody part (in case of multiple meshes)"},
        {201, L"button", 0x50010003, L"Y axis points upwards"},
        {1027, L"button", 0x50010003, L"Show progress"},
        {IDOK, L"button", 0x50010001, L"&OK"},
        {IDCANCEL, L"button", 0x50010000, L"&Cancel"},
        {-1, L"static", 0x50020000, L"Import meshes as"},
        {-1, L"static", 0x50020000, L"Units"},
        {-1, L"static", 0x50000010, L""},
    };
    const std::vector<ui::ControlView>& controls = m_driver.dialogs[0].controlsAtStart;
    ASSERT_EQ(controls.size(), std::size(expected));
    for (size_t i = 0; i < controls.size(); ++i)
    {
        EXPECT_EQ(controls[i].id, expected[i].id) << i;
        EXPECT_EQ(controls[i].windowClass, expected[i].windowClass) << i;
        EXPECT_EQ(controls[i].style, expected[i].style) << i;
        EXPECT_EQ(controls[i].text, expected[i].text) << i;
    }
    EXPECT_EQ(View(controls, IDC_COMBO_UNITS).items,
              (std::vector<std::wstring>{L"Millimeters", L"Centimeters", L"Meters", L"Inches", L"Feet"}));
}

TEST_F(OptionsDialog, OpensWithTheDefaultsAndOkStoresAllFiveInOrder)
{
    m_driver.QueueDialog(
        [](ui::ModalDialog& d)
        {
            const std::vector<ui::ControlView> shown = d.Controls();
            EXPECT_TRUE(View(shown, IDC_RADIO_SOLID).checked);
            EXPECT_FALSE(View(shown, IDC_RADIO_SKETCH).checked);
            EXPECT_EQ(View(shown, IDC_COMBO_UNITS).selection, 3); // Inches
            EXPECT_TRUE(View(shown, IDC_CHECK_MULTIBODY).checked);
            EXPECT_TRUE(View(shown, IDC_CHECK_YUP).checked);
            EXPECT_TRUE(View(shown, IDC_CHECK_PROGRESS).checked);
            d.Click(IDC_RADIO_SKETCH);
            d.Select(IDC_COMBO_UNITS, 4);
            d.Click(IDC_CHECK_MULTIBODY);
            d.Click(IDC_CHECK_PROGRESS);
            d.Click(IDOK);
        });
    Options options;
    EXPECT_TRUE(options.Get());
    // unit, import mode, multibody, Y up, progress
    EXPECT_EQ(options.Values(), (std::vector<int>{4, 1, 0, 1, 0}));
    EXPECT_EQ(platform::DumpRegistry(), StoredSettings("\"Import As\"=dword:00000001\n"
                                                       "\"Units\"=dword:00000004\n"
                                                       "\"MultiBody\"=dword:00000000\n"
                                                       "\"Y Up\"=dword:00000001\n"
                                                       "\"Progress\"=dword:00000000\n"));

    // Unchanged values are written too: a second OK rewrites the same five.
    Options again;
    EXPECT_TRUE(again.Get());
    EXPECT_EQ(again.Values(), options.Values());
    EXPECT_EQ(m_driver.dialogs.size(), 2u);
}

TEST_F(OptionsDialog, CancelEscapeAndTheCloseBoxWriteNothing)
{
    for (const auto& ending : fixtures::CancelEndings())
    {
        m_driver.QueueDialog(
            [&](ui::ModalDialog& d)
            {
                d.Click(IDC_RADIO_SKETCH);
                ending(d);
            });
        Options options;
        EXPECT_FALSE(options.Get());
        EXPECT_EQ(options.Values(), (std::vector<int>{99, 99, 99, 99, 99}));
    }
    EXPECT_EQ(platform::DumpRegistry(), "");
}

TEST_F(OptionsDialog, StoredValuesNoControlCanShowAreHandedOnAsNoChoice)
{
    Store(L"Import As", 2);
    Store(L"Units", 7);
    m_driver.QueueDialog(
        [](ui::ModalDialog& d)
        {
            const std::vector<ui::ControlView> shown = d.Controls();
            EXPECT_FALSE(View(shown, IDC_RADIO_SOLID).checked);
            EXPECT_FALSE(View(shown, IDC_RADIO_SKETCH).checked);
            EXPECT_EQ(View(shown, IDC_COMBO_UNITS).selection, -1);
            d.Click(IDOK);
        });
    Options options;
    EXPECT_TRUE(options.Get());
    EXPECT_EQ(options.units, -1);
    EXPECT_EQ(options.importAs, -1);
    EXPECT_EQ(platform::DumpRegistry(), StoredSettings("\"Import As\"=dword:ffffffff\n"
                                                       "\"Units\"=dword:ffffffff\n"
                                                       "\"MultiBody\"=dword:00000001\n"
                                                       "\"Y Up\"=dword:00000001\n"
                                                       "\"Progress\"=dword:00000001\n"));
}

TEST_F(OptionsDialog, ADialogThatCannotBeCreatedGivesTheConstructorValues)
{
    AFX_MODULE_STATE* state = AfxGetStaticModuleState();
    const HINSTANCE resources = state->m_hCurrentResourceHandle;
    state->m_hCurrentResourceHandle = GetModuleHandleW(L"libfacetor_mfc.so"); // a module without template 209
    Options options;
    const BOOL result = options.Get();
    state->m_hCurrentResourceHandle = resources;
    EXPECT_TRUE(result);
    EXPECT_EQ(options.Values(), (std::vector<int>{-1, -1, 0, 0, 0}));
    EXPECT_TRUE(m_driver.dialogs.empty());
    EXPECT_EQ(platform::DumpRegistry(), "");
}

TEST_F(OptionsDialog, RunsInTheModulesOwnStateAndRestoresTheCallers)
{
    AFX_MODULE_STATE hostState(GetModuleHandleW(nullptr));
    AFX_MANAGE_STATE(&hostState);
    std::vector<AFX_MODULE_STATE*> during;
    m_driver.onShow = [&] { during.push_back(AfxGetModuleState()); };
    m_driver.QueueDialog([](ui::ModalDialog& d) { d.Click(IDOK); });
    m_driver.QueueDialog([](ui::ModalDialog& d) { d.Click(IDCANCEL); });
    Options options;
    EXPECT_TRUE(options.Get());
    EXPECT_EQ(AfxGetModuleState(), &hostState);
    EXPECT_FALSE(options.Get());
    EXPECT_EQ(AfxGetModuleState(), &hostState);
    EXPECT_EQ(during, (std::vector<AFX_MODULE_STATE*>{AfxGetStaticModuleState(), AfxGetStaticModuleState()}));
}

TEST_F(OptionsDialog, SettingsPersistIntoTheNextProcess)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        ui::ScriptedDriver driver;
        ui::ScopedDriver scope(driver);
        driver.QueueDialog(
            [](ui::ModalDialog& d)
            {
                d.Click(IDC_RADIO_SKETCH);
                d.Select(IDC_COMBO_UNITS, 2);
                d.Click(IDC_CHECK_YUP);
                d.Click(IDOK);
            });
        Options options;
        _exit(options.Get() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    m_driver.QueueDialog(
        [](ui::ModalDialog& d)
        {
            const std::vector<ui::ControlView> shown = d.Controls();
            EXPECT_TRUE(View(shown, IDC_RADIO_SKETCH).checked);
            EXPECT_EQ(View(shown, IDC_COMBO_UNITS).selection, 2);
            EXPECT_FALSE(View(shown, IDC_CHECK_YUP).checked);
            d.Click(IDCANCEL);
        });
    Options options;
    EXPECT_FALSE(options.Get());
    EXPECT_EQ(m_driver.dialogs.size(), 1u);
}
} // namespace
