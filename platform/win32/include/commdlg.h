// The common open and save dialogs' flags and structure.
#pragma once

#include "wintypes.h"

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_EXPLORER 0x00080000

struct OPENFILENAMEW
{
    DWORD lStructSize;
    HWND hwndOwner;
    LPCWSTR lpstrFilter; // pairs of description and pattern, each ended by a null, the list by two
    LPWSTR lpstrFile;
    DWORD nMaxFile;
    LPCWSTR lpstrTitle;
    DWORD Flags;
    LPCWSTR lpstrDefExt;
};
typedef OPENFILENAMEW OPENFILENAME;
