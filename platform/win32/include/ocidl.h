// Connection points, through which an object calls its clients' event sinks, and the picture.
#pragma once

#include "objidl.h"

// {B196B284-BAB4-101A-B69C-00AA00341D07}
constexpr IID IID_IConnectionPointContainer = {0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
// {B196B286-BAB4-101A-B69C-00AA00341D07}
constexpr IID IID_IConnectionPoint = {0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
// {7BF80980-BF32-101A-8BBB-00AA00300CAB}
constexpr IID IID_IPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

struct IConnectionPoint;
struct IConnectionPointContainer;
struct IEnumConnections;
struct IEnumConnectionPoints;

struct IConnectionPointContainer : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** ppEnum) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

struct IConnectionPoint : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* pIID) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** ppCPC) = 0;
    // On failure the cookie is set to 0.
    virtual HRESULT STDMETHODCALLTYPE Advise(IUnknown* pUnkSink, DWORD* pdwCookie) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unadvise(DWORD dwCookie) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** ppEnum) = 0;

protected:
    ~IConnectionPoint() = default;
};

// The picture operations that Facetor's callees use; the others of Windows are left out.
struct IPicture : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE get_Type(SHORT* pType) = 0;
    // Writes the picture as a file of its format (a .bmp file for a bitmap) and reports the bytes
    // written; only a memory copy (fSaveMemCopy TRUE) can be saved.
    virtual HRESULT STDMETHODCALLTYPE SaveAsFile(LPSTREAM pStream, BOOL fSaveMemCopy, LONG* pCbSize) = 0;

protected:
    ~IPicture() = default;
};
typedef IPicture* LPPICTURE;
