// Little-endian, strings as null-terminated UTF-16, each item starting on a four-byte boundary.
#include "DialogTemplate.h"

#include <algorithm>
#include <cctype>

namespace rc
{
namespace
{
class Writer
{
public:
    void Word(uint16_t value)
    {
        m_bytes.push_back(uint8_t(value));
        m_bytes.push_back(uint8_t(value >> 8));
    }
    void Dword(uint32_t value)
    {
        Word(uint16_t(value));
        Word(uint16_t(value >> 16));
    }
    void Byte(uint8_t value) { m_bytes.push_back(value); }
    void Text(const std::u16string& text)
    {
        for (char16_t c : text)
            Word(c);
        Word(0);
    }
    void AlignToDword()
    {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
    }
    std::vector<uint8_t> Bytes() { return std::move(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
};

constexpr uint32_t kSetFont = 0x40;
constexpr uint32_t kShellFont = 0x48;
} // namespace

uint16_t PredefinedClassAtom(const std::string& className)
{
    std::string lower = className;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    static const char* const kClasses[] = {"button", "edit", "static", "listbox", "scrollbar", "combobox"};
    for (uint16_t i = 0; i < 6; ++i)
        if (lower == kClasses[i])
            return uint16_t(0x80 + i);
    return 0;
}

std::vector<uint8_t> DialogTemplateBytes(const Dialog& dialog)
{
    Writer out;
    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature of the extended form
    out.Dword(dialog.helpId);
    out.Dword(dialog.exStyle);
    out.Dword(dialog.style);
    out.Word(uint16_t(dialog.controls.size()));
    for (int16_t v : {dialog.x, dialog.y, dialog.cx, dialog.cy})
        out.Word(uint16_t(v));
    out.Word(0); // no menu
    out.Word(0); // the default dialog class
    out.Text(dialog.caption);
    if ((dialog.style & kSetFont) || (dialog.style & kShellFont) == kShellFont)
    {
        out.Word(dialog.pointSize);
        out.Word(dialog.weight);
        out.Byte(dialog.italic);
        out.Byte(dialog.charset);
        out.Text(dialog.typeface);
    }
    for (const DialogControl& control : dialog.controls)
    {
        out.AlignToDword();
        out.Dword(control.helpId);
        out.Dword(control.exStyle);
        out.Dword(control.style);
        for (int16_t v : {control.x, control.y, control.cx, control.cy})
            out.Word(uint16_t(v));
        out.Dword(uint32_t(control.id));
        if (control.classAtom)
        {
            out.Word(0xFFFF);
            out.Word(control.classAtom);
        }
        else
            out.Text(control.className);
        out.Text(control.text);
        out.Word(0); // no creation data
    }
    return out.Bytes();
}
} // namespace rc
