// Files as Facetor uses them: temporary names, creating, writing and deleting.
#pragma once

#include "minwinbase.h"

#define GENERIC_READ 0x80000000L
#define GENERIC_WRITE 0x40000000L

#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_NORMAL 0x00000080

struct OVERLAPPED;
typedef OVERLAPPED* LPOVERLAPPED;

extern "C" {
// The temporary folder: TMPDIR, else /tmp, always ending in a separator. Returns the length
// without the terminator, the size needed when the buffer is too small, 0 on failure.
DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);
// path + separator + up to three characters of the prefix + the number in hexadecimal without
// leading zeros + ".TMP". With uUnique 0 the number comes from the clock, is stepped while a file
// of that name exists, and the file is created empty. Returns the number, 0 on failure.
UINT GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique, LPWSTR lpTempFileName);

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, DWORD* lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped);
BOOL CloseHandle(HANDLE hObject);
// Fails with ERROR_ACCESS_DENIED for a read-only file or a folder, as Windows does.
BOOL DeleteFileW(LPCWSTR lpFileName);
}
