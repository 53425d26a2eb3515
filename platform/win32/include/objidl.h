// Streams, and the stream on a global memory block that pictures are saved into.
#pragma once

#include "unknwn.h"
#include "winbase.h"

// {0C733A30-2A1C-11CE-ADE5-00AA0044773D}
constexpr IID IID_ISequentialStream = {0x0C733A30, 0x2A1C, 0x11CE, {0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D}};
// {0000000C-0000-0000-C000-000000000046}
constexpr IID IID_IStream = {0x0000000C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

union LARGE_INTEGER
{
    LONGLONG QuadPart;
};
union ULARGE_INTEGER
{
    ULONGLONG QuadPart;
};

#define STREAM_SEEK_SET 0
#define STREAM_SEEK_CUR 1
#define STREAM_SEEK_END 2

#define STG_E_INVALIDFUNCTION _HRESULT_TYPEDEF_(0x80030001L)
#define STG_E_MEDIUMFULL _HRESULT_TYPEDEF_(0x80030070L)

struct ISequentialStream : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
    virtual HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;

protected:
    ~ISequentialStream() = default;
};

// The stream operations that Facetor's callees use; the others of Windows are left out.
struct IStream : public ISequentialStream
{
    virtual HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) = 0;

protected:
    ~IStream() = default;
};
typedef IStream* LPSTREAM;

extern "C" {
// A stream on hGlobal, or on a block of its own when hGlobal is null; the block may grow larger
// than what was written. With fDeleteOnRelease the block is freed with the stream.
HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm);
HRESULT GetHGlobalFromStream(LPSTREAM pstm, HGLOBAL* phglobal);
}
