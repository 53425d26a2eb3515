// The exports of Facetor.dll, through which Windows and the host create its objects, register and
// unregister it, and ask whether it may be unloaded.
#include "FacetorModule.h"

#include "afxdisp.h"
#include "afxwin.h"

// Whether the module may be unloaded: only when neither the framework nor the COM module holds it.
STDAPI DllCanUnloadNow()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (AfxDllCanUnloadNow() != S_OK)
        return S_FALSE;
    return _AtlModule.GetLockCount() == 0 ? S_OK : S_FALSE;
}

// The class factory of a class of the object map.
STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    return AtlComModuleGetClassObject(&_AtlComModule, rclsid, riid, ppv);
}

// Registers the classes, the add-in key of the host and the type library, machine-wide.
STDAPI DllRegisterServer()
{
    return _AtlModule.DllRegisterServer();
}

STDAPI DllUnregisterServer()
{
    return _AtlModule.DllUnregisterServer();
}
