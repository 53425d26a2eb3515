// Controls of the Win32 stand-in that exist only for tests and the simulated host.
#pragma once

#include "wintypes.h"

namespace platform
{
// Number of BSTRs allocated and not yet freed, process-wide.
long LiveBstrCount();

// The window that GetActiveWindow reports, and the pop-up that GetLastActivePopup reports for it
// (null: the window itself, as Windows answers for a window without pop-ups).
void SetActiveWindow(HWND window, HWND lastActivePopup = nullptr);
} // namespace platform
