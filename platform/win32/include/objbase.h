// GUIDs as text: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", as the registry names classes and libraries.
#pragma once

#include "guiddef.h"
#include "winerror.h"

extern "C"
{
    // Writes the text in capitals with its null (39 characters); returns that count, 0 when the
    // buffer is shorter.
    int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
    // Reads the text with braces, in either case; CO_E_CLASSSTRING when it is not one.
    HRESULT CLSIDFromString(LPCOLESTR lpsz, CLSID* pclsid);
    // As CLSIDFromString, with E_INVALIDARG for text that is not a GUID.
    HRESULT IIDFromString(LPCOLESTR lpsz, IID* lpiid);
}
