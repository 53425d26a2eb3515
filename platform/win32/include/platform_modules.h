// How modules of this platform make their resources known, and find themselves. A module's
// resources come from a source that facetor-rc generates; that source registers them with a
// static ModuleResources object when the module is loaded and withdraws them when it is unloaded.
#pragma once

#include "wintypes.h"

#include <cstddef>

namespace platform
{
// A resource type or name: a number, or (text not null) a name in capitals.
struct ResourceId
{
    WORD number;
    const wchar_t* text;
};

struct Resource
{
    ResourceId type;
    ResourceId name;
    LANGID language;
    const BYTE* data;
    DWORD size;
};

class ModuleResources
{
public:
    ModuleResources(const Resource* resources, size_t count);
    ~ModuleResources();
    ModuleResources(const ModuleResources&) = delete;
    ModuleResources& operator=(const ModuleResources&) = delete;

private:
    HMODULE m_module;
    const Resource* m_resources;
    size_t m_count;
};

// The handle of the loaded module that holds an address (code or data), or null.
HMODULE ModuleFromAddress(const void* address);
} // namespace platform
