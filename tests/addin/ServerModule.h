// Facetor.dll loaded as the host loads it, by path with dlopen, and reached only through its four
// exports; unloaded again at the end of the scope.
#pragma once

#include "windows.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include <dlfcn.h>

class ServerModule
{
public:
    ServerModule()
    {
        m_handle = dlopen(FACETOR_MODULE, RTLD_NOW | RTLD_LOCAL);
        if (!m_handle)
            throw std::runtime_error(dlerror());
        CanUnloadNow = Export<HRESULT (*)()>("DllCanUnloadNow");
        GetClassObject = Export<HRESULT (*)(REFCLSID, REFIID, LPVOID*)>("DllGetClassObject");
        RegisterServer = Export<HRESULT (*)()>("DllRegisterServer");
        UnregisterServer = Export<HRESULT (*)()>("DllUnregisterServer");
    }
    ~ServerModule() { dlclose(m_handle); }
    ServerModule(const ServerModule&) = delete;
    ServerModule& operator=(const ServerModule&) = delete;

    // A new object of the class through its factory, as the interface asked for.
    template <class Interface> Interface* Create(REFCLSID clsid, REFIID iid)
    {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(GetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
        Interface* object = nullptr;
        if (factory)
        {
            EXPECT_EQ(factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(&object)), S_OK);
            factory->Release();
        }
        return object;
    }

    HRESULT (*CanUnloadNow)();
    HRESULT (*GetClassObject)(REFCLSID, REFIID, LPVOID*);
    HRESULT (*RegisterServer)();
    HRESULT (*UnregisterServer)();

private:
    template <class Function> Function Export(const char* name)
    {
        void* address = dlsym(m_handle, name);
        if (!address)
            throw std::runtime_error(std::string("no export ") + name);
        return reinterpret_cast<Function>(address);
    }

    void* m_handle;
};
