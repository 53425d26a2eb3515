// A stream over a global memory block, growing the block in steps as it is written.
#include "objidl.h"
#include "ole_testing.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace
{
std::atomic<long> g_liveStreams{0};

class HGlobalStream final : public IStream
{
public:
    HGlobalStream(HGLOBAL block, BOOL deleteOnRelease)
        : m_block(block), m_deleteOnRelease(deleteOnRelease), m_size(GlobalSize(block))
    {
        ++g_liveStreams;
    }

    HGLOBAL Block() const { return m_block; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (!ppvObject)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream)
        {
            *ppvObject = static_cast<IStream*>(this);
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
            if (m_deleteOnRelease)
                GlobalFree(m_block);
            --g_liveStreams;
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        if (!pv)
            return STG_E_INVALIDFUNCTION;
        const SIZE_T size = m_size;
        const ULONG count = m_position >= size ? 0 : ULONG(std::min<SIZE_T>(cb, size - m_position));
        if (count)
        {
            std::memcpy(pv, static_cast<BYTE*>(GlobalLock(m_block)) + m_position, count);
            GlobalUnlock(m_block);
        }
        m_position += count;
        if (pcbRead)
            *pcbRead = count;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override
    {
        if (pcbWritten)
            *pcbWritten = 0;
        if (!pv)
            return STG_E_INVALIDFUNCTION;
        const SIZE_T end = m_position + cb;
        if (end > GlobalSize(m_block) && !GlobalReAlloc(m_block, Grown(end), GMEM_MOVEABLE))
            return STG_E_MEDIUMFULL;
        std::memcpy(static_cast<BYTE*>(GlobalLock(m_block)) + m_position, pv, cb);
        GlobalUnlock(m_block);
        m_position = end;
        m_size = std::max(m_size, end);
        if (pcbWritten)
            *pcbWritten = cb;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override
    {
        LONGLONG base = 0;
        if (dwOrigin == STREAM_SEEK_CUR)
            base = LONGLONG(m_position);
        else if (dwOrigin == STREAM_SEEK_END)
            base = LONGLONG(m_size);
        else if (dwOrigin != STREAM_SEEK_SET)
            return STG_E_INVALIDFUNCTION;
        const LONGLONG position = base + dlibMove.QuadPart;
        if (position < 0)
            return STG_E_INVALIDFUNCTION;
        m_position = SIZE_T(position);
        if (plibNewPosition)
            plibNewPosition->QuadPart = ULONGLONG(position);
        return S_OK;
    }

private:
    // Blocks grow in whole steps, so the block is usually larger than what was written.
    static SIZE_T Grown(SIZE_T needed)
    {
        constexpr SIZE_T kStep = 4096;
        return (needed + kStep - 1) / kStep * kStep;
    }

    ULONG m_references = 1;
    HGLOBAL m_block;
    BOOL m_deleteOnRelease;
    SIZE_T m_size;
    SIZE_T m_position = 0;
};
} // namespace

long platform::LiveStreamCount()
{
    return g_liveStreams.load();
}

extern "C" HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm)
{
    if (!ppstm)
        return E_INVALIDARG;
    *ppstm = nullptr;
    HGLOBAL block = hGlobal ? hGlobal : GlobalAlloc(GMEM_MOVEABLE, 0);
    if (!block)
        return E_OUTOFMEMORY;
    *ppstm = new HGlobalStream(block, fDeleteOnRelease);
    return S_OK;
}

extern "C" HRESULT GetHGlobalFromStream(LPSTREAM pstm, HGLOBAL* phglobal)
{
    if (!pstm || !phglobal)
        return E_INVALIDARG;
    // Only streams made by CreateStreamOnHGlobal have a block.
    auto* stream = dynamic_cast<HGlobalStream*>(pstm);
    if (!stream)
        return E_INVALIDARG;
    *phglobal = stream->Block();
    return S_OK;
}
