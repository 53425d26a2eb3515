// Loaded modules and the resources linked into them. A module's handle is its base address.
#pragma once

#include "wintypes.h"

#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_DLGINIT MAKEINTRESOURCEW(240) // the framework's dialog init data

extern "C"
{
    // A loaded module by file name, compared without regard to case (".dll" added when the name has
    // no extension); null for a module that is not loaded. A null name gives the program.
    HMODULE GetModuleHandleW(LPCWSTR lpModuleName);
    // The module's full path; a null module gives the program's own path.
    DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);

    HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
    HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
    DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
    LPVOID LockResource(HGLOBAL hResData);
}
