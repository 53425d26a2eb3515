// The registry as Facetor and its registrar use it: the three roots, keys and named values.
#pragma once

#include "minwinbase.h"
#include "winerror.h"

typedef LONG LSTATUS;
typedef DWORD REGSAM;
typedef HKEY* PHKEY;

// The predefined roots carry their Windows values, sign-extended as on 64-bit Windows.
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define REG_OPTION_NON_VOLATILE 0x0
#define REG_CREATED_NEW_KEY 0x1
#define REG_OPENED_EXISTING_KEY 0x2

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F
#define KEY_WOW64_64KEY 0x0100

extern "C"
{
    LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                            REGSAM samDesired, const LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                            PHKEY phkResult, DWORD* lpdwDisposition);
    LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
    LSTATUS RegCloseKey(HKEY hKey);
    LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                           DWORD cbData);
    LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                             DWORD* lpcbData);
    LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName);
    LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey);
    // The subkey with everything below it; without a subkey, everything below the key itself.
    LSTATUS RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey);
    LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, DWORD* lpcchName, DWORD* lpReserved,
                          LPWSTR lpClass, DWORD* lpcchClass, PFILETIME lpftLastWriteTime);
    LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, DWORD* lpcchValueName,
                          DWORD* lpReserved, DWORD* lpType, BYTE* lpData, DWORD* lpcbData);
    LSTATUS RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, DWORD* lpcchClass, DWORD* lpReserved,
                             DWORD* lpcSubKeys, DWORD* lpcbMaxSubKeyLen, DWORD* lpcbMaxClassLen,
                             DWORD* lpcValues, DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                             DWORD* lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime);
}
