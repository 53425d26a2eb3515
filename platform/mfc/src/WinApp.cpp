// Application and thread objects, registered with the module state current when they are made.
#include "afxapp.h"
#include "afxstat_.h"

BOOL CWinThread::InitInstance()
{
    return FALSE; // a plain thread object has nothing to start
}

int CWinThread::ExitInstance()
{
    return 0;
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd)
        return m_pActiveWnd;
    if (m_pMainWnd)
        return m_pMainWnd;
    return CWnd::GetActiveWindow();
}

CWinApp::CWinApp(LPCWSTR lpszAppName) : m_pszAppName(nullptr), m_pModuleState(AfxGetModuleState())
{
    if (lpszAppName)
    {
        m_appName = lpszAppName;
        m_pszAppName = m_appName.c_str();
    }
    m_pModuleState->m_pCurrentWinApp = this;
    m_pModuleState->m_pCurrentWinThread = this;
}

CWinApp::~CWinApp()
{
    if (m_pModuleState->m_pCurrentWinApp == this)
        m_pModuleState->m_pCurrentWinApp = nullptr;
    if (m_pModuleState->m_pCurrentWinThread == this)
        m_pModuleState->m_pCurrentWinThread = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

CWinThread* AfxGetThread()
{
    return AfxGetModuleState()->m_pCurrentWinThread;
}

CWinApp* AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}
