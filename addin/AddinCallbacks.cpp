// The callbacks that the host calls by name: the command items, the File-Open entry, and two
// toolbar methods that no command names.
#include "FacetorAddin.h"

#include "ImportSTLFile.h"
#include "ProductCaption.h"

namespace
{
// A command runs with a reference of its own on the application and reports its outcome to the
// user itself: the host is told S_OK whatever it did. Without a connection there is no command.
template <class Command> HRESULT RunCommand(CFacetor& addin, Command command)
{
    if (ISldWorks* pApp = addin.GetHostApplication())
    {
        command(pApp);
        pApp->Release();
    }
    return S_OK;
}
} // namespace

STDMETHODIMP CFacetor::ToolbarCallback0()
{
    return S_OK;
}

STDMETHODIMP CFacetor::ToolbarEnable0(LONG* status)
{
    if (status == NULL)
        return E_POINTER;
    *status = 1;
    return S_OK;
}

STDMETHODIMP CFacetor::Facetor_Import()
{
    return RunCommand(*this, [](ISldWorks* pApp) { ImportSTLFile(pApp, CString()); });
}

STDMETHODIMP CFacetor::Facetor_Open(BSTR path)
{
    return RunCommand(*this, [path](ISldWorks* pApp) { ImportSTLFile(pApp, CString(path)); });
}

STDMETHODIMP CFacetor::Facetor_Help()
{
    return RunCommand(*this, [](ISldWorks* pApp) { ShowHelp(pApp); });
}

STDMETHODIMP CFacetor::Facetor_About()
{
    return RunCommand(*this, [](ISldWorks* pApp) { ShowAbout(pApp); });
}
