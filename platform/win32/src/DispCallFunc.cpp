// Calling a method of an interface by its slot, as automation does for a dispatch call.
#include "oaidl.h"

#include <cstdint>

namespace
{
constexpr UINT kMaxArguments = 8;

// The argument as the machine passes it: every supported type travels in one integer register.
bool Word(VARTYPE vt, const VARIANTARG& arg, uintptr_t& word)
{
    if (vt & VT_BYREF)
    {
        word = reinterpret_cast<uintptr_t>(arg.byref);
        return true;
    }
    switch (vt)
    {
    case VT_I4:
    case VT_INT:
    case VT_ERROR:
    case VT_HRESULT:
        word = uintptr_t(intptr_t(arg.lVal));
        return true;
    case VT_UI4:
    case VT_UINT:
        word = arg.ulVal;
        return true;
    case VT_I2:
    case VT_BOOL:
        word = uintptr_t(intptr_t(arg.iVal));
        return true;
    case VT_UI2:
        word = arg.uiVal;
        return true;
    case VT_I1:
    case VT_UI1:
        word = arg.bVal;
        return true;
    case VT_BSTR:
        word = reinterpret_cast<uintptr_t>(arg.bstrVal);
        return true;
    case VT_DISPATCH:
    case VT_UNKNOWN:
    case VT_PTR:
        word = reinterpret_cast<uintptr_t>(arg.byref);
        return true;
    default:
        return false;
    }
}

using Word_t = uintptr_t;

Word_t Call(void* slot, void* instance, const Word_t* w, UINT count)
{
    switch (count)
    {
    case 0:
        return reinterpret_cast<Word_t (*)(void*)>(slot)(instance);
    case 1:
        return reinterpret_cast<Word_t (*)(void*, Word_t)>(slot)(instance, w[0]);
    case 2:
        return reinterpret_cast<Word_t (*)(void*, Word_t, Word_t)>(slot)(instance, w[0], w[1]);
    case 3:
        return reinterpret_cast<Word_t (*)(void*, Word_t, Word_t, Word_t)>(slot)(instance, w[0], w[1], w[2]);
    case 4:
        return reinterpret_cast<Word_t (*)(void*, Word_t, Word_t, Word_t, Word_t)>(slot)(instance, w[0], w[1], w[2],
                                                                                         w[3]);
    case 5:
        return reinterpret_cast<Word_t (*)(void*, Word_t, Word_t, Word_t, Word_t, Word_t)>(slot)(instance, w[0], w[1],
                                                                                                 w[2], w[3], w[4]);
    case 6:
        return reinterpret_cast<Word_t (*)(void*, Word_t, Word_t, Word_t, Word_t, Word_t, Word_t)>(slot)(
            instance, w[0], w[1], w[2], w[3], w[4], w[5]);
    case 7:
        return reinterpret_cast<Word_t (*)(void*, Word_t, Word_t, Word_t, Word_t, Word_t, Word_t, Word_t)>(slot)(
            instance, w[0], w[1], w[2], w[3], w[4], w[5], w[6]);
    default:
        return reinterpret_cast<Word_t (*)(void*, Word_t, Word_t, Word_t, Word_t, Word_t, Word_t, Word_t, Word_t)>(
            slot)(instance, w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7]);
    }
}
} // namespace

extern "C" HRESULT DispCallFunc(void* pvInstance, ULONG_PTR oVft, CALLCONV cc, VARTYPE vtReturn, UINT cActuals,
                                VARTYPE* prgvt, VARIANTARG** prgpvarg, VARIANT* pvargResult)
{
    if (!pvInstance || oVft % sizeof(void*) != 0 || (cActuals && (!prgvt || !prgpvarg)))
        return E_INVALIDARG;
    if (cActuals > kMaxArguments)
        return DISP_E_BADPARAMCOUNT;
    Word_t words[kMaxArguments] = {};
    for (UINT i = 0; i < cActuals; ++i)
        if (!prgpvarg[i] || !Word(prgvt[i], *prgpvarg[i], words[i]))
            return DISP_E_BADVARTYPE;
    void* const* table = *static_cast<void* const* const*>(pvInstance);
    const Word_t result = Call(table[oVft / sizeof(void*)], pvInstance, words, cActuals);
    if (pvargResult)
    {
        VariantInit(pvargResult);
        if (vtReturn != VT_EMPTY && vtReturn != VT_VOID)
        {
            pvargResult->vt = vtReturn;
            pvargResult->lVal = LONG(uint32_t(result));
        }
    }
    return S_OK;
}
