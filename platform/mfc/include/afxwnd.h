// CWnd: the framework's window object, as far as Facetor uses it.
#pragma once

#include "wintypes.h"

class CWnd
{
public:
    CWnd() = default;
    virtual ~CWnd() = default;

    HWND m_hWnd = nullptr;

    // The framework's object for a window handle; it owns the object (a temporary one for a
    // window it did not create) and the caller must neither keep nor delete it. Null for null.
    static CWnd* FromHandle(HWND hWnd);
    // The object of the calling thread's active window, or null.
    static CWnd* GetActiveWindow();
};
