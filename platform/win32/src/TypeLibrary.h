// A type library compiled from its source, and the type information of its interfaces and classes.
// The type infos live as long as their library: their references are the library's.
#pragma once

#include "oaidl.h"

#include "idl/TypeLibrarySource.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace platform::typelib
{
class TypeLibrary;

class TypeInformation final : public ITypeInfo
{
public:
    TypeInformation(TypeLibrary& library, UINT index, const idl::Interface* definition,
                    const idl::CoClass* coclass);
    TypeInformation(const TypeInformation&) = delete;
    TypeInformation& operator=(const TypeInformation&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** ppTypeAttr) override;
    HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) override;
    HRESULT STDMETHODCALLTYPE Invoke(void* pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
    HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString,
                                               DWORD* pdwHelpContext, BSTR* pBstrHelpFile) override;
    HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib** ppTLib, UINT* pIndex) override;
    void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR*) override {}
    void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC*) override {}

    const GUID& Guid() const { return m_attr.guid; }
    const std::wstring& Name() const { return m_name; }
    const std::wstring& HelpString() const { return m_helpString; }
    TYPEKIND Kind() const { return m_attr.typekind; }

private:
    // One method: its description with the storage that the description points into.
    struct Function
    {
        const idl::Method* source;
        std::wstring name;
        std::vector<std::wstring> parameterNames;
        std::vector<ELEMDESC> parameters;
        std::vector<std::unique_ptr<TYPEDESC>> pointees;
        FUNCDESC desc;
    };

    void AddFunction(const idl::Method& method, size_t slot, FUNCKIND kind);
    TYPEDESC Describe(const idl::Type& type, Function& function);
    const Function* FindFunction(MEMBERID memid) const;
    HRESULT InvokeThroughTable(void* pvInstance, const Function& function, DISPPARAMS* pDispParams,
                               VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) const;

    TypeLibrary& m_library;
    UINT m_index;
    const idl::Interface* m_interface; // null for a coclass
    std::wstring m_name;
    std::wstring m_helpString;
    TYPEATTR m_attr{};
    std::vector<Function> m_functions;
};

class TypeLibrary final : public ITypeLib
{
public:
    explicit TypeLibrary(idl::Library source);
    TypeLibrary(const TypeLibrary&) = delete;
    TypeLibrary& operator=(const TypeLibrary&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    UINT STDMETHODCALLTYPE GetTypeInfoCount() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoType(UINT index, TYPEKIND* pTKind) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** ppTinfo) override;
    HRESULT STDMETHODCALLTYPE GetLibAttr(TLIBATTR** ppTLibAttr) override;
    HRESULT STDMETHODCALLTYPE GetDocumentation(INT index, BSTR* pBstrName, BSTR* pBstrDocString,
                                               DWORD* pdwHelpContext, BSTR* pBstrHelpFile) override;
    void STDMETHODCALLTYPE ReleaseTLibAttr(TLIBATTR*) override {}

    const idl::Library& Source() const { return m_source; }

private:
    ~TypeLibrary() = default;

    std::atomic<ULONG> m_references{1};
    idl::Library m_source;
    TLIBATTR m_attr{};
    std::vector<std::unique_ptr<TypeInformation>> m_infos;
};

// Names and help strings as the automation interfaces hand them out.
std::wstring Wide(const std::string& text);
// Sets each out-argument that is not null; the strings are the caller's to free.
HRESULT Documentation(const std::wstring& name, const std::wstring& helpString, BSTR* pBstrName,
                      BSTR* pBstrDocString, DWORD* pdwHelpContext, BSTR* pBstrHelpFile);
} // namespace platform::typelib
