// One last-error code per thread, as on Windows.
#include "errhandlingapi.h"

namespace
{
thread_local DWORD t_lastError = 0;
}

extern "C" DWORD GetLastError()
{
    return t_lastError;
}

extern "C" void SetLastError(DWORD dwErrCode)
{
    t_lastError = dwErrCode;
}
