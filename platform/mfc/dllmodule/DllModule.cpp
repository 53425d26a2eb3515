// The framework's part of a DLL's entry point, linked into every DLL that uses the framework, after
// the DLL's own code. Loading: before the DLL's static objects are built, its own framework state
// becomes current, so that its application object joins that state; once they are built, the
// application starts and the loader's state comes back. Unloading: the application ends before the
// static objects go.
#include "afxwin.h"

namespace
{
AFX_MODULE_STATE* g_loaderState = nullptr;

__attribute__((constructor(101))) void EnterModuleState()
{
    g_loaderState = AfxSetModuleState(AfxGetStaticModuleState());
}

// Built after the DLL's own static objects because this file is linked after them, and so
// destroyed before them.
class DllEntry
{
public:
    DllEntry()
    {
        // Windows would refuse to load the DLL when the application does not start; a loaded ELF
        // object cannot refuse, so the answer is not looked at.
        if (CWinApp* app = AfxGetApp())
            app->InitInstance();
        AfxSetModuleState(g_loaderState);
    }
    ~DllEntry()
    {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        if (CWinApp* app = AfxGetApp())
            app->ExitInstance();
    }
    DllEntry(const DllEntry&) = delete;
    DllEntry& operator=(const DllEntry&) = delete;
};

DllEntry g_dllEntry;
} // namespace
