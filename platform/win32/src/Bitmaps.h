// The bitmaps behind HBITMAP handles, for the stand-ins that read them.
#pragma once

#include "wingdi.h"

#include <vector>

namespace platform
{
struct DibSection
{
    BITMAPINFOHEADER header; // as created; biHeight negative for a top-down section
    std::vector<BYTE> bits;

    LONG Width() const { return header.biWidth; }
    LONG Height() const { return header.biHeight < 0 ? -header.biHeight : header.biHeight; }
    DWORD Stride() const { return DWORD((header.biWidth * header.biBitCount + 31) / 32 * 4); }
    bool TopDown() const { return header.biHeight < 0; }
};

// A copy of the live bitmap that a handle names; false for a handle that names none.
bool CopyBitmap(HBITMAP bitmap, DibSection& copy);
} // namespace platform
