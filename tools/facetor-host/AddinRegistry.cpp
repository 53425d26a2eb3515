#include "AddinRegistry.h"

#include "winreg.h"

#include "ui/ScriptedDriver.h"

#include <cwchar>
#include <filesystem>
#include <system_error>
#include <vector>

namespace
{
// A key's default string value, or none.
std::optional<std::wstring> DefaultString(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = REG_NONE, size = 0;
    std::optional<std::wstring> text;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ)
    {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
            ERROR_SUCCESS)
            text = std::wstring(buffer.data());
    }
    RegCloseKey(key);
    return text;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in either letter case.
std::optional<GUID> ParseGuid(const std::wstring& text)
{
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}')
        return std::nullopt;
    unsigned values[11] = {};
    int consumed = 0;
    if (std::swscanf(text.c_str(), L"{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &values[0], &values[1],
                     &values[2], &values[3], &values[4], &values[5], &values[6], &values[7], &values[8],
                     &values[9], &values[10], &consumed) != 11 ||
        consumed != 38)
        return std::nullopt;
    GUID guid{values[0], uint16_t(values[1]), uint16_t(values[2]), {}};
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = uint8_t(values[3 + i]);
    return guid;
}

bool SameFile(const std::wstring& registered, const std::string& modulePath)
{
    std::error_code error;
    const std::filesystem::path path(ui::Utf8(registered));
    return std::filesystem::equivalent(path, modulePath, error) || path == modulePath;
}
} // namespace

std::optional<CLSID> FindRegisteredAddin(const std::string& modulePath)
{
    HKEY addins = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\SolidWorks\\AddIns", 0, KEY_READ, &addins) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::optional<CLSID> found;
    for (DWORD index = 0; !found; ++index)
    {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(addins, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const std::optional<CLSID> clsid = ParseGuid(name);
        const std::optional<std::wstring> server =
            DefaultString(HKEY_CLASSES_ROOT, L"CLSID\\" + std::wstring(name) + L"\\InprocServer32");
        if (clsid && server && SameFile(*server, modulePath))
            found = clsid;
    }
    RegCloseKey(addins);
    return found;
}
