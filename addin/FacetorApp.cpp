// The add-in does its work when the host connects it, not when the module is loaded.
#include "FacetorApp.h"

BOOL CFacetorApp::InitInstance()
{
    return CWinApp::InitInstance();
}

int CFacetorApp::ExitInstance()
{
    return CWinApp::ExitInstance();
}
