// Text between the platform's wide strings and Linux's byte strings, which are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform
{
// Strict UTF-8 into wide characters; false for bytes that are not UTF-8.
bool DecodeUtf8(const std::string& text, std::wstring& out);

// A path as the file system takes it, and back; bytes that are not UTF-8 come back one a character.
std::string NarrowPath(const std::wstring& path);
std::wstring WidePath(const std::string& path);

// The form under which names that ignore letter case (registry, modules, resources) compare.
std::wstring FoldCase(std::wstring_view name);
} // namespace platform
