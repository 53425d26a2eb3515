// Resource text is UTF-16 in the module, whatever the width of wchar_t where it is read.
#include "Resource.h"

#include <stdexcept>

namespace rc
{
std::u16string Utf16(const std::string& utf8)
{
    std::u16string out;
    for (size_t i = 0; i < utf8.size();)
    {
        const unsigned char lead = (unsigned char)utf8[i];
        const int extra = lead < 0x80             ? 0
                          : (lead & 0xE0) == 0xC0 ? 1
                          : (lead & 0xF0) == 0xE0 ? 2
                          : (lead & 0xF8) == 0xF0 ? 3
                                                  : -1;
        if (extra < 0 || i + size_t(extra) >= utf8.size())
            throw std::runtime_error("text that is not UTF-8");
        uint32_t c = extra ? lead & (0x3F >> extra) : lead;
        for (int k = 1; k <= extra; ++k)
        {
            if (((unsigned char)utf8[i + size_t(k)] & 0xC0) != 0x80)
                throw std::runtime_error("text that is not UTF-8");
            c = (c << 6) | ((unsigned char)utf8[i + size_t(k)] & 0x3F);
        }
        i += size_t(extra) + 1;
        if (c < 0x10000)
            out += char16_t(c);
        else
        {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        }
    }
    return out;
}
} // namespace rc
