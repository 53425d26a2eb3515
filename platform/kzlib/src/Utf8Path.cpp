#include "Utf8Path.h"

namespace kzstl
{
namespace
{
void AppendUtf8(char32_t code, std::string& out)
{
    if (code < 0x80)
        out += char(code);
    else if (code < 0x800)
    {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    }
    else if (code < 0x10000)
    {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
    else
    {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

bool IsHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
} // namespace

bool ToUtf8Path(const std::wstring& path, std::string& utf8)
{
    utf8.clear();
    for (size_t i = 0; i < path.size(); ++i)
    {
        char32_t code = char32_t(path[i]);
        if (sizeof(wchar_t) == 2 && IsHighSurrogate(code) && i + 1 < path.size() &&
            IsLowSurrogate(char32_t(path[i + 1])))
            code = 0x10000 + ((code - 0xD800) << 10) + (char32_t(path[++i]) - 0xDC00);
        if (code == 0 || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code))
            return false;
        AppendUtf8(code, utf8);
    }
    return true;
}
} // namespace kzstl
