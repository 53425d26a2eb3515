// What the user-interface driver works while a dialog runs: it reads the controls and acts on
// them as a person would, through the dialog's own virtual OnOK and OnCancel.
#pragma once

#include "DialogWindow.h"

#include "ui/ModalDialog.h"

class CDialog;

namespace platform::mfc
{
class DialogSession : public ui::ModalDialog
{
public:
    DialogSession(CDialog& dialog, DialogWindow& window) : m_dialog(dialog), m_window(window) {}

    std::wstring Caption() const override;
    std::vector<ui::ControlView> Controls() const override;
    bool Ended() const override;
    void Click(int controlId) override;
    void SetCheck(int controlId, bool checked) override;
    void Select(int controlId, int index) override;
    void PressEscape() override;
    void PressCloseBox() override;

private:
    // A control a person can reach: present, enabled, and the dialog still open.
    Control* Usable(int controlId);
    void TickInGroup(Control& radio);

    CDialog& m_dialog;
    DialogWindow& m_window;
};
} // namespace platform::mfc
