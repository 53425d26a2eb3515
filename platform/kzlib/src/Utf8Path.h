// The file system's narrow form of a wide path.
#pragma once

#include <string>

namespace kzstl
{
// UTF-8 of the path, whether wchar_t holds UTF-16 or UTF-32 units. False for text that has no
// such form (a lone surrogate, a unit beyond U+10FFFF) and for a null character inside the path,
// which would make the system open a different file.
bool ToUtf8Path(const std::wstring& path, std::string& utf8);
} // namespace kzstl
