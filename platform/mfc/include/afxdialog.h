// Modal dialogs built from a dialog template of the current resource module, and the exchange of
// data between a dialog's controls and its members.
#pragma once

#include "afxmsg_.h"
#include "afxwnd.h"

#include <memory>

namespace platform::mfc
{
struct DialogWindow;
class DialogSession;
} // namespace platform::mfc

// What the data exchange throws to make UpdateData fail.
class CException
{
public:
    virtual ~CException() = default;
};
class CUserException : public CException
{
};
class CNotSupportedException : public CException
{
};

class CDataExchange;

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK or IDCANCEL as the dialog ended, or -1 when the template is missing or unreadable or
    // the initialisation failed.
    virtual INT_PTR DoModal();
    // Fills the combo and list boxes from the init data of the template's name, then moves the
    // members into the controls; a failure ends the dialog with -1.
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult);
    // TRUE: controls into members; FALSE: members into controls. FALSE when the exchange failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    LPCWSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // OK: the controls into the members, then the dialog ends with IDOK; it stays open when the
    // exchange fails. Cancel (also the Esc key and the close box) ends it with IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();
    BOOL ExecuteDlgInit(LPCWSTR lpszResourceName);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

private:
    friend class platform::mfc::DialogSession;
    friend class CDataExchange;

    std::unique_ptr<platform::mfc::DialogWindow> m_window; // while the dialog runs
    int m_nModalResult = -1;
};

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;

    // The control's window; throws CNotSupportedException when the dialog has no such control.
    HWND PrepareCtrl(int nIDC);
    // Ends the exchange as failed.
    [[noreturn]] void Fail();
};

// The radio group that starts at nIDC (up to the next control that starts a group): the index of
// the ticked button among the radio buttons, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// 0 clear, 1 ticked, 2 indeterminate; loading a value outside 0..2 clears the box and the member.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The selected item's index, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
