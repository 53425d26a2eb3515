// CBitmapHandler: writes the module's bitmap resources into temporary files whose paths the host's
// command group takes, and deletes those files again when it is told to dispose of them.
#pragma once

#include "resource.h"

#include "Facetor_i.h"

#include "afxstr.h"
#include "atlbase.h"
#include "atlcom.h"

#include <list>

class ATL_NO_VTABLE CBitmapHandler
    : public CComObjectRootEx<CComSingleThreadModel>,
      public CComCoClass<CBitmapHandler, &CLSID_BitmapHandler>,
      public IDispatchImpl<IBitmapHandler, &IID_IBitmapHandler, &LIBID_FacetorLib, 1, 0>
{
public:
    CBitmapHandler() = default;

    DECLARE_REGISTRY_RESOURCEID(IDR_BITMAPHANDLER)

    BEGIN_COM_MAP(CBitmapHandler)
    COM_INTERFACE_ENTRY(IBitmapHandler)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    // IBitmapHandler
    // The bitmap resource named by the low 16 bits of resID, written as a BMP file into a new
    // temporary file whose path comes back; E_FAIL, with *retval untouched, when none was written.
    STDMETHOD(CreateBitmapFileFromResource)(ULONG resID, BSTR* retval) override;
    // Deletes every file written so far, the newest first.
    STDMETHOD(Dispose)() override;

    // A new empty file in the temporary folder, or the empty string.
    CString CreateTempFileName();
    // The bitmap as the OLE picture saves it; TRUE only when every byte reached the file.
    BOOL SaveBitmapToFile(LPCWSTR path, HBITMAP bitmap, HPALETTE palette);
    BOOL DeleteTempFiles();

private:
    std::list<CString> m_files; // full paths, the newest first; the files outlive the handler
};
