// DIB sections and the deletion of graphics objects; every live bitmap is counted.
#include "errhandlingapi.h"
#include "ole_testing.h"
#include "wingdi.h"
#include "winerror.h"

#include "Bitmaps.h"

#include <mutex>
#include <set>

namespace
{
std::mutex& BitmapsMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<platform::DibSection*>& LiveBitmaps()
{
    static std::set<platform::DibSection*> bitmaps;
    return bitmaps;
}
} // namespace

long platform::LiveBitmapCount()
{
    std::lock_guard<std::mutex> guard(BitmapsMutex());
    return long(LiveBitmaps().size());
}

bool platform::CopyBitmap(HBITMAP bitmap, DibSection& copy)
{
    std::lock_guard<std::mutex> guard(BitmapsMutex());
    auto* dib = reinterpret_cast<DibSection*>(bitmap);
    if (!LiveBitmaps().count(dib))
        return false;
    copy = *dib;
    return true;
}

extern "C" HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                                    DWORD offset)
{
    if (ppvBits)
        *ppvBits = nullptr;
    if (!pbmi || usage != DIB_RGB_COLORS || hSection)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BITMAPINFOHEADER& header = pbmi->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biPlanes != 1 || header.biBitCount != 24 || header.biCompression != BI_RGB ||
        header.biWidth > 0x7FFF || header.biHeight > 0x7FFF || header.biHeight < -0x7FFF)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* dib = new platform::DibSection{header, {}};
    dib->header.biSize = sizeof(BITMAPINFOHEADER);
    dib->bits.assign(size_t(dib->Stride()) * size_t(dib->Height()), 0);
    if (ppvBits)
        *ppvBits = dib->bits.data();
    std::lock_guard<std::mutex> guard(BitmapsMutex());
    LiveBitmaps().insert(dib);
    return reinterpret_cast<HBITMAP>(dib);
}

extern "C" BOOL DeleteObject(HGDIOBJ ho)
{
    std::lock_guard<std::mutex> guard(BitmapsMutex());
    auto* dib = static_cast<platform::DibSection*>(ho);
    if (!LiveBitmaps().erase(dib))
        return FALSE;
    delete dib;
    return TRUE;
}
