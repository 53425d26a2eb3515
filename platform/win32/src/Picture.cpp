// The OLE picture object around a bitmap, which saves itself as a .bmp file.
#include "ole_testing.h"
#include "olectl.h"

#include "Bitmaps.h"

#include <atomic>
#include <cstring>
#include <vector>

namespace
{
std::atomic<long> g_livePictures{0};

template <typename T>
void Append(std::vector<BYTE>& out, const T& value)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

// The .bmp file of a 24-bit section: file header, info header, no colour table, bottom row first.
std::vector<BYTE> BmpFile(const platform::DibSection& dib)
{
    const DWORD stride = dib.Stride();
    const DWORD pixelBytes = stride * DWORD(dib.Height());
    constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfSize = kHeaders + pixelBytes;
    file.bfOffBits = kHeaders;

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biWidth = dib.Width();
    info.biHeight = dib.Height();
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = pixelBytes;

    std::vector<BYTE> out;
    out.reserve(file.bfSize);
    Append(out, file);
    Append(out, info);
    for (LONG row = 0; row < dib.Height(); ++row)
    {
        const LONG source = dib.TopDown() ? dib.Height() - 1 - row : row;
        const BYTE* begin = dib.bits.data() + size_t(source) * stride;
        out.insert(out.end(), begin, begin + stride);
    }
    return out;
}

class BitmapPicture final : public IPicture
{
public:
    BitmapPicture(HBITMAP bitmap, BOOL own) : m_bitmap(bitmap), m_own(own) { ++g_livePictures; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (!ppvObject)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IPicture)
        {
            *ppvObject = static_cast<IPicture*>(this);
            AddRef();
            return S_OK;
        }
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
        {
            if (m_own)
                DeleteObject(m_bitmap);
            --g_livePictures;
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_Type(SHORT* pType) override
    {
        if (!pType)
            return E_POINTER;
        *pType = PICTYPE_BITMAP;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SaveAsFile(LPSTREAM pStream, BOOL fSaveMemCopy, LONG* pCbSize) override
    {
        if (!pStream)
            return E_POINTER;
        if (!fSaveMemCopy)
            return E_FAIL;
        platform::DibSection dib;
        if (!platform::CopyBitmap(m_bitmap, dib))
            return E_FAIL;
        const std::vector<BYTE> file = BmpFile(dib);
        ULONG written = 0;
        const HRESULT hr = pStream->Write(file.data(), ULONG(file.size()), &written);
        if (FAILED(hr))
            return hr;
        if (pCbSize)
            *pCbSize = LONG(written);
        return S_OK;
    }

private:
    ULONG m_references = 1;
    HBITMAP m_bitmap;
    BOOL m_own;
};
} // namespace

long platform::LivePictureCount()
{
    return g_livePictures.load();
}

extern "C" HRESULT OleCreatePictureIndirect(LPPICTDESC lpPictDesc, REFIID riid, BOOL fOwn, LPVOID* lplpvObj)
{
    if (!lplpvObj)
        return E_POINTER;
    *lplpvObj = nullptr;
    // Uninitialised pictures and the other picture types are not made here.
    if (!lpPictDesc || lpPictDesc->cbSizeofstruct != sizeof(PICTDESC) || lpPictDesc->picType != PICTYPE_BITMAP)
        return E_INVALIDARG;
    auto* picture = new BitmapPicture(lpPictDesc->bmp.hbitmap, fOwn);
    const HRESULT hr = picture->QueryInterface(riid, lplpvObj);
    picture->Release();
    return hr;
}
