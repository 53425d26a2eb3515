// OLE automation strings (BSTR) and variants.
#pragma once

#include "unknwn.h"

// A BSTR points at its first character; the byte count of the text sits just before it and a
// null character follows it. A null BSTR means the empty string.
typedef OLECHAR* BSTR;

extern "C" {
BSTR SysAllocString(const OLECHAR* psz);
BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch);
void SysFreeString(BSTR bstr);
UINT SysStringLen(BSTR bstr);
UINT SysStringByteLen(BSTR bstr);
}

typedef USHORT VARTYPE;
enum VARENUM : VARTYPE
{
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_INT = 22,
    VT_UINT = 23,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_PTR = 26,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
};

struct IDispatch;
typedef LONG SCODE;

struct VARIANT
{
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        LONG* plVal;
        SHORT* piVal;
        double* pdblVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        IDispatch** ppdispVal;
        VARIANT* pvarVal;
        void* byref;
        INT intVal;
        UINT uintVal;
        ULONG ulVal;
        USHORT uiVal;
    };
};
typedef VARIANT VARIANTARG;

extern "C" {
void VariantInit(VARIANT* pvarg);
HRESULT VariantClear(VARIANT* pvarg);
HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc);
}

#define VARIANT_ALPHABOOL 0x02 // a boolean becomes "True" or "False" rather than "-1" or "0"

extern "C" {
// Converts between the integer, boolean, floating, string and interface types: a number out of
// the target's range gives DISP_E_OVERFLOW, text that is no number DISP_E_TYPEMISMATCH. Fractions
// round half to even. A by-reference source is read through its pointer.
HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt);
// Text to an unsigned 32-bit number, as VariantChangeType reads it.
HRESULT VarUI4FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, ULONG* pulOut);
}
