// The calling thread's last error code.
#pragma once

#include "wintypes.h"

extern "C"
{
    DWORD GetLastError();
    void SetLastError(DWORD dwErrCode);
}
