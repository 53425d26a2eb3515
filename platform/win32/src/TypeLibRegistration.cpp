// Loading type libraries from modules and through the registry, and registering them there:
//   HKCR\TypeLib\{LIBID}\<major>.<minor>         = the library's help string (else its name)
//                                   \<lcid>\win64 = the module's path
//                                   \FLAGS        = "0"
//                                   \HELPDIR      = the help folder
//   HKCR\Interface\{IID}                        = the interface's name, with its proxy and library
// Versions and locales are written in hexadecimal, as Windows writes them.
#include "TypeLibrary.h"

#include "TextEncoding.h"

#include "errhandlingapi.h"
#include "libloaderapi.h"
#include "objbase.h"
#include "winreg.h"

#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <vector>

using platform::typelib::TypeLibrary;

namespace
{
// The standard automation marshaler of dual and dispatch interfaces.
constexpr const wchar_t* kAutomationProxy = L"{00020424-0000-0000-C000-000000000046}";

class Key
{
public:
    Key() = default;
    ~Key()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    LSTATUS Open(HKEY parent, const std::wstring& name)
    {
        return RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, &m_key);
    }
    LSTATUS Create(HKEY parent, const std::wstring& name)
    {
        return RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    operator HKEY() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[39];
    StringFromGUID2(guid, text, 39);
    return text;
}

std::wstring Hex(unsigned value)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%x", value);
    return text;
}

LSTATUS SetString(HKEY key, const wchar_t* name, const std::wstring& text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          DWORD((text.size() + 1) * sizeof(wchar_t)));
}

// Creates parent\name with its default value.
LSTATUS SetKey(HKEY parent, const std::wstring& name, const std::wstring& value)
{
    Key key;
    const LSTATUS status = key.Create(parent, name);
    return status != ERROR_SUCCESS ? status : SetString(key, nullptr, value);
}

bool ReadString(HKEY key, const wchar_t* name, std::wstring& text)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return false;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    text = buffer.data();
    return true;
}

