// The binary extended dialog template: a header, then one item per control, each on a four-byte
// boundary; strings are null-terminated UTF-16, and a class or title may be an ordinal instead.
#include "DialogWindow.h"

#include <cstring>

namespace platform::mfc
{
namespace
{
constexpr DWORD kSetFont = 0x40;

class Reader
{
public:
    Reader(const BYTE* data, DWORD size) : m_data(data), m_size(size) {}

    bool Word(WORD& value) { return Bytes(&value, sizeof value); }
    bool Dword(DWORD& value) { return Bytes(&value, sizeof value); }
    bool Short(int16_t& value) { return Bytes(&value, sizeof value); }
    bool Byte(BYTE& value) { return Bytes(&value, sizeof value); }

    bool Text(std::wstring& text)
    {
        text.clear();
        for (;;)
        {
            WORD unit;
            if (!Word(unit))
                return false;
            if (unit == 0)
                return true;
            if (unit >= 0xD800 && unit < 0xDC00 && sizeof(wchar_t) > 2)
            {
                WORD low;
                if (!Word(low))
                    return false;
                text += wchar_t(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            }
            else
                text += wchar_t(unit);
        }
    }

    // A string, or 0xFFFF and an ordinal, or 0 for none.
    bool TextOrOrdinal(std::wstring& text, WORD& ordinal)
    {
        ordinal = 0;
        WORD first;
        if (!Peek(first))
            return false;
        if (first == 0xFFFF)
        {
            text.clear();
            return Word(first) && Word(ordinal);
        }
        return Text(text);
    }

    bool Skip(size_t count)
    {
        if (count > m_size - m_pos)
            return false;
        m_pos += count;
        return true;
    }

    bool AlignToDword() { return Skip((4 - m_pos % 4) % 4); }

private:
    bool Bytes(void* out, size_t count)
    {
        if (count > m_size - m_pos)
            return false;
        std::memcpy(out, m_data + m_pos, count); // the template is little-endian, as this machine
        m_pos += count;
        return true;
    }

    bool Peek(WORD& value)
    {
        const size_t at = m_pos;
        const bool ok = Word(value);
        m_pos = at;
        return ok;
    }

    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

std::wstring ClassName(const std::wstring& name, WORD atom)
{
    static const wchar_t* const kPredefined[] = {L"button",  L"edit",      L"static",
                                                 L"listbox", L"scrollbar", L"combobox"};
    if (atom >= 0x80 && atom <= 0x85)
        return kPredefined[atom - 0x80];
    std::wstring lower = name;
    for (wchar_t& c : lower)
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
    return lower;
}
} // namespace

bool ReadDialogTemplate(const BYTE* data, DWORD size, DialogWindow& window)
{
    Reader in(data, size);
    WORD version, signature, count, ordinal;
    DWORD helpId, exStyle;
    int16_t x, y, cx, cy;
    std::wstring menu, windowClass;
    if (!in.Word(version) || !in.Word(signature) || version != 1 || signature != 0xFFFF)
        return false;
    if (!in.Dword(helpId) || !in.Dword(exStyle) || !in.Dword(window.style) || !in.Word(count) ||
        !in.Short(x) || !in.Short(y) || !in.Short(cx) || !in.Short(cy) || !in.TextOrOrdinal(menu, ordinal) ||
        !in.TextOrOrdinal(windowClass, ordinal) || !in.Text(window.caption))
        return false;
    if (window.style & kSetFont)
    {
        WORD pointSize, weight;
        BYTE italic, charset;
        std::wstring typeface;
        if (!in.Word(pointSize) || !in.Word(weight) || !in.Byte(italic) || !in.Byte(charset) ||
            !in.Text(typeface))
            return false;
    }
    for (WORD i = 0; i < count; ++i)
    {
        Control control;
        DWORD id;
        WORD atom, textOrdinal, extra;
        std::wstring className;
        if (!in.AlignToDword() || !in.Dword(helpId) || !in.Dword(exStyle) || !in.Dword(control.style) ||
            !in.Short(x) || !in.Short(y) || !in.Short(cx) || !in.Short(cy) || !in.Dword(id) ||
            !in.TextOrOrdinal(className, atom) || !in.TextOrOrdinal(control.text, textOrdinal) ||
            !in.Word(extra) || !in.Skip(extra))
            return false;
        control.id = int(id);
        control.windowClass = ClassName(className, atom);
        window.controls.push_back(std::move(control));
    }
    return true;
}
} // namespace platform::mfc
