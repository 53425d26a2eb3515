// The calling thread's locale, and text in its ANSI code page.
#pragma once

#include "wintypes.h"

extern "C"
{
    // A thread starts with the user's default locale, 0x409 here.
    LCID GetThreadLocale();
    BOOL SetThreadLocale(LCID Locale);
}

#define CP_ACP 0
#define CP_THREAD_ACP 3

extern "C"
{
    // Wide text into the ANSI code page, which is Windows-1252 for every locale of this platform. A
    // count of -1 takes the text up to and including its null. With no output buffer (cbMultiByte 0)
    // the result is the size needed; 0 on failure (ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_PARAMETER).
    // A character the code page lacks becomes the default character ("?" when none is given).
    int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                            LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                            BOOL* lpUsedDefaultChar);
}
