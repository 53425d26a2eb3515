// The registrar: runs registration scripts (.rgs) against the registry. Replacements (%NAME%) are
// made over the whole text first; then each root block's keys and values are written, or removed
// again, as the script's flags say.
#pragma once

#include "atlbase.h"

#include <string>
#include <utility>
#include <vector>

namespace ATL
{
class CRegObject : public IRegistrarBase
{
public:
    CRegObject() = default;
    CRegObject(const CRegObject&) = delete;
    CRegObject& operator=(const CRegObject&) = delete;
    ~CRegObject() = default;

    // The registrar lives inside its module and is no COM object of its own.
    STDMETHOD(QueryInterface)(REFIID, void**) override { return E_NOTIMPL; }
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }

    // Names compare without regard to case; adding a name again keeps the first value.
    STDMETHOD(AddReplacement)(LPCOLESTR key, LPCOLESTR item) override;
    STDMETHOD(ClearReplacements)() override;

    // The script resource of the loaded module with that file name.
    HRESULT ResourceRegister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType);
    HRESULT ResourceUnregister(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType);
    // A script given as text.
    HRESULT StringRegister(LPCOLESTR data);
    HRESULT StringUnregister(LPCOLESTR data);

private:
    HRESULT RegisterFromResource(LPCOLESTR resFileName, UINT nID, LPCOLESTR szType, bool bRegister);
    HRESULT RegisterWithString(LPCOLESTR data, bool bRegister);

    std::vector<std::pair<std::wstring, std::wstring>> m_replacements;
};
} // namespace ATL