std::vector<std::wstring> Subkeys(HKEY key)
{
    std::vector<std::wstring> names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i)
    {
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

bool HasSubkeys(HKEY parent, const std::wstring& name)
{
    Key key;
    return key.Open(parent, name) == ERROR_SUCCESS && !Subkeys(key).empty();
}

HRESULT FromStatus(LSTATUS status)
{
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

// The registered version "major.minor" with the wanted major and the highest minor of at least the
// wanted one.
bool FindVersion(HKEY library, WORD major, WORD minor, std::wstring& version)
{
    long best = -1;
    for (const std::wstring& name : Subkeys(library))
    {
        unsigned foundMajor = 0, foundMinor = 0;
        wchar_t extra = 0;
        if (std::swscanf(name.c_str(), L"%x.%x%lc", &foundMajor, &foundMinor, &extra) != 2)
            continue;
        if (foundMajor == major && foundMinor >= minor && long(foundMinor) > best)
        {
            best = long(foundMinor);
            version = name;
        }
    }
    return best >= 0;
}

// The path registered for the locale: the locale itself, its language alone, the neutral locale,
// else any registered one.
bool FindPath(HKEY version, LCID lcid, std::wstring& path)
{
    std::vector<std::wstring> candidates = {Hex(lcid), Hex(lcid & 0x3FF), L"0"};
    for (const std::wstring& name : Subkeys(version))
        candidates.push_back(name);
    for (const std::wstring& name : candidates)
    {
        Key platformKey;
        if (platformKey.Open(version, name + L"\\win64") == ERROR_SUCCESS &&
            ReadString(platformKey, nullptr, path))
            return true;
    }
    return false;
}

HRESULT RegisterInterfaces(const TypeLibrary& library, const std::wstring& libid, const std::wstring& version)
{
    Key interfaces;
    LSTATUS status = interfaces.Create(HKEY_CLASSES_ROOT, L"Interface");
    for (const idl::Interface& definition : library.Source().interfaces)
    {
        if (status != ERROR_SUCCESS)
            break;
        if (definition.kind == idl::InterfaceKind::Custom && !definition.oleautomation)
            continue;
        Key key;
        status = key.Create(interfaces, GuidText(definition.uuid));
        if (status == ERROR_SUCCESS)
            status = SetString(key, nullptr, platform::typelib::Wide(definition.name));
        if (status == ERROR_SUCCESS)
            status = SetKey(key, L"ProxyStubClsid", kAutomationProxy);
        if (status == ERROR_SUCCESS)
            status = SetKey(key, L"ProxyStubClsid32", kAutomationProxy);
        Key typeLib;
        if (status == ERROR_SUCCESS)
            status = typeLib.Create(key, L"TypeLib");
        if (status == ERROR_SUCCESS)
            status = SetString(typeLib, nullptr, libid);
        if (status == ERROR_SUCCESS)
            status = SetString(typeLib, L"Version", version);
    }
    return FromStatus(status);
}

// Interfaces go only when they still name this library.
void UnregisterInterfaces(const idl::Library& source, const std::wstring& libid)
{
    Key interfaces;
    if (interfaces.Open(HKEY_CLASSES_ROOT, L"Interface") != ERROR_SUCCESS)
        return;
    for (const idl::Interface& definition : source.interfaces)
    {
        const std::wstring iid = GuidText(definition.uuid);
        Key typeLib;
        std::wstring owner;
        if (typeLib.Open(interfaces, iid + L"\\TypeLib") != ERROR_SUCCESS ||
            !ReadString(typeLib, nullptr, owner) || platform::FoldCase(owner) != platform::FoldCase(libid))
            continue;
        RegDeleteTreeW(interfaces, iid.c_str());
    }
}
} // namespace

extern "C" HRESULT LoadTypeLib(LPCOLESTR szFile, ITypeLib** pptlib)
{
    if (!szFile || !pptlib)
        return E_INVALIDARG;
    *pptlib = nullptr;
    const HMODULE module = GetModuleHandleW(szFile);
    const HRSRC resource = module ? FindResourceW(module, MAKEINTRESOURCEW(1), L"TYPELIB") : nullptr;
    if (!resource)
        return TYPE_E_CANTLOADLIBRARY;
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    try
    {
        idl::Library source = idl::ParseLibrary(std::string(text, SizeofResource(module, resource)),
                                                platform::NarrowPath(szFile));
        *pptlib = new TypeLibrary(std::move(source));
        return S_OK;
    }
    catch (const std::runtime_error&)
    {
        return TYPE_E_CANTLOADLIBRARY;
    }
}

extern "C" HRESULT LoadRegTypeLib(REFGUID rguid, WORD wVerMajor, WORD wVerMinor, LCID lcid, ITypeLib** pptlib)
{
    if (!pptlib)
        return E_INVALIDARG;
    *pptlib = nullptr;
    Key library, version;
    std::wstring versionName, path;
    if (library.Open(HKEY_CLASSES_ROOT, L"TypeLib\\" + GuidText(rguid)) != ERROR_SUCCESS ||
        !FindVersion(library, wVerMajor, wVerMinor, versionName) ||
        version.Open(library, versionName) != ERROR_SUCCESS || !FindPath(version, lcid, path))
        return TYPE_E_LIBNOTREGISTERED;
    return LoadTypeLib(path.c_str(), pptlib);
}

extern "C" HRESULT RegisterTypeLib(ITypeLib* ptlib, LPCOLESTR szFullPath, LPCOLESTR szHelpDir)
{
    auto* library = dynamic_cast<TypeLibrary*>(ptlib);
    if (!library || !szFullPath)
        return E_INVALIDARG;
    const idl::Library& source = library->Source();
    const std::wstring libid = GuidText(source.uuid);
    const std::wstring version = Hex(source.majorVersion) + L"." + Hex(source.minorVersion);
    std::wstring helpFolder;
    if (szHelpDir)
        helpFolder = szHelpDir;
    else
    {
        helpFolder = szFullPath;
        const size_t separator = helpFolder.find_last_of(L"\\/");
        helpFolder.resize(separator == std::wstring::npos ? 0 : separator);
    }
    Key versionKey;
    LSTATUS status = versionKey.Create(HKEY_CLASSES_ROOT, L"TypeLib\\" + libid + L"\\" + version);
    const std::string description = source.helpString.empty() ? source.name : source.helpString;
    if (status == ERROR_SUCCESS)
        status = SetString(versionKey, nullptr, platform::typelib::Wide(description));
    if (status == ERROR_SUCCESS)
        status = SetKey(versionKey, Hex(source.lcid) + L"\\win64", szFullPath);
    if (status == ERROR_SUCCESS)
        status = SetKey(versionKey, L"FLAGS", L"0");
    if (status == ERROR_SUCCESS)
        status = SetKey(versionKey, L"HELPDIR", helpFolder);
    if (status != ERROR_SUCCESS)
        return FromStatus(status);
    return RegisterInterfaces(*library, libid, version);
}

extern "C" HRESULT UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID lcid,
                                     SYSKIND syskind)
{
    if (syskind != SYS_WIN64)
        return TYPE_E_REGISTRYACCESS;
    const std::wstring libid = GuidText(libID);
    const std::wstring versionName = Hex(wVerMajor) + L"." + Hex(wVerMinor);
    Key library, version, platformKey;
    std::wstring path;
    if (library.Open(HKEY_CLASSES_ROOT, L"TypeLib\\" + libid) != ERROR_SUCCESS ||
        version.Open(library, versionName) != ERROR_SUCCESS ||
        platformKey.Open(version, Hex(lcid) + L"\\win64") != ERROR_SUCCESS ||
        !ReadString(platformKey, nullptr, path))
        return TYPE_E_REGISTRYACCESS;

    // The library itself says which interfaces it registered.
    ITypeLib* loaded = nullptr;
    if (SUCCEEDED(LoadTypeLib(path.c_str(), &loaded)))
    {
        UnregisterInterfaces(static_cast<TypeLibrary*>(loaded)->Source(), libid);
        loaded->Release();
    }
    RegDeleteTreeW(version, Hex(lcid).c_str());
    // The version goes with its last locale; FLAGS and HELPDIR are no locales.
    bool otherLocales = false;
    for (const std::wstring& name : Subkeys(version))
        otherLocales = otherLocales || (name != L"FLAGS" && name != L"HELPDIR");
    if (!otherLocales)
    {
        RegDeleteTreeW(library, versionName.c_str());
        if (!HasSubkeys(HKEY_CLASSES_ROOT, L"TypeLib\\" + libid))
            RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"TypeLib\\" + libid).c_str());
    }
    return S_OK;
}
