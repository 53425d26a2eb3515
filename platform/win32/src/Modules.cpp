// Loaded modules as Windows names them: a module's handle is the address at which it is mapped,
// and it answers to its file name.
#include "errhandlingapi.h"
#include "libloaderapi.h"
#include "platform_modules.h"
#include "winerror.h"

#include "TextEncoding.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

namespace
{
struct LoadedModule
{
    HMODULE handle;
    std::string path;
};

std::string ProgramPath()
{
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    path.resize(length > 0 ? size_t(length) : 0);
    return path;
}

// Windows names a module by its full path; the loader keeps the name it was given, which may be
// relative to the folder current at the time.
std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The program first, then every shared object, each with the start of its lowest mapping (the
// base that dladdr reports).
std::vector<LoadedModule> LoadedModules()
{
    std::vector<LoadedModule> modules;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data)
        {
            auto& list = *static_cast<std::vector<LoadedModule>*>(data);
            const bool program = list.empty();
            if (!program && (!info->dlpi_name || !*info->dlpi_name))
                return 0; // the kernel's vdso
            ElfW(Addr) lowest = ~ElfW(Addr)(0);
            for (int i = 0; i < info->dlpi_phnum; ++i)
                if (info->dlpi_phdr[i].p_type == PT_LOAD)
                    lowest = std::min(lowest, info->dlpi_phdr[i].p_vaddr);
            const ElfW(Addr) page = ElfW(Addr)(sysconf(_SC_PAGESIZE));
            const auto base = (info->dlpi_addr + lowest) & ~(page - 1);
            list.push_back(
                {reinterpret_cast<HMODULE>(base), program ? ProgramPath() : AbsolutePath(info->dlpi_name)});
            return 0;
        },
        &modules);
    return modules;
}

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}
} // namespace

HMODULE platform::ModuleFromAddress(const void* address)
{
    Dl_info info;
    if (!dladdr(address, &info))
        return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

extern "C" HMODULE GetModuleHandleW(LPCWSTR lpModuleName)
{
    const std::vector<LoadedModule> modules = LoadedModules();
    if (!lpModuleName)
        return modules.front().handle;
    std::wstring wanted = lpModuleName;
    // With a folder the whole path must match, else the file name.
    const bool wholePath = wanted.find_first_of(L"\\/") != std::wstring::npos;
    if (wholePath)
        wanted = platform::WidePath(AbsolutePath(platform::NarrowPath(wanted)));
    // Windows adds ".dll" to a name without an extension; a trailing dot means "no extension". A
    // program here has no extension, so a whole path also matches as it is.
    std::wstring alternative = wanted;
    if (FileNameOf(wanted).find(L'.') == std::wstring::npos)
        wanted += L".dll";
    else if (wanted.back() == L'.')
        wanted.pop_back();
    wanted = platform::FoldCase(wanted);
    alternative = wholePath ? platform::FoldCase(alternative) : wanted;
    for (const LoadedModule& module : modules)
    {
        const std::wstring path = platform::WidePath(module.path);
        const std::wstring name = platform::FoldCase(wholePath ? path : FileNameOf(path));
        if (name == wanted || name == alternative)
            return module.handle;
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

extern "C" DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    std::string path;
    if (!hModule)
        path = ProgramPath();
    for (const LoadedModule& module : LoadedModules())
        if (hModule && module.handle == hModule)
            path = module.path;
    if (path.empty())
    {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::wstring wide = platform::WidePath(path);
    if (wide.size() < nSize)
    {
        std::wmemcpy(lpFilename, wide.c_str(), wide.size() + 1);
        return DWORD(wide.size());
    }
    // Too small: as much as fits with its null, the buffer's size, and the error.
    if (nSize > 0)
    {
        std::wmemcpy(lpFilename, wide.c_str(), nSize - 1);
        lpFilename[nSize - 1] = L'\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}
