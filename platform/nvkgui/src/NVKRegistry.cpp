// Settings as REG_DWORD values under the selected key; the key is opened for each call, so that
// nothing stays open between calls.
#include "NVKRegistry.h"

NVKRegistry::NVKRegistry() = default;

NVKRegistry::~NVKRegistry() = default;

int NVKRegistry::SetKey(CString key, int root)
{
    if (root != 0 && root != 1)
        return 0;
    m_root = root == 1 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    m_key = key;
    return 1;
}

int NVKRegistry::ReadInt(CString name, int defaultValue)
{
    HKEY key;
    if (!m_root || RegOpenKeyExW(m_root, m_key, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return defaultValue;
    DWORD type = 0, value = 0, size = sizeof value;
    const LSTATUS result =
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return defaultValue;
    return int(value);
}

int NVKRegistry::ReadBool(CString name, int defaultValue)
{
    return ReadInt(name, defaultValue);
}

int NVKRegistry::WriteInt(CString name, int value)
{
    HKEY key;
    if (!m_root || RegCreateKeyExW(m_root, m_key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                   &key, nullptr) != ERROR_SUCCESS)
        return 0;
    const DWORD data = DWORD(value);
    const LSTATUS result =
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 1 : 0;
}

int NVKRegistry::WriteBool(CString name, int flag)
{
    return WriteInt(name, flag ? 1 : 0);
}
