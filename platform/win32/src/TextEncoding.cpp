// UTF-8 in both directions, and the one case folding of names.
#include "TextEncoding.h"

#include "ui/ScriptedDriver.h"

#include <cstdint>
#include <cwctype>

#include <locale.h>

namespace platform
{
namespace
{
// One fixed locale for folding, so that every process folds the same way whatever its own locale.
locale_t FoldingLocale()
{
    static locale_t locale = []
    {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
        return l ? l : newlocale(LC_CTYPE_MASK, "C", locale_t(0));
    }();
    return locale;
}
} // namespace

bool DecodeUtf8(const std::string& text, std::wstring& out)
{
    out.clear();
    for (size_t i = 0; i < text.size();)
    {
        const unsigned char lead = (unsigned char)text[i];
        int extra = lead < 0x80             ? 0
                    : (lead & 0xE0) == 0xC0 ? 1
                    : (lead & 0xF0) == 0xE0 ? 2
                    : (lead & 0xF8) == 0xF0 ? 3
                                            : -1;
        if (extra < 0 || i + size_t(extra) >= text.size())
            return false;
        uint32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
        {
            const unsigned char next = (unsigned char)text[i + size_t(k)];
            if ((next & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (next & 0x3F);
        }
        static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        out += wchar_t(c);
        i += size_t(extra) + 1;
    }
    return true;
}

std::string NarrowPath(const std::wstring& path)
{
    return ui::Utf8(path);
}

std::wstring WidePath(const std::string& path)
{
    std::wstring wide;
    if (!DecodeUtf8(path, wide))
        wide.assign(path.begin(), path.end());
    return wide;
}
std::wstring FoldCase(std::wstring_view name)
{
    std::wstring folded(name);
    for (wchar_t& c : folded)
        c = wchar_t(towupper_l(wint_t(c), FoldingLocale()));
    return folded;
}
} // namespace platform
