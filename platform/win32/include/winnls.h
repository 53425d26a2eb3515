// The calling thread's locale.
#pragma once

#include "wintypes.h"

extern "C" {
// A thread starts with the user's default locale, 0x409 here.
LCID GetThreadLocale();
BOOL SetThreadLocale(LCID Locale);
}
