// The application and thread objects, and the window that counts as the thread's main window.
#pragma once

#include "afxwnd.h"

#include <string>

struct AFX_MODULE_STATE;

class CWinThread
{
public:
    CWinThread() = default;
    virtual ~CWinThread() = default;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr; // the in-place active window, if any

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The in-place active window, else m_pMainWnd, else the thread's active window.
    virtual CWnd* GetMainWnd();
};

class CWinApp : public CWinThread
{
public:
    // Becomes the application and the thread object of the module state current at construction.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCWSTR m_pszAppName;

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    std::wstring m_appName;
    AFX_MODULE_STATE* m_pModuleState;
};

// The thread object and application object of the current module state (null when it has none),
// and that thread's main window.
CWinThread* AfxGetThread();
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
