// The shell's "open": a document that exists is handed to the user-interface seam, which stands
// for the program associated with it. Paths are used as given.
#include "shellapi.h"

#include "TextEncoding.h"

#include "ui/Driver.h"

#include <string>

#include <sys/stat.h>

extern "C" HINSTANCE ShellExecuteW(HWND, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR, LPCWSTR lpDirectory,
                                   INT)
{
    const std::wstring verb = lpOperation ? lpOperation : L"open"; // null: the default verb
    if (verb != L"open")
        return reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC);
    std::wstring file = lpFile ? lpFile : L"";
    if (lpDirectory && *lpDirectory && !file.empty() && file[0] != L'/')
        file = std::wstring(lpDirectory) + L"/" + file;
    struct stat info;
    if (file.empty() || stat(platform::NarrowPath(file).c_str(), &info) != 0)
        return reinterpret_cast<HINSTANCE>(SE_ERR_FNF);
    ui::CurrentDriver().ShellOpen(verb, file);
    return reinterpret_cast<HINSTANCE>(42); // any value above 32 means success
}
