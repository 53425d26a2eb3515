// A running dialog as the framework stand-in holds it: the template's caption and controls with
// their state. Its address is the dialog's window handle, a control's address the control's.
#pragma once

#include "wintypes.h"

#include <string>
#include <vector>

namespace platform::mfc
{
struct Control
{
    int id;
    std::wstring windowClass; // lower case: "button", "combobox", "static", ...
    DWORD style;
    std::wstring text;
    int checkState = 0; // buttons: 0 clear, 1 ticked, 2 indeterminate
    int selection = -1; // combo and list boxes
    std::vector<std::wstring> items;

    bool IsButtonOfType(DWORD type) const;
    bool IsRadioButton() const;
    bool IsListOrCombo() const;
};

struct DialogWindow
{
    std::wstring caption;
    DWORD style = 0;
    std::vector<Control> controls; // in template order, which is also the tab order
    bool ended = false;

    DialogWindow();
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    Control* Find(int id);
    HWND Handle() { return reinterpret_cast<HWND>(this); }
    // The window of a handle, if it is a running dialog's.
    static DialogWindow* FromHandle(HWND hWnd);
};

// Reads an extended dialog template; false when it is not one or ends early.
bool ReadDialogTemplate(const BYTE* data, DWORD size, DialogWindow& window);

// Adds the strings of dialog init data to their combo and list boxes; false when the data ends
// inside a record.
bool RunDialogInit(const BYTE* data, DWORD size, DialogWindow& window);
} // namespace platform::mfc
