// The framework's module state: which module supplies resources and which application object
// belongs to the code that runs. Each module has its own static state; one is current per thread.
#pragma once

#include "platform_modules.h"
#include "wintypes.h"

class CWinApp;
class CWinThread;

struct AFX_MODULE_STATE
{
    explicit AFX_MODULE_STATE(HINSTANCE module)
        : m_hCurrentInstanceHandle(module), m_hCurrentResourceHandle(module)
    {
    }

    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    CWinApp* m_pCurrentWinApp = nullptr;
    CWinThread* m_pCurrentWinThread = nullptr;
    long m_nObjectCount = 0; // framework objects that keep the module loaded
};

// The current state; the program's own state until a module makes its state current.
AFX_MODULE_STATE* AfxGetModuleState();
// Makes a state current and returns the one it replaces.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState);
// The state of the program that the process runs.
AFX_MODULE_STATE* AfxGetAppModuleState();

// The state of the module whose code calls this: every module that includes this header gets its
// own copy (hidden from other modules), naming itself as instance and resource module.
__attribute__((visibility("hidden"))) inline AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    static AFX_MODULE_STATE state(platform::ModuleFromAddress(&state));
    return &state;
}

// Makes a state current for the lifetime of a scope and restores the previous one on every way out.
class AFX_MAINTAIN_STATE2
{
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState)
        : m_pPrevModuleState(AfxSetModuleState(pModuleState))
    {
    }
    ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevModuleState); }
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevModuleState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AfxGetInstanceHandle();
