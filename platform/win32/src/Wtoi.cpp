// _wtoi: unlike glibc's conversions it clamps to the range of int.
#include "wcrt.h"

#include <cerrno>
#include <climits>
#include <cwctype>

extern "C" int _wtoi(const wchar_t* str)
{
    if (!str)
    {
        errno = EINVAL;
        return 0;
    }
    while (std::iswspace(wint_t(*str)))
        ++str;
    const bool negative = *str == L'-';
    if (*str == L'-' || *str == L'+')
        ++str;
    long long magnitude = 0;
    bool overflow = false;
    for (; *str >= L'0' && *str <= L'9'; ++str)
    {
        magnitude = magnitude * 10 + (*str - L'0');
        if (magnitude > (long long)INT_MAX + 1)
        {
            overflow = true;
            magnitude = (long long)INT_MAX + 1;
        }
    }
    const long long value = negative ? -magnitude : magnitude;
    if (overflow || value > INT_MAX || value < INT_MIN)
    {
        errno = ERANGE;
        return negative ? INT_MIN : INT_MAX;
    }
    return int(value);
}
