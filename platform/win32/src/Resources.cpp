// The resources that modules registered at load time, found as FindResourceW finds them.
#include "errhandlingapi.h"
#include "libloaderapi.h"
#include "platform_modules.h"
#include "winerror.h"

#include "TextEncoding.h"

#include <algorithm>
#include <cwchar>
#include <mutex>
#include <vector>

namespace
{
struct Table
{
    HMODULE module;
    const platform::Resource* resources;
    size_t count;
};

std::mutex& TablesMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<Table>& Tables()
{
    static std::vector<Table> tables;
    return tables;
}

// A number, MAKEINTRESOURCE style or as "#123", or a name compared without regard to case.
bool Matches(const platform::ResourceId& id, LPCWSTR wanted)
{
    if (IS_INTRESOURCE(wanted))
        return !id.text && id.number == LOWORD(wanted);
    if (wanted[0] == L'#')
    {
        wchar_t* end = nullptr;
        const unsigned long number = std::wcstoul(wanted + 1, &end, 10);
        return !id.text && *end == L'\0' && number == id.number;
    }
    return id.text && platform::FoldCase(id.text) == platform::FoldCase(wanted);
}
} // namespace

platform::ModuleResources::ModuleResources(const Resource* resources, size_t count)
    : m_module(ModuleFromAddress(this)), m_resources(resources), m_count(count)
{
    std::lock_guard<std::mutex> guard(TablesMutex());
    Tables().push_back({m_module, m_resources, m_count});
}

platform::ModuleResources::~ModuleResources()
{
    std::lock_guard<std::mutex> guard(TablesMutex());
    std::vector<Table>& tables = Tables();
    tables.erase(std::remove_if(tables.begin(), tables.end(),
                                [&](const Table& t) { return t.resources == m_resources; }),
                 tables.end());
}

extern "C" HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType)
{
    if (!hModule)
        hModule = GetModuleHandleW(nullptr);
    std::lock_guard<std::mutex> guard(TablesMutex());
    bool typeFound = false;
    for (const Table& table : Tables())
    {
        if (table.module != hModule)
            continue;
        for (size_t i = 0; i < table.count; ++i)
        {
            const platform::Resource& resource = table.resources[i];
            if (!Matches(resource.type, lpType))
                continue;
            typeFound = true;
            if (Matches(resource.name, lpName))
                return reinterpret_cast<HRSRC>(const_cast<platform::Resource*>(&resource));
        }
    }
    SetLastError(typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

extern "C" HGLOBAL LoadResource(HMODULE, HRSRC hResInfo)
{
    if (!hResInfo)
        return nullptr;
    return const_cast<BYTE*>(reinterpret_cast<const platform::Resource*>(hResInfo)->data);
}

extern "C" DWORD SizeofResource(HMODULE, HRSRC hResInfo)
{
    return hResInfo ? reinterpret_cast<const platform::Resource*>(hResInfo)->size : 0;
}

extern "C" LPVOID LockResource(HGLOBAL hResData)
{
    return hResData; // resources live in the module's data and never move
}
