// The add-in's side of the application: its File-Open entries and the object it is called back
// through by name.
#include "Call.h"
#include "Facets.h"

#include "sim/Host.h"

#include <algorithm>

namespace sim
{
namespace
{
std::wstring Text(BSTR text)
{
    return text ? std::wstring(text) : std::wstring();
}
} // namespace

HRESULT ApplicationFacet::SetAddinCallbackInfo(LONG moduleHandle, IDispatch* callbacks, LONG cookie,
                                               VARIANT_BOOL* done)
{
    SIM_CALL(call, "SetAddinCallbackInfo");
    call.Arg(long(moduleHandle)).Raw(callbacks ? "callbacks" : "null").Arg(long(cookie));
    if (call.Failed())
        return call.Done();
    // Borrowed: whoever connected the add-in holds it for as long as it is connected.
    m_host.callbacks = callbacks;
    m_host.callbackModule = moduleHandle;
    m_host.callbackCookie = cookie;
    *done = VARIANT_TRUE;
    call.OutValue(long(*done));
    return call.Done(S_OK);
}

HRESULT ApplicationFacet::AddFileOpenItem(LONG cookie, BSTR callback, BSTR description, BSTR extension, BSTR unused1,
                                          BSTR unused2, VARIANT_BOOL* done)
{
    SIM_CALL(call, "AddFileOpenItem");
    call.Arg(long(cookie)).String(callback).String(description).String(extension).String(unused1).String(unused2);
    if (call.Failed())
        return call.Done();
    m_host.model.userInterface.fileOpenItems.push_back({cookie, Text(callback), Text(description), Text(extension)});
    *done = VARIANT_TRUE;
    call.OutValue(long(*done));
    return call.Done(S_OK);
}

HRESULT ApplicationFacet::RemoveFileOpenItem(LONG cookie, BSTR callback, BSTR description, BSTR extension,
                                             VARIANT_BOOL* done)
{
    SIM_CALL(call, "RemoveFileOpenItem");
    call.Arg(long(cookie)).String(callback).String(description).String(extension);
    if (call.Failed())
        return call.Done();
    auto& items = m_host.model.userInterface.fileOpenItems;
    const auto it = std::find_if(items.begin(), items.end(), [&](const FileOpenItem& item) {
        return item.cookie == cookie && item.callback == Text(callback) && item.description == Text(description) &&
               item.extension == Text(extension);
    });
    const bool found = it != items.end();
    if (found)
        items.erase(it);
    *done = found ? VARIANT_TRUE : VARIANT_FALSE;
    call.OutValue(long(*done));
    return call.Done(S_OK);
}

HRESULT Host::InvokeCallback(const std::wstring& name, const wchar_t* argument)
{
    IDispatch* callbacks = m_state->callbacks;
    if (!callbacks)
        return E_UNEXPECTED;
    std::wstring member = name;
    LPOLESTR names[] = {member.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT result = callbacks->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result))
        return result;
    VARIANT path;
    VariantInit(&path);
    DISPPARAMS parameters{nullptr, nullptr, 0, 0};
    if (argument)
    {
        path.vt = VT_BSTR;
        path.bstrVal = SysAllocString(argument);
        parameters.rgvarg = &path;
        parameters.cArgs = 1;
    }
    VARIANT answer;
    VariantInit(&answer);
    EXCEPINFO exception{};
    UINT badArgument = 0;
    result = callbacks->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &answer, &exception,
                               &badArgument);
    VariantClear(&path);
    VariantClear(&answer);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return result;
}
} // namespace sim
