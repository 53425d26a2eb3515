// The calling thread's locale; every thread starts with the user default of this platform.
#include "winnls.h"

namespace
{
constexpr LCID kUserDefaultLocale = 0x0409; // English (United States)
thread_local LCID t_locale = kUserDefaultLocale;
} // namespace

extern "C" LCID GetThreadLocale()
{
    return t_locale;
}

extern "C" BOOL SetThreadLocale(LCID Locale)
{
    t_locale = Locale;
    return TRUE;
}
