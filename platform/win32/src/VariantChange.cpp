// Variant coercion, as automation applies it to the arguments of a dispatch call.
#include "oaidl.h"

#include <cmath>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <string>

namespace
{
bool IsInteger(VARTYPE vt)
{
    switch (vt)
    {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_BOOL:
    case VT_ERROR:
        return true;
    default:
        return false;
    }
}

long long IntegerOf(const VARIANT& v)
{
    switch (v.vt)
    {
    case VT_I1:
        return static_cast<int8_t>(v.bVal);
    case VT_UI1:
        return v.bVal;
    case VT_I2:
    case VT_BOOL:
        return v.iVal;
    case VT_UI2:
        return v.uiVal;
    case VT_UI4:
    case VT_UINT:
        return v.ulVal;
    default: // VT_I4, VT_INT, VT_ERROR
        return v.lVal;
    }
}

// Text as a number: optional white space around an optionally signed decimal.
HRESULT NumberFromText(const OLECHAR* text, double& number)
{
    if (!text)
        return DISP_E_TYPEMISMATCH;
    while (std::iswspace(wint_t(*text)))
        ++text;
    if (!*text || (*text == L'0' && (text[1] == L'x' || text[1] == L'X'))) // no hexadecimal, as automation
        return DISP_E_TYPEMISMATCH;
    wchar_t* end = nullptr;
    number = std::wcstod(text, &end);
    if (end == text || std::isnan(number) || std::isinf(number))
        return DISP_E_TYPEMISMATCH;
    while (std::iswspace(wint_t(*end)))
        ++end;
    return *end ? DISP_E_TYPEMISMATCH : S_OK;
}

bool SameText(const OLECHAR* text, const wchar_t* word)
{
    for (; *text && *word; ++text, ++word)
        if (std::towlower(wint_t(*text)) != wint_t(*word))
            return false;
    return !*text && !*word;
}

// The source's value as a number, whole when it came from an integer type.
HRESULT NumberOf(const VARIANT& src, VARTYPE target, double& number)
{
    if (src.vt == VT_EMPTY)
        number = 0;
    else if (IsInteger(src.vt))
        number = double(IntegerOf(src));
    else if (src.vt == VT_R4)
        number = src.fltVal;
    else if (src.vt == VT_R8)
        number = src.dblVal;
    else if (src.vt == VT_BSTR)
    {
        if (target == VT_BOOL && src.bstrVal &&
            (SameText(src.bstrVal, L"true") || SameText(src.bstrVal, L"false")))
            number = SameText(src.bstrVal, L"true") ? -1 : 0;
        else
            return NumberFromText(src.bstrVal, number);
    }
    else
        return DISP_E_TYPEMISMATCH;
    return S_OK;
}

HRESULT ToInteger(double number, long long low, long long high, long long& out)
{
    const double rounded = std::nearbyint(number); // half to even in the default rounding mode
    if (rounded < double(low) || rounded > double(high))
        return DISP_E_OVERFLOW;
    out = static_cast<long long>(rounded);
    return S_OK;
}

HRESULT ToNumber(const VARIANT& src, VARTYPE vt, VARIANT& out)
{
    double number = 0;
    HRESULT hr = NumberOf(src, vt, number);
    if (FAILED(hr))
        return hr;
    out.vt = vt;
    long long whole = 0;
    switch (vt)
    {
    case VT_R8:
        out.dblVal = number;
        return S_OK;
    case VT_R4:
        if (std::fabs(number) > double(std::numeric_limits<float>::max()))
            return DISP_E_OVERFLOW;
        out.fltVal = float(number);
        return S_OK;
    case VT_BOOL:
        out.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case VT_I1:
        hr = ToInteger(number, INT8_MIN, INT8_MAX, whole);
        out.bVal = BYTE(int8_t(whole));
        return hr;
    case VT_UI1:
        hr = ToInteger(number, 0, UINT8_MAX, whole);
        out.bVal = BYTE(whole);
        return hr;
    case VT_I2:
        hr = ToInteger(number, INT16_MIN, INT16_MAX, whole);
        out.iVal = SHORT(whole);
        return hr;
    case VT_UI2:
        hr = ToInteger(number, 0, UINT16_MAX, whole);
        out.uiVal = USHORT(whole);
        return hr;
    case VT_I4:
    case VT_INT:
        hr = ToInteger(number, INT32_MIN, INT32_MAX, whole);
        out.lVal = LONG(whole);
        return hr;
    default: // VT_UI4, VT_UINT
        hr = ToInteger(number, 0, UINT32_MAX, whole);
        out.ulVal = ULONG(whole);
        return hr;
    }
}

HRESULT ToText(const VARIANT& src, USHORT wFlags, VARIANT& out)
{
    std::wstring text;
    if (src.vt == VT_EMPTY)
        text.clear();
    else if (src.vt == VT_BOOL && (wFlags & VARIANT_ALPHABOOL))
        text = src.boolVal ? L"True" : L"False";
    else if (IsInteger(src.vt))
        text = std::to_wstring(IntegerOf(src));
    else if (src.vt == VT_R4 || src.vt == VT_R8)
    {
        wchar_t buffer[64];
        std::swprintf(buffer, 64, L"%.15G", src.vt == VT_R4 ? double(src.fltVal) : src.dblVal);
        text = buffer;
    }
    else
        return DISP_E_TYPEMISMATCH;
    out.vt = VT_BSTR;
    out.bstrVal = SysAllocStringLen(text.c_str(), UINT(text.size()));
    return out.bstrVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT ToInterface(const VARIANT& src, VARTYPE vt, VARIANT& out)
{
    if (src.vt != VT_DISPATCH && src.vt != VT_UNKNOWN)
        return DISP_E_TYPEMISMATCH;
    out.vt = vt;
    out.punkVal = nullptr;
    if (!src.punkVal)
        return S_OK;
    if (vt == VT_UNKNOWN)
        return src.punkVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&out.punkVal));
    return SUCCEEDED(src.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&out.pdispVal)))
               ? S_OK
               : DISP_E_TYPEMISMATCH;
}

