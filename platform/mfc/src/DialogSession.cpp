// A person's actions on a running dialog, as the standard controls answer them.
#include "DialogSession.h"

#include "afxdialog.h"
#include "winuser.h"

namespace platform::mfc
{
namespace
{
constexpr DWORD WS_DISABLED = 0x08000000, WS_GROUP = 0x00020000;
constexpr DWORD kPushButton = 0, kDefPushButton = 1, kAutoCheckBox = 3, kAuto3State = 6, kAutoRadioButton = 9;
} // namespace

std::wstring DialogSession::Caption() const
{
    return m_window.caption;
}

std::vector<ui::ControlView> DialogSession::Controls() const
{
    std::vector<ui::ControlView> views;
    for (const Control& c : m_window.controls)
        views.push_back(
            {c.id, c.windowClass, c.style, c.text, c.checkState != 0, c.selection, c.items, c.checkState});
    return views;
}

bool DialogSession::Ended() const
{
    return m_window.ended;
}

Control* DialogSession::Usable(int controlId)
{
    Control* control = m_window.ended ? nullptr : m_window.Find(controlId);
    return control && !(control->style & WS_DISABLED) ? control : nullptr;
}

// An automatic radio button clears the other automatic ones of its group (from the control that
// starts the group up to the next one that starts a group).
void DialogSession::TickInGroup(Control& radio)
{
    std::vector<Control>& controls = m_window.controls;
    size_t first = size_t(&radio - controls.data());
    while (first > 0 && !(controls[first].style & WS_GROUP))
        --first;
    for (size_t i = first; i < controls.size() && (i == first || !(controls[i].style & WS_GROUP)); ++i)
        if (controls[i].IsButtonOfType(kAutoRadioButton))
            controls[i].checkState = 0;
    radio.checkState = 1;
}

void DialogSession::Click(int controlId)
{
    Control* control = Usable(controlId);
    if (!control || control->windowClass != L"button")
        return;
    if (control->IsButtonOfType(kAutoRadioButton))
        TickInGroup(*control);
    else if (control->IsButtonOfType(kAutoCheckBox))
        control->checkState = control->checkState ? 0 : 1;
    else if (control->IsButtonOfType(kAuto3State))
        control->checkState = (control->checkState + 1) % 3;
    else if (control->IsButtonOfType(kPushButton) || control->IsButtonOfType(kDefPushButton))
    {
        if (controlId == IDOK)
            m_dialog.OnOK();
        else if (controlId == IDCANCEL)
            m_dialog.OnCancel();
    }
}

void DialogSession::SetCheck(int controlId, bool checked)
{
    if (Control* control = Usable(controlId); control && control->windowClass == L"button")
        control->checkState = checked ? 1 : 0;
}

void DialogSession::Select(int controlId, int index)
{
    if (Control* control = Usable(controlId); control && control->IsListOrCombo())
        control->selection = index >= 0 && size_t(index) < control->items.size() ? index : -1;
}

void DialogSession::PressEscape()
{
    if (!m_window.ended)
        m_dialog.OnCancel();
}

void DialogSession::PressCloseBox()
{
    if (!m_window.ended)
        m_dialog.OnCancel();
}
} // namespace platform::mfc
