// The framework's map from window handles to window objects.
#include "afxwnd.h"
#include "winuser.h"

#include <map>
#include <memory>

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    static std::map<HWND, std::unique_ptr<CWnd>> temporaryObjects;
    std::unique_ptr<CWnd>& object = temporaryObjects[hWnd];
    if (!object)
    {
        object = std::make_unique<CWnd>();
        object->m_hWnd = hWnd;
    }
    return object.get();
}

CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}
