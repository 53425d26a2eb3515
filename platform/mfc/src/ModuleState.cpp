// The current module state of each thread, and the resource and lock questions asked of it.
#include "afxdisp.h"
#include "afxstat_.h"
#include "libloaderapi.h"

namespace
{
thread_local AFX_MODULE_STATE* t_current = nullptr;
}

AFX_MODULE_STATE* AfxGetAppModuleState()
{
    static AFX_MODULE_STATE state(GetModuleHandleW(nullptr));
    return &state;
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    return t_current ? t_current : AfxGetAppModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState)
{
    AFX_MODULE_STATE* previous = AfxGetModuleState();
    t_current = pNewState;
    return previous;
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

HINSTANCE AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

void AfxOleLockApp()
{
    ++AfxGetModuleState()->m_nObjectCount;
}

void AfxOleUnlockApp()
{
    --AfxGetModuleState()->m_nObjectCount;
}

HRESULT AfxDllCanUnloadNow()
{
    return AfxGetModuleState()->m_nObjectCount == 0 ? S_OK : S_FALSE;
}
