// VARIANT initialisation, clearing and copying for the types that dispatch calls carry.
#include "oaidl.h"

extern "C" void VariantInit(VARIANT* pvarg)
{
    pvarg->vt = VT_EMPTY;
    pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
    pvarg->dblVal = 0;
}

extern "C" HRESULT VariantClear(VARIANT* pvarg)
{
    if (!pvarg)
        return E_INVALIDARG;
    switch (pvarg->vt)
    {
    case VT_BSTR:
        SysFreeString(pvarg->bstrVal);
        break;
    case VT_DISPATCH:
        if (pvarg->pdispVal)
            pvarg->pdispVal->Release();
        break;
    case VT_UNKNOWN:
        if (pvarg->punkVal)
            pvarg->punkVal->Release();
        break;
    default:
        break;
    }
    VariantInit(pvarg);
    return S_OK;
}

extern "C" HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc)
{
    if (!pvargDest || !pvargSrc)
        return E_INVALIDARG;
    if (pvargDest == pvargSrc)
        return S_OK;
    VariantClear(pvargDest);
    *pvargDest = *pvargSrc;
    switch (pvargSrc->vt)
    {
    case VT_BSTR:
        if (pvargSrc->bstrVal)
        {
            pvargDest->bstrVal = SysAllocStringLen(pvargSrc->bstrVal, SysStringLen(pvargSrc->bstrVal));
            if (!pvargDest->bstrVal)
            {
                VariantInit(pvargDest);
                return E_OUTOFMEMORY;
            }
        }
        break;
    case VT_DISPATCH:
        if (pvargSrc->pdispVal)
            pvargSrc->pdispVal->AddRef();
        break;
    case VT_UNKNOWN:
        if (pvargSrc->punkVal)
            pvargSrc->punkVal->AddRef();
        break;
    default:
        break;
    }
    return S_OK;
}
