#include "ImportOptions.h"
#include "resource.h"

#include "registry_testing.h"

#include "ui/ScriptedDriver.h"

#include "DialogScripts.h"

#include <gtest/gtest.h>

#include <cstring>

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

// The bytes of a resource of the module that holds the dialog.
std::vector<BYTE> ModuleResource(LPCWSTR name, LPCWSTR type)
{
    const HINSTANCE module = AfxGetStaticModuleState()->m_hCurrentResourceHandle;
    HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return std::vector<BYTE>(data, data + SizeofResource(module, found));
}

// Little-endian template data as the resource compiler of the platform lays it out.
struct TemplateBytes
{
    std::vector<BYTE> bytes;

    void Byte(BYTE value) { bytes.push_back(value); }
    void Word(WORD value) { Byte(BYTE(value)), Byte(BYTE(value >> 8)); }
    void Dword(DWORD value) { Word(WORD(value)), Word(WORD(value >> 16)); }
    void Text(const wchar_t* text)
    {
        for (; *text; ++text)
            Word(WORD(*text));
        Word(0);
    }
};

// Everything of template 209 that no person sees in the dialog: the dialog's style, place, size
// and font, and each control's place and size, in template order; and the units list's init data.
TEST_F(OptionsDialog, TemplateAndInitDataBytes)
{
    TemplateBytes dialog;
    dialog.Word(1);           // version
    dialog.Word(0xFFFF);      // the extended form
    dialog.Dword(0);          // help id
    dialog.Dword(0);          // extended style
    dialog.Dword(0x80C800C0); // DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
    dialog.Word(11);
    for (WORD v : {0, 0, 183, 134})
        dialog.Word(v);
    dialog.Word(0); // no menu
    dialog.Word(0); // the standard dialog class
    dialog.Text(L"Facetor for SolidWorks Options");
    dialog.Word(8);   // points
    dialog.Word(400); // weight
    dialog.Byte(0);   // not italic
    dialog.Byte(0);   // character set
    dialog.Text(L"MS Sans Serif");
    const struct
    {
        DWORD id;
        WORD classAtom; // 0x80 button, 0x82 static, 0x85 combo box
        DWORD style;
        const wchar_t* text;
        WORD x, y, cx, cy;
    } controls[] = {
        {1022, 0x80, 0x50020009, L"Solid in a part document", 65, 6, 92, 10},
        {1023, 0x80, 0x50000009, L"3D sketch in a part document", 65, 20, 109, 10},
        {1024, 0x85, 0x50210003, L"", 67, 36, 54, 94},
        {1032, 0x80, 0x50010003, L"Create multibody part (in case of multiple meshes)", 7, 56, 170, 10},
        {201, 0x80, 0x50010003, L"Y axis points upwards", 7, 70, 84, 10},
        {1027, 0x80, 0x50010003, L"Show progress", 7, 85, 63, 10},
        {1, 0x80, 0x50010001, L"&OK", 37, 113, 52, 14},
        {2, 0x80, 0x50010000, L"&Cancel", 97, 113, 52, 14},
        {DWORD(-1), 0x82, 0x50020000, L"Import meshes as", 6, 6, 56, 8},
        {DWORD(-1), 0x82, 0x50020000, L"Units", 7, 39, 17, 8},
        {DWORD(-1), 0x82, 0x50000010, L"", 7, 103, 169, 1},
    };
    for (const auto& c : controls)
    {
        while (dialog.bytes.size() % 4)
            dialog.Byte(0);
        dialog.Dword(0); // help id
        dialog.Dword(0); // extended style
        dialog.Dword(c.style);
        for (WORD v : {c.x, c.y, c.cx, c.cy})
            dialog.Word(v);
        dialog.Dword(c.id);
        dialog.Word(0xFFFF);
        dialog.Word(c.classAtom);
        dialog.Text(c.text);
        dialog.Word(0); // no creation data
    }
    EXPECT_EQ(ModuleResource(MAKEINTRESOURCEW(IDD_OPTIONS), RT_DIALOG), dialog.bytes);

    // Control, 16-bit CB_ADDSTRING, byte count, then the ANSI text with its null; a 0 ends it.
    TemplateBytes init;
    for (const char* unit : {"Millimeters", "Centimeters", "Meters", "Inches", "Feet"})
    {
        init.Word(IDC_COMBO_UNITS);
        init.Word(0x403);
        init.Dword(DWORD(std::strlen(unit) + 1));
        for (const char* p = unit; p <= unit + std::strlen(unit); ++p)
            init.Byte(BYTE(*p));
    }
    init.Word(0);
    EXPECT_EQ(init.bytes.size(), 85u);
    EXPECT_EQ(ModuleResource(MAKEINTRESOURCEW(IDD_OPTIONS), RT_DLGINIT), init.bytes);
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
