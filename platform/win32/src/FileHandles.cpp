// File handles over POSIX descriptors: creating, writing, closing and deleting files.
#include "errhandlingapi.h"
#include "fileapi.h"
#include "wcrt.h"
#include "winerror.h"

#include "TextEncoding.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct FileHandle
{
    int fd;
};

DWORD ErrorOf(int error)
{
    switch (error)
    {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    default:
        return ERROR_CANTWRITE;
    }
}

int OpenFlags(DWORD access, DWORD disposition)
{
    int flags = (access & GENERIC_WRITE) ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
    switch (disposition)
    {
    case CREATE_NEW:
        return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
        return flags | O_CREAT | O_TRUNC;
    case OPEN_ALWAYS:
        return flags | O_CREAT;
    case TRUNCATE_EXISTING:
        return flags | O_TRUNC;
    case OPEN_EXISTING:
        return flags;
    default:
        return -1;
    }
}

// Deletes a file as Windows does: 0, or the errno of the failure.
int RemoveFile(const wchar_t* fileName)
{
    const std::string path = platform::NarrowPath(fileName);
    struct stat status = {};
    if (lstat(path.c_str(), &status) != 0)
        return errno;
    // Windows refuses read-only files and folders, where Linux would unlink the one and fail otherwise.
    if (S_ISDIR(status.st_mode) || !(status.st_mode & S_IWUSR))
        return EACCES;
    return unlink(path.c_str()) == 0 ? 0 : errno;
}
} // namespace

extern "C" HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                              LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                              DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    const int flags = OpenFlags(dwDesiredAccess, dwCreationDisposition);
    if (!lpFileName || flags < 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    const int fd = open(platform::NarrowPath(lpFileName).c_str(), flags | O_CLOEXEC, mode);
    if (fd < 0)
    {
        SetLastError(ErrorOf(errno));
        return INVALID_HANDLE_VALUE;
    }
    return new FileHandle{fd};
}

extern "C" BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, DWORD* lpNumberOfBytesWritten,
                          LPOVERLAPPED lpOverlapped)
{
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    if (!hFile || hFile == INVALID_HANDLE_VALUE || (!lpBuffer && nNumberOfBytesToWrite))
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const int fd = static_cast<FileHandle*>(hFile)->fd;
    const char* bytes = static_cast<const char*>(lpBuffer);
    DWORD written = 0;
    while (written < nNumberOfBytesToWrite)
    {
        const ssize_t n = write(fd, bytes + written, nNumberOfBytesToWrite - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            SetLastError(ErrorOf(errno));
            if (lpNumberOfBytesWritten)
                *lpNumberOfBytesWritten = written;
            return FALSE;
        }
        written += DWORD(n);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = written;
    return TRUE;
}

extern "C" BOOL CloseHandle(HANDLE hObject)
{
    if (!hObject || hObject == INVALID_HANDLE_VALUE)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto* file = static_cast<FileHandle*>(hObject);
    const int result = close(file->fd);
    delete file;
    return result == 0;
}

extern "C" BOOL DeleteFileW(LPCWSTR lpFileName)
{
    if (!lpFileName)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int error = RemoveFile(lpFileName);
    if (error != 0)
    {
        SetLastError(ErrorOf(error));
        return FALSE;
    }
    return TRUE;
}

extern "C" int _wunlink(const wchar_t* filename)
{
    const int error = filename ? RemoveFile(filename) : EINVAL;
    if (error != 0)
    {
        errno = error;
        return -1;
    }
    return 0;
}
