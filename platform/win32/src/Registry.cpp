// The registry functions over the shared store. An open key is a path below a root, so that a
// handle stays valid while other processes rewrite the file; a key deleted meanwhile answers
// ERROR_KEY_DELETED, as on Windows.
#include "registry_testing.h"
#include "winreg.h"

#include "RegistryStore.h"
#include "TextEncoding.h"

#include <cstring>
#include <mutex>
#include <set>

using namespace platform::registry;

namespace
{
struct OpenKey
{
    Root root;
    std::vector<std::wstring> path;
};

std::mutex g_handlesMutex;
std::set<const OpenKey*> g_openKeys;
std::wstring g_deniedKey; // folded; guarded by g_handlesMutex

// Whether the test controls refuse creating the key at this path.
bool CreationDenied(const OpenKey& key)
{
    std::wstring path = RootName(key.root);
    for (const std::wstring& name : key.path)
        path += L"\\" + name;
    path = platform::FoldCase(path);
    std::lock_guard<std::mutex> guard(g_handlesMutex);
    return !g_deniedKey.empty() &&
           (path == g_deniedKey || path.compare(0, g_deniedKey.size() + 1, g_deniedKey + L"\\") == 0);
}

bool Resolve(HKEY hKey, OpenKey& key)
{
    if (hKey == HKEY_CLASSES_ROOT || hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE)
    {
        key = {Root(ULONG_PTR(hKey) - ULONG_PTR(HKEY_CLASSES_ROOT)), {}};
        return true;
    }
    std::lock_guard<std::mutex> guard(g_handlesMutex);
    const auto* open = reinterpret_cast<const OpenKey*>(hKey);
    if (!g_openKeys.count(open))
        return false;
    key = *open;
    return true;
}

HKEY NewHandle(OpenKey key)
{
    auto* open = new OpenKey(std::move(key));
    std::lock_guard<std::mutex> guard(g_handlesMutex);
    g_openKeys.insert(open);
    return reinterpret_cast<HKEY>(open);
}

// Resolves the handle and runs the operation on its key in the current store.
LSTATUS WithKey(HKEY hKey,
                const std::function<LSTATUS(Tree&, Key&, const OpenKey&, bool& changed)>& operation)
{
    OpenKey open;
    if (!Resolve(hKey, open))
        return ERROR_INVALID_HANDLE;
    return Transact(
        [&](Tree& tree, bool& changed) -> LONG
        {
            Key* key = tree.Find(open.root, open.path);
            if (!key)
                return ERROR_KEY_DELETED;
            return operation(tree, *key, open, changed);
        });
}

std::wstring NameOf(LPCWSTR name)
{
    return name ? name : L"";
}

// Copies data out with the registry's buffer rules: no buffer asks for the size only.
LSTATUS CopyData(const Value& value, DWORD* lpType, BYTE* lpData, DWORD* lpcbData)
{
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    if (lpType)
        *lpType = value.type;
    if (!lpcbData)
        return ERROR_SUCCESS;
    const DWORD size = DWORD(value.data.size());
    const bool fits = *lpcbData >= size;
    *lpcbData = size;
    if (!lpData)
        return ERROR_SUCCESS;
    if (!fits)
        return ERROR_MORE_DATA;
    std::memcpy(lpData, value.data.data(), size);
    return ERROR_SUCCESS;
}

// Copies a name into a character buffer whose count includes the null on the way in and
// excludes it on the way out.
LSTATUS CopyName(const std::wstring& name, LPWSTR buffer, DWORD* count)
{
    if (!buffer || !count)
        return ERROR_INVALID_PARAMETER;
    if (name.size() + 1 > *count)
        return ERROR_MORE_DATA;
    std::wmemcpy(buffer, name.c_str(), name.size() + 1);
    *count = DWORD(name.size());
    return ERROR_SUCCESS;
}

// Opens a key below an open one; with `created` it makes the missing keys on the way and says
// whether it made any.
LSTATUS OpenSubkey(HKEY hKey, LPCWSTR lpSubKey, PHKEY phkResult, bool* created)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    std::vector<std::wstring> names;
    if (!SplitKeyPath(NameOf(lpSubKey), names))
        return ERROR_BAD_PATHNAME;
    OpenKey opened;
    const LSTATUS result = WithKey(hKey,
                                   [&](Tree&, Key& key, const OpenKey& open, bool& changed) -> LSTATUS
                                   {
                                       Key* current = &key;
                                       for (const std::wstring& name : names)
                                       {
                                           if (created)
                                           {
                                               current = &current->AddSubkey(name, &changed);
                                               *created = *created || changed;
                                           }
                                           else if (!(current = current->Subkey(name)))
                                               return ERROR_FILE_NOT_FOUND;
                                       }
                                       opened = open;
                                       opened.path.insert(opened.path.end(), names.begin(), names.end());
                                       if (created && CreationDenied(opened))
                                       {
                                           changed = false; // nothing of this call is saved
                                           return ERROR_ACCESS_DENIED;
                                       }
                                       if (created)
                                           changed = *created;
                                       return ERROR_SUCCESS;
                                   });
    if (result == ERROR_SUCCESS)
        *phkResult = NewHandle(std::move(opened));
    return result;
}
} // namespace

