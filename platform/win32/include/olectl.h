// Creating an OLE picture object around a bitmap.
#pragma once

#include "ocidl.h"
#include "wingdi.h"

#define PICTYPE_UNINITIALIZED (-1)
#define PICTYPE_NONE 0
#define PICTYPE_BITMAP 1

// Named here rather than inside the union: an anonymous type there is a compiler extension.
struct PICTDESC_BITMAP
{
    HBITMAP hbitmap;
    HPALETTE hpal;
};

struct PICTDESC
{
    UINT cbSizeofstruct;
    UINT picType;
    union {
        PICTDESC_BITMAP bmp;
    };
};
typedef PICTDESC* LPPICTDESC;

extern "C" {
// Only bitmap pictures are made here. With fOwn FALSE the bitmap stays the caller's.
HRESULT OleCreatePictureIndirect(LPPICTDESC lpPictDesc, REFIID riid, BOOL fOwn, LPVOID* lplpvObj);
}
