// CDialog: the template comes from the current resource module; the dialog runs while the
// user-interface driver works it.
#include "afxdialog.h"
#include "afxstat_.h"
#include "libloaderapi.h"
#include "winuser.h"

#include "DialogSession.h"
#include "DialogWindow.h"

#include "ui/Driver.h"

using platform::mfc::DialogWindow;

namespace
{
// The bytes of a resource of the current resource module, or null.
const BYTE* FindResourceData(LPCWSTR name, LPCWSTR type, DWORD& size)
{
    const HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return nullptr;
    size = SizeofResource(module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}
} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDHelp(0), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    DWORD size = 0;
    const BYTE* data = FindResourceData(m_lpszTemplateName, RT_DIALOG, size);
    auto window = std::make_unique<DialogWindow>();
    if (!data || !platform::mfc::ReadDialogTemplate(data, size, *window))
        return -1;
    m_window = std::move(window);
    m_hWnd = m_window->Handle();
    m_nModalResult = -1;
    OnInitDialog(); // its result only says where the focus goes
    if (!m_window->ended)
    {
        platform::mfc::DialogSession session(*this, *m_window);
        ui::CurrentDriver().RunModal(session);
        if (!m_window->ended) // a driver that walks away closes the dialog as the close box does
            OnCancel();
    }
    m_window.reset();
    m_hWnd = nullptr;
    return m_nModalResult;
}

BOOL CDialog::OnInitDialog()
{
    if (!ExecuteDlgInit(m_lpszTemplateName) || !UpdateData(FALSE))
    {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::ExecuteDlgInit(LPCWSTR lpszResourceName)
{
    DWORD size = 0;
    const BYTE* data = FindResourceData(lpszResourceName, RT_DLGINIT, size);
    if (!data)
        return TRUE; // a dialog without init data is complete as it is
    return m_window && platform::mfc::RunDialogInit(data, size, *m_window);
}

void CDialog::EndDialog(int nResult)
{
    if (!m_window)
        return;
    m_nModalResult = nResult;
    m_window->ended = true;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&exchange);
    }
    catch (const CException&)
    {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

const AFX_MSGMAP* CDialog::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CDialog::GetMessageMap() const
{
    return GetThisMessageMap();
}
