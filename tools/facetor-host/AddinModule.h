// The add-in module, loaded by path as the host loads an in-process server, with its four exports.
#pragma once

#include "unknwn.h"

#include <memory>
#include <string>

class AddinModule
{
public:
    // Loads the module; null with `error` set when it cannot be loaded or lacks an export.
    static std::unique_ptr<AddinModule> Load(const std::string& path, std::string& error);
    // Unloads the module only when it says it may be unloaded.
    ~AddinModule();
    AddinModule(const AddinModule&) = delete;
    AddinModule& operator=(const AddinModule&) = delete;

    const std::string& Path() const { return m_path; }

    HRESULT CanUnloadNow() const { return m_canUnloadNow(); }
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const
    {
        return m_getClassObject(clsid, iid, object);
    }
    HRESULT RegisterServer() const { return m_registerServer(); }
    HRESULT UnregisterServer() const { return m_unregisterServer(); }

private:
    AddinModule(std::string path, void* handle) : m_path(std::move(path)), m_handle(handle) {}

    std::string m_path;
    void* m_handle;
    HRESULT (*m_canUnloadNow)() = nullptr;
    HRESULT (*m_getClassObject)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT (*m_registerServer)() = nullptr;
    HRESULT (*m_unregisterServer)() = nullptr;
};
