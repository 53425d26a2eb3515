// Queries of the host application that the add-in and the bridge share.
#pragma once

#include "afxwin.h"
#include "sldworks.h"

enum LengthUnit
{
    LengthUnitMillimeters = 0,
    LengthUnitCentimeters = 1,
    LengthUnitMeters = 2,
    LengthUnitInches = 3,
    LengthUnitFeet = 4,
};

class HostUtils
{
public:
    HostUtils() {}
    ~HostUtils() {}

    static CString GetError();
    static void SetError(const CString& error);

    // 0, or 9 to 14 for the host revisions 16 to 21: an index into the host version names.
    static int GetHostVersionIndex(ISldWorks* pApp);
    // 1 when the host's version index is the required one (0 to 14); else a warning and 0.
    static int CheckHostVersion(ISldWorks* pApp, int requiredIndex);
    static HWND GetActivePopupWindow();
    static HWND GetHostFrameHandle(ISldWorks* pApp);
    // The framework's object for the host's main frame, or null; use it at once, never keep it.
    static CWnd* GetHostFrameWindow(ISldWorks* pApp);
    // Sets the document's length unit (0 to 4) and gives the factor from that unit to metres
    // (1.0 for any other unit, which is left unset). Always 1.
    static int SetDocumentUnits(IModelDoc* pDoc, int unit, double* factor);

    // Has the host write its active model to the path. 1 when written, else 0 with the error text.
    static int SaveActiveModel(ISldWorks* pApp, CString path);
    // Has the host open one DXF file. 1 when it did, else 0 with the error text.
    static int LoadDXFFile(ISldWorks* pApp, const CString& path);
    // Opens every DXF file (not folder) in the path's folder whose name starts with the path's
    // file name, e.g. C:\work\model*.dxf for C:\work\model.tmp, and deletes each one after its
    // attempt. `count` receives the number opened. 1 when at least one file matched and all of
    // them opened, else 0 with the error text; a path too long to split is refused untouched.
    static int LoadDXFFiles(ISldWorks* pApp, const CString& path, int* count);

private:
    static CString m_strError;
};
