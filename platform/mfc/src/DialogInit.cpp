// Dialog init data: records of a WORD control id, a WORD message, a DWORD byte count and that
// many bytes, packed without alignment; a control id of 0 ends the list. The 16-bit add-string
// messages carry an 8-bit string with its null.
#include "DialogWindow.h"

#include <cstring>

namespace platform::mfc
{
namespace
{
constexpr WORD kAddStringToListBox16 = 0x0401;
constexpr WORD kAddStringToComboBox16 = 0x0403;
} // namespace

bool RunDialogInit(const BYTE* data, DWORD size, DialogWindow& window)
{
    size_t pos = 0;
    for (;;)
    {
        WORD id, message;
        DWORD count;
        if (size - pos < sizeof id)
            return false;
        std::memcpy(&id, data + pos, sizeof id);
        if (id == 0)
            return true;
        if (size - pos < sizeof id + sizeof message + sizeof count)
            return false;
        std::memcpy(&message, data + pos + 2, sizeof message);
        std::memcpy(&count, data + pos + 4, sizeof count);
        pos += 8;
        if (count > size - pos)
            return false;
        Control* control = nullptr;
        for (Control& candidate : window.controls)
            if (WORD(candidate.id) == id)
                control = &candidate;
        // Any other message, or a control that is missing or of another kind, changes nothing.
        if ((message == kAddStringToComboBox16 || message == kAddStringToListBox16) && control &&
            control->IsListOrCombo())
        {
            std::wstring item;
            for (size_t i = pos; i < pos + count && data[i] != 0; ++i)
                item += wchar_t(data[i]);
            control->items.push_back(item);
        }
        pos += count;
    }
}
} // namespace platform::mfc
