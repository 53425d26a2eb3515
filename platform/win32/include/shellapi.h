// The shell's "open" and friends.
#pragma once

#include "wintypes.h"

// Failure values of ShellExecuteW; anything above 32 is success.
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_NOASSOC 31

extern "C" HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                                   LPCWSTR lpDirectory, INT nShowCmd);
