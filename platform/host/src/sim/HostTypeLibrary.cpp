#include "HostTypeLibrary.h"

#include "sim/Host.h"

#include "libloaderapi.h"

namespace sim
{
HMODULE HostTypeLibraryModule(); // in the library's own module

std::wstring HostTypeLibraryPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(HostTypeLibraryModule(), path, MAX_PATH);
    return path;
}

std::vector<VARTYPE> EventParameterTypes(DISPID id)
{
    std::vector<VARTYPE> types;
    ITypeLib* library = nullptr;
    if (FAILED(LoadTypeLib(HostTypeLibraryPath().c_str(), &library)))
        return types;
    ITypeInfo* events = nullptr;
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(library->GetTypeInfoOfGuid(DIID_DSldWorksEvents, &events)) &&
        SUCCEEDED(events->GetTypeAttr(&attributes)))
    {
        for (UINT i = 0; i < attributes->cFuncs; ++i)
        {
            FUNCDESC* function = nullptr;
            if (FAILED(events->GetFuncDesc(i, &function)))
                continue;
            if (function->memid == id)
                for (SHORT p = 0; p < function->cParams; ++p)
                    types.push_back(function->lprgelemdescParam[p].tdesc.vt);
            events->ReleaseFuncDesc(function);
        }
        events->ReleaseTypeAttr(attributes);
    }
    if (events)
        events->Release();
    library->Release();
    return types;
}

HRESULT Host::RegisterTypeLibrary()
{
    const std::wstring path = HostTypeLibraryPath();
    ITypeLib* library = nullptr;
    HRESULT result = LoadTypeLib(path.c_str(), &library);
    if (SUCCEEDED(result))
    {
        result = RegisterTypeLib(library, path.c_str(), nullptr);
        library->Release();
    }
    return result;
}
} // namespace sim
