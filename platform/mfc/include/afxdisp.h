// The framework's part in a COM server's life: the objects that keep the module loaded.
#pragma once

#include "afxstat_.h"
#include "winerror.h"

void AfxOleLockApp();
void AfxOleUnlockApp();
// S_OK when the current module state holds no framework objects, else S_FALSE.
HRESULT AfxDllCanUnloadNow();
