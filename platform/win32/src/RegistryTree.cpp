// Case-insensitive, case-preserving names over the in-memory registry tree.
#include "RegistryTree.h"

#include "TextEncoding.h"

#include <algorithm>

namespace platform::registry
{
namespace
{
const wchar_t* const kRootNames[kRootCount] = {L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER",
                                               L"HKEY_LOCAL_MACHINE"};
} // namespace

const wchar_t* RootName(Root root)
{
    return kRootNames[int(root)];
}

bool FindRoot(std::wstring_view name, Root& root)
{
    const std::wstring folded = FoldCase(name);
    for (int i = 0; i < kRootCount; ++i)
    {
        if (FoldCase(kRootNames[i]) == folded)
        {
            root = Root(i);
            return true;
        }
    }
    return false;
}

Key* Key::Subkey(std::wstring_view childName) const
{
    auto found = subkeys.find(FoldCase(childName));
    return found == subkeys.end() ? nullptr : found->second.get();
}

Key& Key::AddSubkey(std::wstring_view childName, bool* created)
{
    std::unique_ptr<Key>& child = subkeys[FoldCase(childName)];
    if (created)
        *created = !child;
    if (!child)
    {
        child = std::make_unique<Key>();
        child->name = std::wstring(childName);
    }
    return *child;
}

bool Key::RemoveSubkey(std::wstring_view childName)
{
    return subkeys.erase(FoldCase(childName)) != 0;
}

Value* Key::FindValue(std::wstring_view valueName)
{
    const std::wstring folded = FoldCase(valueName);
    auto found = std::find_if(values.begin(), values.end(),
                              [&](const Value& v) { return FoldCase(v.name) == folded; });
    return found == values.end() ? nullptr : &*found;
}

void Key::SetValue(std::wstring_view valueName, DWORD type, std::vector<BYTE> data)
{
    if (Value* existing = FindValue(valueName))
    {
        // Windows keeps the spelling the value was created with.
        existing->type = type;
        existing->data = std::move(data);
        return;
    }
    values.push_back({std::wstring(valueName), type, std::move(data)});
}

bool Key::RemoveValue(std::wstring_view valueName)
{
    Value* found = FindValue(valueName);
    if (!found)
        return false;
    values.erase(values.begin() + (found - values.data()));
    return true;
}

Key* Tree::Find(Root root, const std::vector<std::wstring>& path)
{
    Key* key = &RootKey(root);
    for (const std::wstring& name : path)
    {
        key = key->Subkey(name);
        if (!key)
            return nullptr;
    }
    return key;
}

bool SplitKeyPath(std::wstring_view path, std::vector<std::wstring>& names)
{
    names.clear();
    size_t start = 0;
    while (start < path.size())
    {
        const size_t end = std::min(path.find(L'\\', start), path.size());
        if (end == start)
            return false;
        names.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return true;
}
} // namespace platform::registry
