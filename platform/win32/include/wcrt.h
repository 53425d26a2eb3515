// Wide-character functions of the Microsoft C runtime that the Linux C library lacks.
#pragma once

#include "wintypes.h"

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

extern "C"
{
    // Splits a path as the Universal CRT does, into buffers of the _MAX_ sizes above; any output may
    // be null. When a part does not fit, every output is emptied and errno is ERANGE.
    void _wsplitpath(const wchar_t* path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext);
    // Decimal digits after optional white space and sign; clamped to INT_MIN..INT_MAX (errno ERANGE).
    int _wtoi(const wchar_t* str);
    // Deletes a file: 0, or -1 with errno (EACCES for a read-only file or a folder, as on Windows).
    int _wunlink(const wchar_t* filename);
}
