// An extended dialog template (DLGTEMPLATEEX with its DLGITEMTEMPLATEEX items) in its binary form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc
{
struct DialogControl
{
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    int32_t id = 0;
    uint16_t classAtom = 0;   // a predefined class (0x80 button ... 0x85 combo box), or 0
    std::u16string className; // when classAtom is 0
    std::u16string text;
};

struct Dialog
{
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::u16string caption;
    bool hasFont = false;
    uint16_t pointSize = 0, weight = 0;
    uint8_t italic = 0, charset = 0;
    std::u16string typeface;
    std::vector<DialogControl> controls;
};

// The atom of a predefined window class ("Button", "Edit", "Static", "ListBox", "ScrollBar",
// "ComboBox", any letter case), or 0.
uint16_t PredefinedClassAtom(const std::string& className);

std::vector<uint8_t> DialogTemplateBytes(const Dialog& dialog);
} // namespace rc
