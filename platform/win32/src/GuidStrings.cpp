// GUID text in the registry's form.
#include "objbase.h"

#include <cwchar>
#include <cwctype>

extern "C" int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax)
{
    constexpr int kLength = 39;
    if (!lpsz || cchMax < kLength)
        return 0;
    std::swprintf(lpsz, size_t(cchMax), L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  unsigned(rguid.Data1), unsigned(rguid.Data2), unsigned(rguid.Data3), rguid.Data4[0],
                  rguid.Data4[1], rguid.Data4[2], rguid.Data4[3], rguid.Data4[4], rguid.Data4[5],
                  rguid.Data4[6], rguid.Data4[7]);
    return kLength;
}

extern "C" HRESULT CLSIDFromString(LPCOLESTR lpsz, CLSID* pclsid)
{
    if (!lpsz || !pclsid)
        return E_INVALIDARG;
    // Braces, then 32 hexadecimal digits with hyphens after the 8th, 12th, 16th and 20th.
    if (std::wcslen(lpsz) != 38 || lpsz[0] != L'{' || lpsz[37] != L'}')
        return CO_E_CLASSSTRING;
    unsigned long long fields[11] = {};
    const int widths[11] = {8, 4, 4, 2, 2, 2, 2, 2, 2, 2, 2};
    const OLECHAR* p = lpsz + 1;
    for (int field = 0; field < 11; ++field)
    {
        if (field == 1 || field == 2 || field == 3 || field == 5)
        {
            if (*p++ != L'-')
                return CO_E_CLASSSTRING;
        }
        for (int digit = 0; digit < widths[field]; ++digit, ++p)
        {
            if (!std::iswxdigit(wint_t(*p)))
                return CO_E_CLASSSTRING;
            const int value = *p <= L'9' ? *p - L'0' : (std::towupper(wint_t(*p)) - L'A' + 10);
            fields[field] = fields[field] * 16 + unsigned(value);
        }
    }
    pclsid->Data1 = uint32_t(fields[0]);
    pclsid->Data2 = uint16_t(fields[1]);
    pclsid->Data3 = uint16_t(fields[2]);
    for (int i = 0; i < 8; ++i)
        pclsid->Data4[i] = uint8_t(fields[3 + i]);
    return S_OK;
}

extern "C" HRESULT IIDFromString(LPCOLESTR lpsz, IID* lpiid)
{
    return CLSIDFromString(lpsz, lpiid) == S_OK ? S_OK : E_INVALIDARG;
}
