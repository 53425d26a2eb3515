// The controls of running dialogs, and the handles that name them.
#include "DialogWindow.h"

#include <set>

namespace platform::mfc
{
namespace
{
constexpr DWORD kButtonTypeMask = 0x0F;
constexpr DWORD kRadioButton = 4, kAutoRadioButton = 9;

std::set<const DialogWindow*>& RunningDialogs()
{
    static std::set<const DialogWindow*> dialogs;
    return dialogs;
}
} // namespace

bool Control::IsButtonOfType(DWORD type) const
{
    return windowClass == L"button" && (style & kButtonTypeMask) == type;
}

bool Control::IsRadioButton() const
{
    return IsButtonOfType(kRadioButton) || IsButtonOfType(kAutoRadioButton);
}

bool Control::IsListOrCombo() const
{
    return windowClass == L"combobox" || windowClass == L"listbox";
}

DialogWindow::DialogWindow()
{
    RunningDialogs().insert(this);
}

DialogWindow::~DialogWindow()
{
    RunningDialogs().erase(this);
}

Control* DialogWindow::Find(int id)
{
    for (Control& control : controls)
        if (control.id == id)
            return &control;
    return nullptr;
}

DialogWindow* DialogWindow::FromHandle(HWND hWnd)
{
    auto* window = reinterpret_cast<DialogWindow*>(hWnd);
    return RunningDialogs().count(window) ? window : nullptr;
}
} // namespace platform::mfc
