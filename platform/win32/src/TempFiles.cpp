// The temporary folder and unique temporary file names in it, as Windows forms them.
#include "errhandlingapi.h"
#include "fileapi.h"
#include "winerror.h"

#include "TextEncoding.h"

#include <cerrno>
#include <cstdlib>
#include <cwchar>
#include <ctime>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace
{
// Windows takes the start number from the clock; never 0, which would mean "do not create".
UINT ClockNumber()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const UINT number = UINT((now.tv_sec * 1000 + now.tv_nsec / 1000000) & 0xFFFF);
    return number ? number : 1;
}

std::wstring NameFor(const std::wstring& folder, const std::wstring& prefix, UINT number)
{
    wchar_t digits[8];
    std::swprintf(digits, 8, L"%X", number & 0xFFFF);
    return folder + prefix + digits + L".TMP";
}

DWORD ErrorOfCreate(int error)
{
    switch (error)
    {
    case ENOENT:
    case ENOTDIR:
        return ERROR_DIRECTORY;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    default:
        return ERROR_CANTWRITE;
    }
}
} // namespace

extern "C" DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    const char* variable = std::getenv("TMPDIR");
    std::wstring folder = platform::WidePath(variable && *variable ? variable : "/tmp");
    if (folder.back() != L'/')
        folder += L'/';
    if (folder.size() + 1 > nBufferLength || !lpBuffer)
        return DWORD(folder.size() + 1);
    std::wmemcpy(lpBuffer, folder.c_str(), folder.size() + 1);
    return DWORD(folder.size());
}

extern "C" UINT GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique, LPWSTR lpTempFileName)
{
    if (!lpPathName || !lpTempFileName)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::wstring folder = lpPathName;
    if (folder.size() > MAX_PATH - 14)
    {
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return 0;
    }
    if (folder.empty() || folder.back() != L'/')
        folder += L'/';
    const std::wstring prefix = std::wstring(lpPrefixString ? lpPrefixString : L"").substr(0, 3);

    if (uUnique)
    {
        const std::wstring name = NameFor(folder, prefix, uUnique);
        std::wmemcpy(lpTempFileName, name.c_str(), name.size() + 1);
        return uUnique & 0xFFFF;
    }

    const UINT start = ClockNumber();
    UINT number = start;
    do
    {
        const std::wstring name = NameFor(folder, prefix, number);
        const int fd = open(platform::NarrowPath(name).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd >= 0)
        {
            close(fd);
            std::wmemcpy(lpTempFileName, name.c_str(), name.size() + 1);
            return number;
        }
        if (errno != EEXIST)
        {
            SetLastError(ErrorOfCreate(errno));
            return 0;
        }
        number = number == 0xFFFF ? 1 : number + 1;
    } while (number != start);
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}
