// CDataExchange and the three exchanges the dialogs use.
#include "afxdialog.h"

#include "DialogWindow.h"

using platform::mfc::Control;
using platform::mfc::DialogWindow;

namespace
{
constexpr DWORD WS_GROUP = 0x00020000;

Control& ControlOf(HWND hWnd)
{
    return *reinterpret_cast<Control*>(hWnd);
}
} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    DialogWindow* window = m_pDlgWnd ? DialogWindow::FromHandle(m_pDlgWnd->m_hWnd) : nullptr;
    Control* control = window ? window->Find(nIDC) : nullptr;
    if (!control)
        throw CNotSupportedException();
    m_hWndLastControl = reinterpret_cast<HWND>(control);
    return m_hWndLastControl;
}

void CDataExchange::Fail()
{
    throw CUserException();
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    Control& first = ControlOf(pDX->PrepareCtrl(nIDC));
    std::vector<Control>& controls = DialogWindow::FromHandle(pDX->m_pDlgWnd->m_hWnd)->controls;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (size_t i = size_t(&first - controls.data()); i < controls.size(); ++i)
    {
        Control& control = controls[i];
        if (&control != &first && (control.style & WS_GROUP))
            break;
        if (!control.IsRadioButton())
            continue; // other controls inside the group are passed over, not counted
        if (!pDX->m_bSaveAndValidate)
            control.checkState = index == value ? 1 : 0;
        else if (control.checkState)
            value = index; // when several are ticked, the last one counts
        ++index;
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    Control& control = ControlOf(pDX->PrepareCtrl(nIDC));
    if (pDX->m_bSaveAndValidate)
    {
        value = control.checkState;
        return;
    }
    if (value < 0 || value > 2)
        value = 0;
    control.checkState = value;
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    Control& control = ControlOf(pDX->PrepareCtrl(nIDC));
    if (pDX->m_bSaveAndValidate)
        index = control.selection;
    else
        control.selection = index >= 0 && size_t(index) < control.items.size() ? index : -1;
}