void platform::DenyRegistryKeyCreation(const std::wstring& path)
{
    std::lock_guard<std::mutex> guard(g_handlesMutex);
    g_deniedKey = platform::FoldCase(path);
}

extern "C" LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM,
                                   const LPSECURITY_ATTRIBUTES, PHKEY phkResult, DWORD* lpdwDisposition)
{
    bool created = false;
    const LSTATUS result = OpenSubkey(hKey, lpSubKey, phkResult, &created);
    if (result == ERROR_SUCCESS && lpdwDisposition)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return result;
}

extern "C" LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult)
{
    return OpenSubkey(hKey, lpSubKey, phkResult, nullptr);
}

extern "C" LSTATUS RegCloseKey(HKEY hKey)
{
    if (hKey == HKEY_CLASSES_ROOT || hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    const auto* open = reinterpret_cast<const OpenKey*>(hKey);
    {
        std::lock_guard<std::mutex> guard(g_handlesMutex);
        if (!g_openKeys.erase(open))
            return ERROR_INVALID_HANDLE;
    }
    delete open;
    return ERROR_SUCCESS;
}

extern "C" LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                                  DWORD cbData)
{
    if (!lpData && cbData != 0)
        return ERROR_INVALID_PARAMETER;
    std::vector<BYTE> data(lpData, lpData + (lpData ? cbData : 0));
    return WithKey(hKey,
                   [&](Tree&, Key& key, const OpenKey&, bool& changed) -> LSTATUS
                   {
                       key.SetValue(NameOf(lpValueName), dwType, std::move(data));
                       changed = true;
                       return ERROR_SUCCESS;
                   });
}

extern "C" LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD*, DWORD* lpType, BYTE* lpData,
                                    DWORD* lpcbData)
{
    return WithKey(hKey,
                   [&](Tree&, Key& key, const OpenKey&, bool&) -> LSTATUS
                   {
                       const Value* value = key.FindValue(NameOf(lpValueName));
                       return value ? CopyData(*value, lpType, lpData, lpcbData) : ERROR_FILE_NOT_FOUND;
                   });
}

extern "C" LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName)
{
    return WithKey(hKey,
                   [&](Tree&, Key& key, const OpenKey&, bool& changed) -> LSTATUS
                   {
                       changed = key.RemoveValue(NameOf(lpValueName));
                       return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
                   });
}

extern "C" LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    std::vector<std::wstring> names;
    if (!SplitKeyPath(lpSubKey, names))
        return ERROR_BAD_PATHNAME;
    return WithKey(hKey,
                   [&](Tree& tree, Key&, const OpenKey& open, bool& changed) -> LSTATUS
                   {
                       std::vector<std::wstring> path = open.path;
                       path.insert(path.end(), names.begin(), names.end());
                       if (path.empty())
                           return ERROR_ACCESS_DENIED; // a root cannot be deleted
                       const Key* target = tree.Find(open.root, path);
                       if (!target)
                           return ERROR_FILE_NOT_FOUND;
                       // As on Windows, only a key without subkeys goes; its values go with it.
                       if (!target->subkeys.empty())
                           return ERROR_ACCESS_DENIED;
                       const std::wstring name = path.back();
                       path.pop_back();
                       tree.Find(open.root, path)->RemoveSubkey(name);
                       changed = true;
                       return ERROR_SUCCESS;
                   });
}

