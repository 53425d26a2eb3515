#include "AddinSession.h"

#include "sldworks.h"

#include <cstdio>
#include <ostream>

namespace
{
// The host's number for the add-in, handed back in every host call that names it.
constexpr LONG kAddinCookie = 1;

std::string Hex(HRESULT result)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", unsigned(result));
    return text;
}

// The add-in object, as COM creates an in-process object: class factory, instance, factory gone.
ISwAddin* CreateAddin(const AddinModule& module, REFCLSID clsid, std::ostream& err)
{
    IClassFactory* factory = nullptr;
    HRESULT result = module.GetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(result) || !factory)
    {
        err << "facetor-host: the module has no class factory for the add-in (" << Hex(result) << ")\n";
        return nullptr;
    }
    ISwAddin* addin = nullptr;
    result = factory->CreateInstance(nullptr, IID_ISwAddin, reinterpret_cast<void**>(&addin));
    factory->Release();
    if (FAILED(result) || !addin)
    {
        err << "facetor-host: the add-in could not be created (" << Hex(result) << ")\n";
        return nullptr;
    }
    return addin;
}
} // namespace

bool RunAddinCommand(const AddinModule& module, REFCLSID clsid, sim::Host& host, const AddinCommand& command,
                     std::ostream& err)
{
    ISwAddin* addin = CreateAddin(module, clsid, err);
    if (!addin)
        return false;
    VARIANT_BOOL connected = VARIANT_FALSE;
    HRESULT result = addin->ConnectToSW(host.Application(), kAddinCookie, &connected);
    if (FAILED(result) || !connected)
    {
        err << "facetor-host: the add-in did not connect (" << Hex(result) << ")\n";
        addin->Release();
        return false;
    }
    result = host.InvokeCallback(command.callback, command.argument ? command.argument->c_str() : nullptr);
    const bool called = SUCCEEDED(result);
    if (!called)
        err << "facetor-host: the add-in's callback could not be called (" << Hex(result) << ")\n";
    // The host disconnects whatever the command did. The add-in's answer is not looked at: it
    // reports E_NOTIMPL although it did the work.
    VARIANT_BOOL disconnected = VARIANT_FALSE;
    addin->DisconnectFromSW(&disconnected);
    addin->Release();
    return called;
}
