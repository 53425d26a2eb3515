// The registrar's replacements and where its scripts come from.
#include "statreg.h"

#include "RegistrarScript.h"

namespace ATL
{
namespace
{
// Scripts are 8-bit text; each byte is taken as the character of that number.
std::wstring Widened(const char* text, DWORD size)
{
    std::wstring wide;
    wide.reserve(size);
    for (DWORD i = 0; i < size && text[i]; ++i)
        wide += wchar_t(static_cast<unsigned char>(text[i]));
    return wide;
}
} // namespace

HRESULT CRegObject::AddReplacement(LPCOLESTR key, LPCOLESTR item)
{
    if (!key || !item)
        return E_INVALIDARG;
    m_replacements.emplace_back(key, item);
    return S_OK;
}

HRESULT CRegObject::ClearReplacements()
{
    m_replacements.clear();
    return S_OK;
}

HRESULT CRegObject::ResourceRegister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType)
{
    return RegisterFromResource(resFileName, nID, szType, true);
}

HRESULT CRegObject::ResourceUnregister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType)
{
    return RegisterFromResource(resFileName, nID, szType, false);
}

HRESULT CRegObject::StringRegister(LPCOLESTR data)
{
    return RegisterWithString(data, true);
}

HRESULT CRegObject::StringUnregister(LPCOLESTR data)
{
    return RegisterWithString(data, false);
}

HRESULT CRegObject::RegisterFromResource(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType, bool bRegister)
{
    if (!resFileName || !szType)
        return E_INVALIDARG;
    const HMODULE module = GetModuleHandleW(resFileName);
    if (!module)
        return HRESULT_FROM_WIN32(GetLastError());
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(nID), szType);
    if (!resource)
        return HRESULT_FROM_WIN32(GetLastError());
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    const std::wstring script = Widened(text, SizeofResource(module, resource));
    return RegisterWithString(script.c_str(), bRegister);
}

HRESULT CRegObject::RegisterWithString(LPCOLESTR data, bool bRegister)
{
    if (!data)
        return E_INVALIDARG;
    std::wstring script;
    const HRESULT hr = registrar::Replace(data, m_replacements, script);
    return FAILED(hr) ? hr : registrar::Run(script, bRegister);
}
} // namespace ATL
