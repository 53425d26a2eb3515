#include "afxwin.h"

#include "DialogIds.h"

#include "ui/ScriptedDriver.h"

#include "DialogScripts.h"

#include <gtest/gtest.h>

namespace
{
using fixtures::View;

class OptionsDialog : public CDialog
{
public:
    explicit OptionsDialog(UINT id = IDD_OPTIONS) : CDialog(id) {}

    int m_choice = 1;
    int m_flag = 1;
    int m_item = 1;
    int m_otherGroup = -1;
    bool m_refuseOK = false;
    bool m_exchangeMissingControl = false;
    int m_okCalls = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Radio(pDX, IDC_A, m_choice);
        DDX_Check(pDX, IDC_FLAG, m_flag);
        DDX_CBIndex(pDX, IDC_LIST, m_item);
        DDX_Radio(pDX, IDC_C, m_otherGroup);
        if (m_exchangeMissingControl)
            DDX_Check(pDX, 4242, m_flag);
        if (m_refuseOK && pDX->m_bSaveAndValidate)
            pDX->Fail();
    }
    void OnOK() override
    {
        ++m_okCalls;
        CDialog::OnOK();
    }
};

class Dialog : public ::testing::Test
{
protected:
    ui::ScriptedDriver m_driver;
    ui::ScopedDriver m_scope{m_driver};
};

TEST_F(Dialog, ShowsTheTemplateWithInitDataAndMembers)
{
    OptionsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(m_driver.dialogs.size(), 1u);
    const auto& shown = m_driver.dialogs[0];
    EXPECT_EQ(shown.caption, L"Options");
    ASSERT_EQ(shown.controlsAtStart.size(), 8u);
    EXPECT_EQ(shown.controlsAtStart[0].windowClass, L"button");
    EXPECT_EQ(shown.controlsAtStart[0].style, 0x50020009u);
    EXPECT_EQ(shown.controlsAtStart[3].windowClass, L"combobox");
    EXPECT_EQ(shown.controlsAtStart[6].text, L"&OK");

    const auto& start = shown.controlsAtStart;
    EXPECT_FALSE(View(start, IDC_A).checked);
    EXPECT_TRUE(View(start, IDC_B).checked); // index 1: the check box between them is not counted
    EXPECT_FALSE(View(start, IDC_INSIDE).checked);
    EXPECT_FALSE(View(start, IDC_C).checked); // the next group is a group of its own
    EXPECT_EQ(View(start, IDC_LIST).items, (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_EQ(View(start, IDC_LIST).selection, 1);
    EXPECT_TRUE(View(start, IDC_FLAG).checked);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(Dialog, OkMovesTheControlsIntoTheMembers)
{
    m_driver.QueueDialog(
        [](ui::ModalDialog& d)
        {
            d.Click(IDC_A);
            d.Click(IDC_FLAG);
            d.Select(IDC_LIST, 0);
            d.Click(IDC_C);
            d.Click(IDOK);
        });
    OptionsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_choice, 0);
    EXPECT_EQ(dialog.m_flag, 0);
    EXPECT_EQ(dialog.m_item, 0);
    EXPECT_EQ(dialog.m_otherGroup, 0);
    const auto& end = m_driver.dialogs[0].controlsAtEnd;
    EXPECT_FALSE(View(end, IDC_B).checked); // ticking A cleared B
    EXPECT_TRUE(View(end, IDC_C).checked);  // and C, in a group of its own, was ticked alone
}

TEST_F(Dialog, ValuesWithoutAControlShowNothingAndSaveAsNone)
{
    m_driver.QueueDialog([](ui::ModalDialog& d) { d.Click(IDOK); });
    OptionsDialog dialog;
    dialog.m_choice = 2;
    dialog.m_item = 7;
    dialog.m_flag = 5;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const auto& start = m_driver.dialogs[0].controlsAtStart;
    EXPECT_FALSE(View(start, IDC_A).checked);
    EXPECT_FALSE(View(start, IDC_B).checked);
    EXPECT_EQ(View(start, IDC_LIST).selection, -1);
    EXPECT_FALSE(View(start, IDC_FLAG).checked);
    EXPECT_EQ(dialog.m_choice, -1);
    EXPECT_EQ(dialog.m_item, -1);
    EXPECT_EQ(dialog.m_flag, 0);

    // A check box keeps an indeterminate state, and hands it back.
    m_driver.QueueDialog([](ui::ModalDialog& d) { d.Click(IDOK); });
    OptionsDialog indeterminate;
    indeterminate.m_flag = 2;
    EXPECT_EQ(indeterminate.DoModal(), IDOK);
    EXPECT_EQ(View(m_driver.dialogs[1].controlsAtStart, IDC_FLAG).checkState, 2);
    EXPECT_EQ(indeterminate.m_flag, 2);
}

TEST_F(Dialog, CancelEscapeAndTheCloseBoxExchangeNothing)
{
    for (const auto& ending : fixtures::CancelEndings())
    {
        m_driver.QueueDialog(
            [&](ui::ModalDialog& d)
            {
                d.Click(IDC_A);
                ending(d);
            });
        OptionsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.m_choice, 1);
        EXPECT_EQ(dialog.m_okCalls, 0);
    }
}

TEST_F(Dialog, AFailedExchangeKeepsTheDialogOpen)
{
    bool endedAfterOK = true;
    m_driver.QueueDialog(
        [&](ui::ModalDialog& d)
        {
            d.Click(IDOK);
            endedAfterOK = d.Ended();
            d.PressEscape();
        });
    OptionsDialog dialog;
    dialog.m_refuseOK = true;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(endedAfterOK);
    EXPECT_EQ(dialog.m_okCalls, 1);
}

TEST_F(Dialog, DialogsThatCannotBeCreatedGiveMinusOneAndShowNothing)
{
    OptionsDialog missing(IDD_MISSING);
    EXPECT_EQ(missing.DoModal(), -1);
    OptionsDialog brokenInit(IDD_BROKEN_INIT);
    EXPECT_EQ(brokenInit.DoModal(), -1);
    OptionsDialog missingControl;
    missingControl.m_exchangeMissingControl = true;
    EXPECT_EQ(missingControl.DoModal(), -1);
    EXPECT_TRUE(m_driver.dialogs.empty());
    EXPECT_FALSE(missingControl.UpdateData(FALSE)); // nor does an exchange without a window succeed
}

TEST_F(Dialog, TheTemplateComesFromTheCurrentResourceModule)
{
    AFX_MODULE_STATE elsewhere(GetModuleHandleW(L"libfacetor_mfc.so"));
    {
        AFX_MANAGE_STATE(&elsewhere);
        OptionsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), -1);
        EXPECT_EQ(AfxGetModuleState(), &elsewhere);
    }
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
    OptionsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
}
} // namespace
