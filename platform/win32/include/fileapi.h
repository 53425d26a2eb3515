// Files as Facetor uses them: temporary names, creating, writing, deleting and searching.
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
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
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

// The entries of a folder whose names match the last part of lpFileName: '*' any run of
// characters, '?' one character (or none where the name has a '.' or ends), letter case ignored.
// Folders match as files do (FILE_ATTRIBUTE_DIRECTORY); only long names are matched, as on a
// volume without short names. The matches come in the order of their names, letter case ignored.
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches, ERROR_PATH_NOT_FOUND when
// the folder cannot be read.
HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData);
// The next match; FALSE with ERROR_NO_MORE_FILES after the last.
BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData);
BOOL FindClose(HANDLE hFindFile);
}
