#include "ImageFileReader.h"

#include "ui/ScriptedDriver.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace sim
{
namespace
{
uint32_t Little(const std::vector<unsigned char>& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[at + size_t(i)];
    return value;
}
} // namespace

ImageFile ReadImageFile(const wchar_t* path)
{
    ImageFile image;
    if (!path)
        return image;
    image.given = true;
    image.path = path;
    std::ifstream file(ui::Utf8(path), std::ios::binary);
    if (!file)
        return image;
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    image.byteCount = bytes.size();

    // File header (14 bytes: "BM", file size, two reserved words, offset of the pixels), then the
    // bitmap information header (at least 40 bytes).
    constexpr size_t fileHeader = 14, infoHeader = 40;
    if (bytes.size() < fileHeader + infoHeader || bytes[0] != 'B' || bytes[1] != 'M')
        return image;
    const uint32_t fileSize = Little(bytes, 2, 4);
    const uint32_t pixelOffset = Little(bytes, 10, 4);
    const uint32_t headerSize = Little(bytes, 14, 4);
    image.width = LONG(Little(bytes, 18, 4));
    image.height = LONG(Little(bytes, 22, 4));
    const uint32_t planes = Little(bytes, 26, 2);
    image.bitDepth = int(Little(bytes, 28, 2));
    const uint32_t compression = Little(bytes, 30, 4);
    if (fileSize != bytes.size() || headerSize < infoHeader || planes != 1 || compression != 0 || image.width <= 0 ||
        image.height == 0)
        return image;
    const int depth = image.bitDepth;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
        return image;
    // Rows are padded to whole 32-bit words; a negative height stores them top-down.
    const uint64_t rowBytes = (uint64_t(image.width) * uint64_t(depth) + 31) / 32 * 4;
    const uint64_t rows = uint64_t(image.height < 0 ? -int64_t(image.height) : int64_t(image.height));
    image.readable = pixelOffset >= fileHeader + headerSize && uint64_t(pixelOffset) + rowBytes * rows <= bytes.size();
    return image;
}
} // namespace sim
