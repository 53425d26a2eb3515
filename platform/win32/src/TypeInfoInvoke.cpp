// A dispatch call carried out through type information: the arguments (last first in the call's
// list) are put in declaration order and converted to the declared types, the method is called
// through its slot, and its [out, retval] parameter comes back as the call's result.
#include "TypeLibrary.h"

#include <vector>

namespace platform::typelib
{
namespace
{
// The argument for each declared parameter that the caller gives (all but the retval one):
// positional arguments from the end of rgvarg, named ones by their parameter index.
HRESULT ArrangeArguments(const DISPPARAMS& params, UINT inputs, std::vector<VARIANTARG*>& arranged,
                         std::vector<UINT>& argumentIndex)
{
    if (params.cArgs != inputs || params.cNamedArgs > params.cArgs || (params.cArgs && !params.rgvarg) ||
        (params.cNamedArgs && !params.rgdispidNamedArgs))
        return params.cArgs != inputs ? DISP_E_BADPARAMCOUNT : E_INVALIDARG;
    arranged.assign(inputs, nullptr);
    argumentIndex.assign(inputs, 0);
    const UINT positional = params.cArgs - params.cNamedArgs;
    for (UINT i = 0; i < positional; ++i)
    {
        argumentIndex[i] = params.cArgs - 1 - i;
        arranged[i] = &params.rgvarg[argumentIndex[i]];
    }
    for (UINT k = 0; k < params.cNamedArgs; ++k)
    {
        const DISPID id = params.rgdispidNamedArgs[k];
        if (id < 0 || UINT(id) >= inputs || arranged[UINT(id)])
            return DISP_E_PARAMNOTFOUND;
        argumentIndex[UINT(id)] = k;
        arranged[UINT(id)] = &params.rgvarg[k];
    }
    return S_OK;
}
} // namespace

HRESULT TypeInformation::Invoke(void* pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams,
                                VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (!pvInstance || !pDispParams)
        return E_INVALIDARG;
    const Function* function = FindFunction(memid);
    if (!function || !(wFlags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (function->desc.funckind == FUNC_DISPATCH)
        return static_cast<IDispatch*>(pvInstance)
            ->Invoke(memid, GUID_NULL, m_attr.lcid, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
    return InvokeThroughTable(pvInstance, *function, pDispParams, pVarResult, pExcepInfo, puArgErr);
}

HRESULT TypeInformation::InvokeThroughTable(void* pvInstance, const Function& function,
                                            DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                            EXCEPINFO* pExcepInfo, UINT* puArgErr) const
{
    const size_t count = function.parameters.size();
    const bool hasRetval =
        count > 0 && (function.parameters.back().paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0;
    const UINT inputs = UINT(count - (hasRetval ? 1 : 0));
    std::vector<VARIANTARG*> given;
    std::vector<UINT> argumentIndex;
    HRESULT hr = ArrangeArguments(*pDispParams, inputs, given, argumentIndex);
    if (FAILED(hr))
        return hr;

    // Converted copies, the retval's storage last; every one is cleared on the way out.
    std::vector<VARIANTARG> converted(count);
    for (VARIANTARG& v : converted)
        VariantInit(&v);
    auto clearAll = [&]
    {
        for (VARIANTARG& v : converted)
            VariantClear(&v);
    };
    std::vector<VARTYPE> types(count);
    std::vector<VARIANTARG*> arguments(count);
    VARIANT retval;
    VariantInit(&retval);
    for (size_t i = 0; i < count; ++i)
    {
        const TYPEDESC& declared = function.parameters[i].tdesc;
        if (hasRetval && i + 1 == count)
        {
            retval.vt = declared.lptdesc->vt;
            types[i] = VARTYPE(VT_BYREF | declared.lptdesc->vt);
            converted[i].vt = types[i];
            converted[i].byref = &retval.lVal; // the union's start, whatever the type
            arguments[i] = &converted[i];
            continue;
        }
        VARIANTARG* argument = given[i];
        if (declared.vt == VT_PTR)
        {
            // By reference the caller's variable itself is passed: its type must be the declared one.
            types[i] = VARTYPE(VT_BYREF | declared.lptdesc->vt);
            if (argument->vt != types[i])
                hr = DISP_E_TYPEMISMATCH;
            arguments[i] = argument;
        }
        else
        {
            types[i] = declared.vt;
            if (argument->vt == declared.vt)
                arguments[i] = argument;
            else
            {
                hr = VariantChangeType(&converted[i], argument, 0, declared.vt);
                arguments[i] = &converted[i];
            }
        }
        if (FAILED(hr))
        {
            if (puArgErr)
                *puArgErr = argumentIndex[i];
            clearAll();
            return hr;
        }
    }

    VARIANT returned;
    VariantInit(&returned);
    hr = DispCallFunc(pvInstance, ULONG_PTR(function.desc.oVft), CC_STDCALL, VT_HRESULT, UINT(count),
                      types.data(), arguments.data(), &returned);
    if (hasRetval)
        converted.back() = VARIANT{}; // it only pointed at `retval`
    clearAll();
    if (FAILED(hr))
        return hr;
    if (FAILED(returned.lVal))
    {
        // A failing method is reported as an exception carrying its result.
        VariantClear(&retval);
        if (pExcepInfo)
        {
            *pExcepInfo = EXCEPINFO{};
            pExcepInfo->scode = returned.lVal;
        }
        return DISP_E_EXCEPTION;
    }
    if (pVarResult)
        *pVarResult = retval;
    else
        VariantClear(&retval);
    return S_OK;
}
} // namespace platform::typelib
