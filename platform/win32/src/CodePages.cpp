// Wide text into Windows-1252, the ANSI code page of this platform's locales.
#include "errhandlingapi.h"
#include "winerror.h"
#include "winnls.h"

#include <cwchar>

namespace
{
// The characters of 0x80 to 0x9F that Windows-1252 places there, in byte order; 0 for the five
// bytes it leaves undefined, which stand for the control characters of the same value.
constexpr wchar_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte of a character, or -1 when the code page lacks it.
int Windows1252(wchar_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c || (kHighControls[i] == 0 && c == wchar_t(0x80 + i)))
            return 0x80 + i;
    return -1;
}
} // namespace

extern "C" int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                   LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                   BOOL* lpUsedDefaultChar)
{
    if ((CodePage != CP_ACP && CodePage != CP_THREAD_ACP) || dwFlags != 0 || !lpWideCharStr ||
        cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 || (cbMultiByte > 0 && !lpMultiByteStr))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t count = cchWideChar == -1 ? std::wcslen(lpWideCharStr) + 1 : size_t(cchWideChar);
    if (cbMultiByte > 0 && count > size_t(cbMultiByte))
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const char fallback = lpDefaultChar ? *lpDefaultChar : '?';
    bool usedDefault = false;
    for (size_t i = 0; i < count; ++i)
    {
        const int byte = Windows1252(lpWideCharStr[i]);
        usedDefault = usedDefault || byte < 0;
        if (cbMultiByte > 0)
            lpMultiByteStr[i] = byte < 0 ? fallback : char(byte);
    }
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    return int(count);
}
