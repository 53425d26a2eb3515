#include "ole_testing.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
HBITMAP MakeSection(LONG width, LONG height, BYTE** bits)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

template <typename T>
T At(const std::vector<BYTE>& bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// Saves the bitmap as the add-in does and returns the reported bytes, checking the block around them.
std::vector<BYTE> Save(HBITMAP bitmap)
{
    PICTDESC description{sizeof(PICTDESC), PICTYPE_BITMAP, {{bitmap, nullptr}}};
    IPicture* picture = nullptr;
    EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPicture, FALSE, reinterpret_cast<void**>(&picture)), S_OK);
    IStream* stream = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    LONG size = 0;
    EXPECT_EQ(picture->SaveAsFile(stream, TRUE, &size), S_OK);
    HGLOBAL block = nullptr;
    EXPECT_EQ(GetHGlobalFromStream(stream, &block), S_OK);
    EXPECT_GT(GlobalSize(block), SIZE_T(size)) << "the block is larger than what was written";
    const BYTE* memory = static_cast<const BYTE*>(GlobalLock(block));
    std::vector<BYTE> bytes(memory, memory + size);
    GlobalUnlock(block);
    stream->Release();
    picture->Release();
    return bytes;
}

TEST(Picture, SavesA24BitSectionAsBmpBottomRowFirst)
{
    struct Case
    {
        LONG width, height;
        size_t fileBytes;
    };
    for (const Case& c : {Case{24, 24, 1782}, Case{16, 16, 822}, Case{96, 24, 6966}, Case{64, 16, 3126},
                          Case{3, 2, 54 + 2 * 12}})
    {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        BYTE* bits = nullptr;
        HBITMAP bitmap = MakeSection(c.width, c.height, &bits);
        ASSERT_TRUE(bitmap);
        const size_t stride = size_t((c.width * 24 + 31) / 32 * 4);
        std::memset(bits, 0xC0, stride * size_t(c.height));
        bits[0] = 1;                        // blue of the bottom row's first pixel
        bits[stride * (c.height - 1)] = 2; // blue of the top row's first pixel

        const std::vector<BYTE> file = Save(bitmap);
        ASSERT_EQ(file.size(), c.fileBytes);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(At<DWORD>(file, 2), c.fileBytes);
        EXPECT_EQ(At<DWORD>(file, 6), 0u);
        EXPECT_EQ(At<DWORD>(file, 10), 54u);
        EXPECT_EQ(At<DWORD>(file, 14), 40u);
        EXPECT_EQ(At<LONG>(file, 18), c.width);
        EXPECT_EQ(At<LONG>(file, 22), c.height);
        EXPECT_EQ(At<WORD>(file, 26), 1);
        EXPECT_EQ(At<WORD>(file, 28), 24);
        EXPECT_EQ(At<DWORD>(file, 30), DWORD(BI_RGB));
        EXPECT_EQ(At<DWORD>(file, 34), stride * size_t(c.height));
        EXPECT_EQ(At<DWORD>(file, 46), 0u);
        EXPECT_EQ(At<DWORD>(file, 50), 0u);
        EXPECT_EQ(file[54], 1);
        EXPECT_EQ(file[54 + stride * (c.height - 1)], 2);
        EXPECT_EQ(file[55], 0xC0);
        EXPECT_TRUE(DeleteObject(bitmap));
    }
    EXPECT_EQ(platform::LiveBitmapCount(), 0);
    EXPECT_EQ(platform::LivePictureCount(), 0);
    EXPECT_EQ(platform::LiveStreamCount(), 0);
    EXPECT_EQ(platform::LiveGlobalCount(), 0);
}

TEST(Picture, OwnershipAndRefusals)
{
    BYTE* bits = nullptr;
    HBITMAP bitmap = MakeSection(2, 2, &bits);
    PICTDESC description{sizeof(PICTDESC), PICTYPE_BITMAP, {{bitmap, nullptr}}};
    IPicture* picture = nullptr;

    PICTDESC wrongSize = description;
    wrongSize.cbSizeofstruct = 16;
    EXPECT_EQ(OleCreatePictureIndirect(&wrongSize, IID_IPicture, FALSE, reinterpret_cast<void**>(&picture)),
              E_INVALIDARG);
    EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IStream, FALSE, reinterpret_cast<void**>(&picture)),
              E_NOINTERFACE);
    EXPECT_EQ(picture, nullptr);

    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPicture, FALSE, reinterpret_cast<void**>(&picture)), S_OK);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    LONG size = -1;
    EXPECT_EQ(picture->SaveAsFile(stream, FALSE, &size), E_FAIL) << "only a memory copy is saved";
    EXPECT_EQ(size, -1);
    picture->Release();
    EXPECT_EQ(platform::LiveBitmapCount(), 1) << "fOwn FALSE leaves the bitmap to the caller";

    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPicture, TRUE, reinterpret_cast<void**>(&picture)), S_OK);
    picture->Release();
    EXPECT_EQ(platform::LiveBitmapCount(), 0) << "fOwn TRUE deletes it with the picture";

    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPicture, FALSE, reinterpret_cast<void**>(&picture)), S_OK);
    EXPECT_EQ(picture->SaveAsFile(stream, TRUE, &size), E_FAIL) << "the bitmap is gone";
    picture->Release();
    stream->Release();
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_EQ(platform::LiveStreamCount(), 0);
    EXPECT_EQ(platform::LiveGlobalCount(), 0);
}

TEST(DibSection, OnlyUncompressed24BitSectionsAreMade)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = &info;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biWidth = 0;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(platform::LiveBitmapCount(), 0);
}

TEST(HGlobalStream, ReadsBackWhatWasWrittenAndKeepsAGivenBlock)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream), S_OK);
    ULONG count = 0;
    EXPECT_EQ(stream->Write("hello", 5, &count), S_OK);
    EXPECT_EQ(count, 5u);
    ULARGE_INTEGER position{};
    EXPECT_EQ(stream->Seek(LARGE_INTEGER{1}, STREAM_SEEK_SET, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 1u);
    char text[8] = {};
    EXPECT_EQ(stream->Read(text, sizeof text, &count), S_OK);
    EXPECT_EQ(count, 4u);
    EXPECT_STREQ(text, "ello");
    stream->Release();
    EXPECT_EQ(platform::LiveGlobalCount(), 1) << "fDeleteOnRelease FALSE keeps the block";
    GlobalFree(block);
    EXPECT_EQ(platform::LiveGlobalCount(), 0);
}
} // namespace
