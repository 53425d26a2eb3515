// A compiled resource: its type, its name and language, and its bytes as the module holds them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc
{
// A number, or (isText) a name in capitals.
struct ResourceName
{
    bool isText = false;
    uint16_t number = 0;
    std::string text;
};

struct Resource
{
    ResourceName type;
    ResourceName name;
    uint16_t language;
    std::vector<uint8_t> data;
};

constexpr uint16_t kTypeBitmap = 2;
constexpr uint16_t kTypeDialog = 5;
constexpr uint16_t kTypeRawData = 10;
constexpr uint16_t kTypeDialogInit = 240; // the framework's RT_DLGINIT

// UTF-16 code units of UTF-8 text; throws std::runtime_error for bytes that are not UTF-8.
std::u16string Utf16(const std::string& utf8);
} // namespace rc
