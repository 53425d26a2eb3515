// What a driver sees of a modal dialog while it runs: its caption, its controls, and the
// actions a person can take on them.
#pragma once

#include "wintypes.h"

#include <string>
#include <vector>

namespace ui
{
struct ControlView
{
    int id;
    std::wstring windowClass; // "button", "combobox", "static", ...
    DWORD style;
    std::wstring text;
    bool checked;               // buttons
    int selection;              // combo boxes: selected index, -1 for none
    std::vector<std::wstring> items; // combo boxes
    int checkState = 0;         // buttons: 0 clear, 1 ticked, 2 indeterminate
};

class ModalDialog
{
public:
    virtual ~ModalDialog() = default;

    virtual std::wstring Caption() const = 0;
    virtual std::vector<ControlView> Controls() const = 0;
    virtual bool Ended() const = 0;

    // A click on a button: a radio button becomes the ticked one of its group, a check box
    // toggles, a push button is pressed (IDOK and IDCANCEL end the dialog the framework's way).
    virtual void Click(int controlId) = 0;
    // Sets a check box to a state.
    virtual void SetCheck(int controlId, bool checked) = 0;
    // Selects an item of a combo box (-1 clears the selection).
    virtual void Select(int controlId, int index) = 0;
    // The Esc key and the close box, which end the dialog as Cancel does.
    virtual void PressEscape() = 0;
    virtual void PressCloseBox() = 0;
};
} // namespace ui
