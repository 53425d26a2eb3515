// Bitmap resources of a module loaded into DIB sections.
#include "errhandlingapi.h"
#include "libloaderapi.h"
#include "wingdi.h"
#include "winerror.h"
#include "winuser.h"

#include <cstring>

extern "C" HANDLE LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad)
{
    // Only what the add-in asks for: a bitmap at its own size. Without LR_CREATEDIBSECTION Windows
    // would make a bitmap of the screen's format; here it is always a DIB section.
    if (type != IMAGE_BITMAP || cx != 0 || cy != 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HRSRC resource = FindResourceW(hInst, name, RT_BITMAP);
    if (!resource)
        return nullptr;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(hInst, resource)));
    const DWORD size = SizeofResource(hInst, resource);
    // A bitmap resource is a .bmp file without its file header; a 24-bit one has no colour table.
    BITMAPINFO info{};
    if (!data || size < sizeof(BITMAPINFOHEADER))
    {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    std::memcpy(&info.bmiHeader, data, sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER& header = info.bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size || header.biClrUsed != 0)
    {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const size_t pixelBytes = size_t((header.biWidth * 24 + 31) / 32 * 4) * size_t(height);
    if (size - header.biSize < pixelBytes)
    {
        DeleteObject(bitmap);
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    std::memcpy(bits, data + header.biSize, pixelBytes);
    return bitmap;
}
