// The open and save dialog through the user-interface seam.
#include "afxdlgs.h"

#include "ui/Driver.h"

#include <algorithm>

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize, BOOL)
    : m_ofn{}, m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd), m_defaultExtension(lpszDefExt),
      m_filter(lpszFilter), m_fileName(lpszFileName)
{
    m_ofn.lStructSize = dwSize ? dwSize : DWORD(sizeof(OPENFILENAME));
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpstrDefExt = lpszDefExt ? static_cast<LPCWSTR>(m_defaultExtension) : nullptr;
    m_filterPairs = m_filter.Str();
    std::replace(m_filterPairs.begin(), m_filterPairs.end(), L'|', L'\0');
    m_ofn.lpstrFilter = lpszFilter ? m_filterPairs.c_str() : nullptr;
}

INT_PTR CFileDialog::DoModal()
{
    // Without a parent the dialog belongs to the last active pop-up of the thread's main window.
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!m_pParentWnd)
        if (CWnd* main = AfxGetMainWnd())
            owner = GetLastActivePopup(main->m_hWnd);
    m_ofn.hwndOwner = owner;
    const ui::FileDialogAnswer answer =
        ui::CurrentDriver().ShowFileDialog({m_bOpenFileDialog != FALSE, m_defaultExtension.Str(),
                                            m_fileName.Str(), m_ofn.Flags, m_filter.Str(), owner});
    if (answer.result != IDOK)
        return IDCANCEL;
    m_fileName = answer.typed.c_str();
    const int nameStart = std::max(m_fileName.ReverseFind(L'\\'), m_fileName.ReverseFind(L'/')) + 1;
    if (!m_defaultExtension.IsEmpty() && m_fileName.Mid(nameStart).Find(L'.') < 0)
        m_fileName += L"." + m_defaultExtension;
    return IDOK;
}

CString CFileDialog::GetPathName() const
{
    return m_fileName;
}