// The value behind a by-reference variant, borrowed.
bool Dereference(const VARIANT& src, VARIANT& value)
{
    VariantInit(&value);
    value.vt = VARTYPE(src.vt & ~VT_BYREF);
    if (!src.byref)
        return false;
    switch (value.vt)
    {
    case VT_I1:
    case VT_UI1:
        value.bVal = *static_cast<const BYTE*>(src.byref);
        return true;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        value.iVal = *src.piVal;
        return true;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
        value.lVal = *src.plVal;
        return true;
    case VT_R4:
        value.fltVal = *static_cast<const float*>(src.byref);
        return true;
    case VT_R8:
        value.dblVal = *src.pdblVal;
        return true;
    case VT_BSTR:
        value.bstrVal = *src.pbstrVal;
        return true;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        value.punkVal = *static_cast<IUnknown* const*>(src.byref);
        return true;
    default:
        return false;
    }
}
} // namespace

extern "C" HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags,
                                     VARTYPE vt)
{
    if (!pvargDest || !pvarSrc)
        return E_INVALIDARG;
    VARIANT src = *pvarSrc;
    if ((pvarSrc->vt & VT_BYREF) && !Dereference(*pvarSrc, src))
        return DISP_E_BADVARTYPE;
    VARIANT converted;
    VariantInit(&converted);
    HRESULT hr;
    if (src.vt == vt)
        hr = VariantCopy(&converted, &src);
    else if (vt == VT_BSTR)
        hr = ToText(src, wFlags, converted);
    else if (vt == VT_DISPATCH || vt == VT_UNKNOWN)
        hr = ToInterface(src, vt, converted);
    else if (IsInteger(vt) || vt == VT_R4 || vt == VT_R8)
        hr = vt == VT_ERROR ? DISP_E_TYPEMISMATCH : ToNumber(src, vt, converted);
    else
        hr = DISP_E_BADVARTYPE;
    if (FAILED(hr))
    {
        VariantClear(&converted);
        return hr;
    }
    VariantClear(pvargDest); // also in place: the converted copy no longer needs the old value
    *pvargDest = converted;
    return S_OK;
}

extern "C" HRESULT VarUI4FromStr(LPCOLESTR strIn, LCID, ULONG, ULONG* pulOut)
{
    if (!pulOut)
        return E_INVALIDARG;
    VARIANT text, number;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = const_cast<BSTR>(strIn);
    VariantInit(&number);
    const HRESULT hr = ToNumber(text, VT_UI4, number);
    if (SUCCEEDED(hr))
        *pulOut = number.ulVal;
    return hr;
}
