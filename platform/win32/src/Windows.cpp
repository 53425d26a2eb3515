// Message boxes go to the user-interface seam; window queries answer from state that the
// simulated desktop (tests, facetor-host) sets.
#include "win32_testing.h"
#include "winuser.h"

#include "ui/Driver.h"

namespace
{
HWND g_activeWindow = nullptr;
HWND g_lastActivePopup = nullptr;
} // namespace

void platform::SetActiveWindow(HWND window, HWND lastActivePopup)
{
    g_activeWindow = window;
    g_lastActivePopup = lastActivePopup;
}

extern "C" int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    // A null caption shows the system's default title.
    return ui::CurrentDriver().ShowMessageBox({hWnd, lpText ? lpText : L"", lpCaption ? lpCaption : L"Error", uType});
}

extern "C" HWND GetActiveWindow()
{
    return g_activeWindow;
}

extern "C" HWND GetLastActivePopup(HWND hWnd)
{
    if (hWnd && hWnd == g_activeWindow && g_lastActivePopup)
        return g_lastActivePopup;
    return hWnd;
}
