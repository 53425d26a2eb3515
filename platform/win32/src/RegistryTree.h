// The registry's contents in memory: three roots, each a tree of keys holding named values.
// Names compare without regard to letter case and keep the case they were created with.
#pragma once

#include "wintypes.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry
{
enum class Root
{
    ClassesRoot,
    CurrentUser,
    LocalMachine,
};
constexpr int kRootCount = 3;

// "HKEY_CLASSES_ROOT" and so on; FindRoot matches without regard to case.
const wchar_t* RootName(Root root);
bool FindRoot(std::wstring_view name, Root& root);

struct Value
{
    std::wstring name; // empty: the key's default value
    DWORD type;
    std::vector<BYTE> data;
};

struct Key
{
    std::wstring name;
    // By folded name, which is also the order in which the registry enumerates subkeys.
    std::map<std::wstring, std::unique_ptr<Key>> subkeys;
    // In the order they were first set, as the registry enumerates them.
    std::vector<Value> values;

    Key* Subkey(std::wstring_view childName) const;
    // The existing subkey of that name, or a new one.
    Key& AddSubkey(std::wstring_view childName, bool* created = nullptr);
    bool RemoveSubkey(std::wstring_view childName);

    Value* FindValue(std::wstring_view valueName);
    void SetValue(std::wstring_view valueName, DWORD type, std::vector<BYTE> data);
    bool RemoveValue(std::wstring_view valueName);
};

struct Tree
{
    Key roots[kRootCount];

    Key& RootKey(Root root) { return roots[int(root)]; }
    // The key at a path of names below a root, or null.
    Key* Find(Root root, const std::vector<std::wstring>& path);
};

// Splits "a\b\c" into its names. A trailing backslash is allowed; an empty name elsewhere is not.
bool SplitKeyPath(std::wstring_view path, std::vector<std::wstring>& names);
} // namespace platform::registry
