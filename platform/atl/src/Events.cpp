// Connection points and the delivery of events to sink-map handlers.
#include "atldispevent.h"

namespace ATL
{
namespace
{
HRESULT FindConnectionPoint(IUnknown* pUnkCP, const IID& iid, CComPtr<IConnectionPoint>& point)
{
    if (!pUnkCP)
        return E_INVALIDARG;
    CComPtr<IConnectionPointContainer> container;
    HRESULT hr = pUnkCP->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (SUCCEEDED(hr))
        hr = container->FindConnectionPoint(iid, &point);
    return hr;
}
} // namespace

HRESULT AtlAdvise(IUnknown* pUnkCP, IUnknown* pUnk, const IID& iid, DWORD* pdw)
{
    CComPtr<IConnectionPoint> point;
    const HRESULT hr = FindConnectionPoint(pUnkCP, iid, point);
    return FAILED(hr) ? hr : point->Advise(pUnk, pdw);
}

HRESULT AtlUnadvise(IUnknown* pUnkCP, const IID& iid, DWORD dw)
{
    CComPtr<IConnectionPoint> point;
    const HRESULT hr = FindConnectionPoint(pUnkCP, iid, point);
    return FAILED(hr) ? hr : point->Unadvise(dw);
}

HRESULT AtlGetFuncInfoFromId(ITypeInfo* pTypeInfo, DISPID dispidMember, _ATL_FUNC_INFO& info)
{
    TYPEATTR* attributes = nullptr;
    HRESULT hr = pTypeInfo->GetTypeAttr(&attributes);
    if (FAILED(hr))
        return hr;
    const UINT count = attributes->cFuncs;
    pTypeInfo->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < count; ++i)
    {
        FUNCDESC* desc = nullptr;
        hr = pTypeInfo->GetFuncDesc(i, &desc);
        if (FAILED(hr))
            return hr;
        if (desc->memid != dispidMember)
        {
            pTypeInfo->ReleaseFuncDesc(desc);
            continue;
        }
        hr = desc->cParams > _ATL_MAX_VARTYPES ? E_FAIL : S_OK;
        if (SUCCEEDED(hr))
        {
            info.cc = desc->callconv;
            info.vtReturn = desc->elemdescFunc.tdesc.vt;
            info.nParams = desc->cParams;
            // A pointer parameter receives its argument by reference.
            for (SHORT p = 0; p < desc->cParams; ++p)
            {
                const TYPEDESC& type = desc->lprgelemdescParam[p].tdesc;
                info.pVarTypes[p] = type.vt == VT_PTR ? VARTYPE(type.lptdesc->vt | VT_BYREF) : type.vt;
            }
        }
        pTypeInfo->ReleaseFuncDesc(desc);
        return hr;
    }
    return E_FAIL;
}

HRESULT AtlInvokeEventHandler(const _ATL_FUNC_INFO& info, DISPPARAMS* pdispparams, VARIANT* pvarResult,
                              const std::function<bool(_ATL_EVENT_ARGS, HRESULT&)>& call)
{
    // An event with another argument count than its description is not delivered: the handler
    // would read arguments that are not there.
    const UINT count = UINT(info.nParams);
    if (!pdispparams || pdispparams->cArgs != count || (count && !pdispparams->rgvarg))
        return S_OK;
    VARIANTARG converted[_ATL_MAX_VARTYPES];
    _ATL_EVENT_ARGS args = {};
    bool deliverable = true;
    for (UINT i = 0; i < count; ++i)
    {
        VariantInit(&converted[i]);
        VARIANTARG& given = pdispparams->rgvarg[count - 1 - i];
        if (given.vt == info.pVarTypes[i])
            args[i] = &given;
        else if (!(info.pVarTypes[i] & VT_BYREF) &&
                 SUCCEEDED(VariantChangeType(&converted[i], &given, 0, info.pVarTypes[i])))
            args[i] = &converted[i];
        else
            deliverable = false;
    }
    HRESULT result = S_OK;
    if (deliverable && call(args, result) && pvarResult && info.vtReturn != VT_VOID &&
        info.vtReturn != VT_EMPTY)
    {
        VariantInit(pvarResult);
        pvarResult->vt = info.vtReturn == VT_HRESULT ? VARTYPE(VT_ERROR) : info.vtReturn;
        pvarResult->lVal = result;
    }
    for (UINT i = 0; i < count; ++i)
        VariantClear(&converted[i]);
    return S_OK;
}
} // namespace ATL
