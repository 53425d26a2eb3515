// The toolbar pictures as the module carries them: 24-bit bitmaps of the sizes the host expects,
// on the light-grey background, with the strip's cells in command order.
#include "resource.h"

#include "libloaderapi.h"
#include "wingdi.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>

namespace
{
using Colour = std::array<BYTE, 3>; // blue, green, red, as a bitmap stores them
constexpr Colour kBackground{192, 192, 192};

struct Bitmap
{
    BITMAPINFOHEADER header{};
    const BYTE* pixels = nullptr;

    // Pixel (x, y) counted from the top left; the rows are stored bottom first.
    Colour At(int x, int y) const
    {
        const size_t stride = size_t((header.biWidth * 24 + 31) / 32 * 4);
        const BYTE* p = pixels + stride * size_t(header.biHeight - 1 - y) + size_t(3 * x);
        return {p[0], p[1], p[2]};
    }
    std::set<Colour> Colours(int left, int size) const
    {
        std::set<Colour> colours;
        for (int y = 0; y < size; ++y)
            for (int x = left; x < left + size; ++x)
                colours.insert(At(x, y));
        return colours;
    }
};

Bitmap Load(int id)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), RT_BITMAP);
    EXPECT_NE(resource, nullptr);
    Bitmap bitmap;
    if (!resource)
        return bitmap;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    std::memcpy(&bitmap.header, data, sizeof bitmap.header);
    const size_t stride = size_t((bitmap.header.biWidth * 24 + 31) / 32 * 4);
    EXPECT_EQ(SizeofResource(module, resource),
              sizeof bitmap.header + stride * size_t(bitmap.header.biHeight));
    bitmap.pixels = data + bitmap.header.biSize;
    return bitmap;
}

bool Has(const std::set<Colour>& colours, bool (*test)(const Colour&))
{
    for (const Colour& c : colours)
        if (test(c))
            return true;
    return false;
}
bool Yellow(const Colour& c)
{
    return c[2] > 200 && c[1] > 180 && c[0] < 64;
}
bool Green(const Colour& c)
{
    return c[1] > 128 && c[0] < 64 && c[2] < 64;
}
} // namespace

TEST(ToolbarBitmaps, SizesDepthAndCells)
{
    const struct
    {
        int id, width, height;
    } bitmaps[] = {{IDB_LARGE_ICON, 24, 24},
                   {IDB_SMALL_ICON, 16, 16},
                   {IDB_LARGE_IMAGE_STRIP, 96, 24},
                   {IDB_SMALL_IMAGE_STRIP, 64, 16}};
    for (const auto& b : bitmaps)
    {
        SCOPED_TRACE(b.id);
        const Bitmap bitmap = Load(b.id);
        ASSERT_NE(bitmap.pixels, nullptr);
        EXPECT_EQ(bitmap.header.biWidth, b.width);
        EXPECT_EQ(bitmap.header.biHeight, b.height); // bottom-up
        EXPECT_EQ(bitmap.header.biBitCount, 24);
        EXPECT_EQ(bitmap.header.biCompression, 0u);
        EXPECT_EQ(bitmap.header.biClrUsed, 0u);

        // Cells: 0 Import (yellow folder, green arrow), 1 Help and 3 About (yellow question
        // marks), 2 unused; the icons are the Import cell alone.
        const int size = b.height;
        for (int cell = 0; cell < b.width / size; ++cell)
        {
            SCOPED_TRACE(cell);
            const std::set<Colour> colours = bitmap.Colours(cell * size, size);
            EXPECT_EQ(bitmap.At(cell * size, 0), kBackground);
            if (cell == 2)
            {
                EXPECT_EQ(colours, std::set<Colour>{kBackground});
                continue;
            }
            EXPECT_TRUE(colours.count(kBackground));
            EXPECT_TRUE(Has(colours, Yellow));
            EXPECT_EQ(Has(colours, Green), cell == 0);
        }
    }
}