extern "C" LSTATUS RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey)
{
    std::vector<std::wstring> names;
    if (!SplitKeyPath(NameOf(lpSubKey), names))
        return ERROR_BAD_PATHNAME;
    return WithKey(hKey,
                   [&](Tree& tree, Key& key, const OpenKey& open, bool& changed) -> LSTATUS
                   {
                       if (names.empty())
                       {
                           // Without a subkey the key stays, emptied of its subkeys and values.
                           key.subkeys.clear();
                           key.values.clear();
                           changed = true;
                           return ERROR_SUCCESS;
                       }
                       std::vector<std::wstring> path = open.path;
                       path.insert(path.end(), names.begin(), names.end() - 1);
                       Key* parent = tree.Find(open.root, path);
                       if (!parent || !parent->RemoveSubkey(names.back()))
                           return ERROR_FILE_NOT_FOUND;
                       changed = true;
                       return ERROR_SUCCESS;
                   });
}

extern "C" LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, DWORD* lpcchName, DWORD*,
                                 LPWSTR lpClass, DWORD* lpcchClass, PFILETIME lpftLastWriteTime)
{
    return WithKey(hKey,
                   [&](Tree&, Key& key, const OpenKey&, bool&) -> LSTATUS
                   {
                       if (dwIndex >= key.subkeys.size())
                           return ERROR_NO_MORE_ITEMS;
                       auto child = key.subkeys.begin();
                       std::advance(child, dwIndex);
                       const LSTATUS result = CopyName(child->second->name, lpName, lpcchName);
                       if (result != ERROR_SUCCESS)
                           return result;
                       if (lpClass && lpcchClass && *lpcchClass > 0)
                           lpClass[0] = L'\0', *lpcchClass = 0;
                       if (lpftLastWriteTime)
                           *lpftLastWriteTime = FILETIME{0, 0};
                       return ERROR_SUCCESS;
                   });
}

extern "C" LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, DWORD* lpcchValueName, DWORD*,
                                 DWORD* lpType, BYTE* lpData, DWORD* lpcbData)
{
    return WithKey(hKey,
                   [&](Tree&, Key& key, const OpenKey&, bool&) -> LSTATUS
                   {
                       if (dwIndex >= key.values.size())
                           return ERROR_NO_MORE_ITEMS;
                       const Value& value = key.values[dwIndex];
                       const LSTATUS result = CopyName(value.name, lpValueName, lpcchValueName);
                       return result != ERROR_SUCCESS ? result : CopyData(value, lpType, lpData, lpcbData);
                   });
}

extern "C" LSTATUS RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, DWORD* lpcchClass, DWORD*, DWORD* lpcSubKeys,
                                    DWORD* lpcbMaxSubKeyLen, DWORD* lpcbMaxClassLen, DWORD* lpcValues,
                                    DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                                    DWORD* lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime)
{
    return WithKey(hKey,
                   [&](Tree&, Key& key, const OpenKey&, bool&) -> LSTATUS
                   {
                       DWORD longestSubkey = 0, longestValueName = 0, largestValue = 0;
                       for (const auto& [folded, child] : key.subkeys)
                           longestSubkey = std::max(longestSubkey, DWORD(child->name.size()));
                       for (const Value& value : key.values)
                       {
                           longestValueName = std::max(longestValueName, DWORD(value.name.size()));
                           largestValue = std::max(largestValue, DWORD(value.data.size()));
                       }
                       if (lpClass && lpcchClass && *lpcchClass > 0)
                           lpClass[0] = L'\0';
                       if (lpcchClass)
                           *lpcchClass = 0;
                       if (lpcSubKeys)
                           *lpcSubKeys = DWORD(key.subkeys.size());
                       if (lpcbMaxSubKeyLen)
                           *lpcbMaxSubKeyLen = longestSubkey;
                       if (lpcbMaxClassLen)
                           *lpcbMaxClassLen = 0;
                       if (lpcValues)
                           *lpcValues = DWORD(key.values.size());
                       if (lpcbMaxValueNameLen)
                           *lpcbMaxValueNameLen = longestValueName;
                       if (lpcbMaxValueLen)
                           *lpcbMaxValueLen = largestValue;
                       if (lpcbSecurityDescriptor)
                           *lpcbSecurityDescriptor = 0;
                       if (lpftLastWriteTime)
                           *lpftLastWriteTime = FILETIME{0, 0};
                       return ERROR_SUCCESS;
                   });
}

long platform::OpenRegistryKeyCount()
{
    std::lock_guard<std::mutex> guard(g_handlesMutex);
    return long(g_openKeys.size());
}
