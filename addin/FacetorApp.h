// The application object of Facetor.dll, which the framework starts and ends with the module.
#pragma once

#include "afxwin.h"

class CFacetorApp : public CWinApp
{
public:
    CFacetorApp() = default;

    BOOL InitInstance() override;
    int ExitInstance() override;
};

extern CFacetorApp theApp;
