#include "afxdisp.h"
#include "afxdlgs.h"
#include "afxwin.h"
#include "win32_testing.h"

#include "ui/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
HWND FakeWindow(uintptr_t n)
{
    return reinterpret_cast<HWND>(n);
}

TEST(ModuleState, ManageStateRestoresThePreviousStateOnEveryWayOut)
{
    AFX_MODULE_STATE* const before = AfxGetModuleState();
    EXPECT_EQ(before, AfxGetAppModuleState());
    EXPECT_NE(AfxGetStaticModuleState(), before);
    EXPECT_EQ(AfxGetStaticModuleState()->m_hCurrentResourceHandle, GetModuleHandleW(nullptr));
    try
    {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
        throw std::runtime_error("leave early");
    }
    catch (const std::runtime_error&)
    {
    }
    EXPECT_EQ(AfxGetModuleState(), before);
}

TEST(ModuleState, CanUnloadWhenNoFrameworkObjectIsAlive)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    EXPECT_EQ(AfxDllCanUnloadNow(), S_OK);
    AfxOleLockApp();
    EXPECT_EQ(AfxDllCanUnloadNow(), S_FALSE);
    AfxOleUnlockApp();
    EXPECT_EQ(AfxDllCanUnloadNow(), S_OK);
}

TEST(WinApp, TheThreadsMainWindowFallsBackToTheActiveWindow)
{
    AFX_MODULE_STATE state(GetModuleHandleW(nullptr));
    AFX_MANAGE_STATE(&state);
    EXPECT_EQ(AfxGetThread(), nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    {
        CWinApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(AfxGetThread(), &app);
        EXPECT_EQ(app.m_pszAppName, nullptr);
        EXPECT_TRUE(app.InitInstance());
        EXPECT_EQ(app.ExitInstance(), 0);

        platform::SetActiveWindow(nullptr);
        EXPECT_EQ(AfxGetMainWnd(), nullptr);
        platform::SetActiveWindow(FakeWindow(0x5000));
        ASSERT_NE(AfxGetMainWnd(), nullptr);
        EXPECT_EQ(AfxGetMainWnd()->m_hWnd, FakeWindow(0x5000));
        CWnd main;
        main.m_hWnd = FakeWindow(0x6000);
        app.m_pMainWnd = &main;
        EXPECT_EQ(AfxGetMainWnd(), &main);
        platform::SetActiveWindow(nullptr);
    }
    EXPECT_EQ(AfxGetThread(), nullptr);
}

class FileDialog : public ::testing::Test
{
protected:
    ui::ScriptedDriver m_driver;
    ui::ScopedDriver m_scope{m_driver};
};

TEST_F(FileDialog, OpenModeAddsTheDefaultExtensionToANameWithout)
{
    const struct
    {
        const wchar_t* typed;
        const wchar_t* path;
    } cases[] = {
        {L"/models/part", L"/models/part.stl"},
        {L"/models/part.obj", L"/models/part.obj"},
        {L"/models.v2/part", L"/models.v2/part.stl"},
        {L"C:\\x.stl\\part", L"C:\\x.stl\\part.stl"},
    };
    CWnd parent;
    parent.m_hWnd = FakeWindow(0x7000);
    for (const auto& c : cases)
    {
        m_driver.QueueFileDialog(IDOK, c.typed);
        CFileDialog dialog(TRUE, L"stl", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           L"STL (*.stl)|*.stl||", &parent);
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetPathName(), c.path);
    }
    const ui::FileDialogRequest& request = m_driver.fileDialogs.at(0);
    EXPECT_TRUE(request.openFileDialog);
    EXPECT_EQ(request.defaultExtension, L"stl");
    EXPECT_EQ(request.filter, L"STL (*.stl)|*.stl||");
    EXPECT_EQ(request.flags, DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLEHOOK | OFN_EXPLORER));
    EXPECT_EQ(request.parent, parent.m_hWnd);
}

TEST_F(FileDialog, CancelAndTheOwnerWithoutAParent)
{
    platform::SetActiveWindow(FakeWindow(0x8000), FakeWindow(0x8100));
    AFX_MODULE_STATE state(GetModuleHandleW(nullptr));
    AFX_MANAGE_STATE(&state);
    CWinApp app;
    m_driver.QueueFileDialog(IDCANCEL, L"/ignored");
    CFileDialog dialog(TRUE, L"stl");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_driver.fileDialogs.at(0).parent, FakeWindow(0x8100));
    platform::SetActiveWindow(nullptr);
}
} // namespace
