// File searches over a folder's listing, taken whole when the search starts: the wildcards of
// Windows on long names, letter case ignored. Linux volumes have no 8.3 short names, so the
// platform's habit of matching those as well (where "model*.dxf" finds "model_1.dxf1") never
// arises here.
#include "errhandlingapi.h"
#include "fileapi.h"
#include "winerror.h"

#include "TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace
{
struct FindHandle
{
    std::vector<WIN32_FIND_DATAW> matches;
    size_t next = 0;
};

// Whether the whole name fits the pattern: '*' any run of characters, '?' one character, or none
// where the name has a '.' or has ended. Both are already case-folded.
bool Matches(const std::wstring& pattern, const std::wstring& name)
{
    // reached[j]: the pattern read so far can stand for exactly the first j characters.
    std::vector<bool> reached(name.size() + 1, false);
    reached[0] = true;
    for (const wchar_t p : pattern)
    {
        std::vector<bool> next(name.size() + 1, false);
        for (size_t j = 0; j <= name.size(); ++j)
        {
            if (!reached[j])
                continue;
            if (p == L'*')
            {
                std::fill(next.begin() + long(j), next.end(), true);
                break;
            }
            if (j < name.size() && (p == L'?' || name[j] == p))
                next[j + 1] = true;
            if (p == L'?' && (j == name.size() || name[j] == L'.'))
                next[j] = true;
        }
        reached.swap(next);
    }
    return reached[name.size()];
}

DWORD SearchError(int error)
{
    return error == EACCES || error == EPERM ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND;
}

// The entry as a search reports it; false when its name does not fit cFileName.
bool Describe(const std::string& folder, const std::string& entry, const std::wstring& name,
              WIN32_FIND_DATAW& data)
{
    if (name.size() >= MAX_PATH)
        return false;
    data = WIN32_FIND_DATAW{};
    std::wmemcpy(data.cFileName, name.c_str(), name.size() + 1);
    struct stat status = {};
    const std::string path = folder + entry;
    if (stat(path.c_str(), &status) != 0 && lstat(path.c_str(), &status) != 0)
        return true;
    if (S_ISDIR(status.st_mode))
        data.dwFileAttributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(status.st_mode & S_IWUSR))
        data.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    if (data.dwFileAttributes == 0)
        data.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!S_ISDIR(status.st_mode))
    {
        data.nFileSizeHigh = DWORD(uint64_t(status.st_size) >> 32);
        data.nFileSizeLow = DWORD(uint64_t(status.st_size));
    }
    return true;
}
} // namespace

extern "C" HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData)
{
    if (!lpFileName || !lpFindFileData)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring path = lpFileName;
    const size_t separator = path.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? L"" : path.substr(0, separator + 1);
    const std::wstring pattern = platform::FoldCase(path.substr(folder.size()));

    const std::string narrowFolder = platform::NarrowPath(folder);
    DIR* listing = opendir(narrowFolder.empty() ? "." : narrowFolder.c_str());
    if (!listing)
    {
        SetLastError(SearchError(errno));
        return INVALID_HANDLE_VALUE;
    }
    auto* handle = new FindHandle;
    while (const dirent* entry = readdir(listing))
    {
        const std::wstring name = platform::WidePath(entry->d_name);
        WIN32_FIND_DATAW data;
        if (!pattern.empty() && Matches(pattern, platform::FoldCase(name)) &&
            Describe(narrowFolder, entry->d_name, name, data))
            handle->matches.push_back(data);
    }
    closedir(listing);
    if (handle->matches.empty())
    {
        delete handle;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // By name, letter case ignored, so that the order does not depend on the Linux file system.
    std::sort(handle->matches.begin(), handle->matches.end(),
              [](const WIN32_FIND_DATAW& a, const WIN32_FIND_DATAW& b)
              {
                  const std::wstring x = platform::FoldCase(a.cFileName), y = platform::FoldCase(b.cFileName);
                  return x != y ? x < y : std::wcscmp(a.cFileName, b.cFileName) < 0;
              });
    *lpFindFileData = handle->matches[handle->next++];
    return handle;
}

extern "C" BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData)
{
    if (!hFindFile || hFindFile == INVALID_HANDLE_VALUE || !lpFindFileData)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto* handle = static_cast<FindHandle*>(hFindFile);
    if (handle->next >= handle->matches.size())
    {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = handle->matches[handle->next++];
    return TRUE;
}

extern "C" BOOL FindClose(HANDLE hFindFile)
{
    if (!hFindFile || hFindFile == INVALID_HANDLE_VALUE)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete static_cast<FindHandle*>(hFindFile);
    return TRUE;
}
