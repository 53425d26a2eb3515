// Small pieces of the GUI library's user interface.
#pragma once

#include "afxwin.h"

class NVKGUIUtils
{
public:
    // Shows the about box of the product that the caption names.
    static void About(const CString& caption, HWND* parent);
};
