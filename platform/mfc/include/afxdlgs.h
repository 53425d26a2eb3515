// The common open and save dialog of the framework.
#pragma once

#include "afxwin.h"
#include "commdlg.h"

class CFileDialog : public CWnd
{
public:
    // The filter's pairs are separated by '|' and end with "||". The framework adds
    // OFN_ENABLEHOOK | OFN_EXPLORER to the flags.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    // IDOK or IDCANCEL (any failure of the dialog counts as IDCANCEL).
    virtual INT_PTR DoModal();
    // The chosen file; the default extension is added to a name typed without one.
    CString GetPathName() const;

    OPENFILENAME m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    CString m_defaultExtension;
    CString m_filter;
    std::wstring m_filterPairs; // the filter with each '|' made a null, as m_ofn holds it
    CString m_fileName;
};
