#include "AddinModule.h"

#include <dlfcn.h>

namespace
{
template <class Function> bool Resolve(void* handle, const char* name, Function& function, std::string& error)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (!function)
        error = std::string("it does not export ") + name;
    return function != nullptr;
}
} // namespace

std::unique_ptr<AddinModule> AddinModule::Load(const std::string& path, std::string& error)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
    {
        const char* reason = dlerror();
        error = reason ? reason : "it cannot be loaded";
        return nullptr;
    }
    std::unique_ptr<AddinModule> module(new AddinModule(path, handle));
    if (!Resolve(handle, "DllCanUnloadNow", module->m_canUnloadNow, error) ||
        !Resolve(handle, "DllGetClassObject", module->m_getClassObject, error) ||
        !Resolve(handle, "DllRegisterServer", module->m_registerServer, error) ||
        !Resolve(handle, "DllUnregisterServer", module->m_unregisterServer, error))
    {
        // Without its exports nothing of the module can have been created: it may go.
        module->m_canUnloadNow = nullptr;
        return nullptr;
    }
    return module;
}

AddinModule::~AddinModule()
{
    // A module whose objects are still alive stays loaded, as COM leaves it.
    if (!m_canUnloadNow || m_canUnloadNow() == S_OK)
        dlclose(m_handle);
}
