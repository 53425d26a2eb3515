// Type information as automation describes an interface: methods by dispatch identifier, each with
// its place in the table of virtual operations, its parameters and their types.
#include "TypeLibrary.h"

#include "TextEncoding.h"

#include <cwctype>

namespace platform::typelib
{
namespace
{
constexpr size_t kUnknownSlots = 3;  // QueryInterface, AddRef, Release
constexpr size_t kDispatchSlots = 7; // and GetTypeInfoCount, GetTypeInfo, GetIDsOfNames, Invoke

bool SameName(const std::wstring& a, const OLECHAR* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::towupper(wint_t(a[i])) != std::towupper(wint_t(b[i])))
            return false;
    return i == a.size() && !b[i];
}

WORD TypeFlags(const idl::Interface& definition)
{
    WORD flags = 0;
    if (definition.kind != idl::InterfaceKind::Custom)
        flags |= TYPEFLAG_FDISPATCHABLE;
    if (definition.kind == idl::InterfaceKind::Dual)
        flags |= TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION;
    if (definition.oleautomation)
        flags |= TYPEFLAG_FOLEAUTOMATION;
    if (definition.nonextensible)
        flags |= TYPEFLAG_FNONEXTENSIBLE;
    return flags;
}
} // namespace

std::wstring Wide(const std::string& text)
{
    return WidePath(text);
}

HRESULT Documentation(const std::wstring& name, const std::wstring& helpString, BSTR* pBstrName,
                      BSTR* pBstrDocString, DWORD* pdwHelpContext, BSTR* pBstrHelpFile)
{
    if (pBstrName)
        *pBstrName = SysAllocString(name.c_str());
    if (pBstrDocString)
        *pBstrDocString = helpString.empty() ? nullptr : SysAllocString(helpString.c_str());
    if (pdwHelpContext)
        *pdwHelpContext = 0;
    if (pBstrHelpFile)
        *pBstrHelpFile = nullptr;
    return S_OK;
}

TypeInformation::TypeInformation(TypeLibrary& library, UINT index, const idl::Interface* definition,
                                 const idl::CoClass* coclass)
    : m_library(library), m_index(index), m_interface(definition)
{
    const idl::Library& source = library.Source();
    m_attr.lcid = source.lcid;
    m_attr.wMajorVerNum = source.majorVersion;
    m_attr.wMinorVerNum = source.minorVersion;
    if (coclass)
    {
        m_name = Wide(coclass->name);
        m_helpString = Wide(coclass->helpString);
        m_attr.guid = coclass->uuid;
        m_attr.typekind = TKIND_COCLASS;
        m_attr.cImplTypes = WORD(coclass->members.size());
        m_attr.wTypeFlags = TYPEFLAG_FCANCREATE;
        return;
    }
    m_name = Wide(definition->name);
    m_helpString = Wide(definition->helpString);
    m_attr.guid = definition->uuid;
    m_attr.typekind = definition->kind == idl::InterfaceKind::Custom ? TKIND_INTERFACE : TKIND_DISPATCH;
    m_attr.cImplTypes = definition->kind == idl::InterfaceKind::Dispatch ? 0 : 1;
    m_attr.wTypeFlags = TypeFlags(*definition);
    // A dual or custom method is called through its slot, after those of the interface's base.
    const size_t firstSlot = definition->base == "IDispatch" ? kDispatchSlots : kUnknownSlots;
    const FUNCKIND kind = definition->kind == idl::InterfaceKind::Dispatch ? FUNC_DISPATCH : FUNC_PUREVIRTUAL;
    m_functions.reserve(definition->methods.size());
    for (size_t i = 0; i < definition->methods.size(); ++i)
        AddFunction(definition->methods[i], firstSlot + i, kind);
    m_attr.cFuncs = WORD(m_functions.size());
}

TYPEDESC TypeInformation::Describe(const idl::Type& type, Function& function)
{
    TYPEDESC desc{nullptr, type.vt};
    for (int level = 0; level < type.pointers; ++level)
    {
        function.pointees.push_back(std::make_unique<TYPEDESC>(desc));
        desc = TYPEDESC{function.pointees.back().get(), VT_PTR};
    }
    return desc;
}

void TypeInformation::AddFunction(const idl::Method& method, size_t slot, FUNCKIND kind)
{
    Function function;
    function.source = &method;
    function.name = Wide(method.name);
    for (const idl::Parameter& parameter : method.parameters)
    {
        function.parameterNames.push_back(Wide(parameter.name));
        ELEMDESC element{};
        element.tdesc = Describe(parameter.type, function);
        element.paramdesc.wParamFlags =
            USHORT((parameter.in ? PARAMFLAG_FIN : 0) | (parameter.out ? PARAMFLAG_FOUT : 0) |
                   (parameter.retval ? PARAMFLAG_FRETVAL : 0));
        function.parameters.push_back(element);
    }
    FUNCDESC& desc = function.desc;
    desc = FUNCDESC{};
    desc.memid = method.id;
    desc.lprgelemdescParam = function.parameters.empty() ? nullptr : function.parameters.data();
    desc.funckind = kind;
    desc.invkind = INVOKE_FUNC;
    desc.callconv = CC_STDCALL;
    desc.cParams = SHORT(function.parameters.size());
    desc.oVft = kind == FUNC_DISPATCH ? 0 : SHORT(slot * sizeof(void*));
    desc.elemdescFunc.tdesc = Describe(method.result, function);
    m_functions.push_back(std::move(function));
}

const TypeInformation::Function* TypeInformation::FindFunction(MEMBERID memid) const
{
    for (const Function& function : m_functions)
        if (function.desc.memid == memid)
            return &function;
    return nullptr;
}

HRESULT TypeInformation::QueryInterface(REFIID riid, void** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_ITypeInfo))
        return E_NOINTERFACE;
    AddRef();
    *ppvObject = static_cast<ITypeInfo*>(this);
    return S_OK;
}

ULONG TypeInformation::AddRef()
{
    return m_library.AddRef();
}

ULONG TypeInformation::Release()
{
    return m_library.Release();
}

HRESULT TypeInformation::GetTypeAttr(TYPEATTR** ppTypeAttr)
{
    if (!ppTypeAttr)
        return E_INVALIDARG;
    *ppTypeAttr = &m_attr;
    return S_OK;
}

HRESULT TypeInformation::GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc)
{
    if (!ppFuncDesc)
        return E_INVALIDARG;
    if (index >= m_functions.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *ppFuncDesc = &m_functions[index].desc;
    return S_OK;
}

// The first name is a method's, the others its parameters', answered with their positions.
HRESULT TypeInformation::GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId)
{
    if (!rgszNames || !pMemId)
        return E_INVALIDARG;
    for (UINT i = 0; i < cNames; ++i)
        pMemId[i] = MEMBERID_NIL;
    if (cNames == 0)
        return S_OK;
    const Function* found = nullptr;
    for (const Function& function : m_functions)
        if (rgszNames[0] && SameName(function.name, rgszNames[0]))
            found = &function;
    if (!found)
        return DISP_E_UNKNOWNNAME;
    pMemId[0] = found->desc.memid;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < cNames; ++i)
    {
        for (size_t p = 0; p < found->parameterNames.size(); ++p)
            if (rgszNames[i] && SameName(found->parameterNames[p], rgszNames[i]))
                pMemId[i] = MEMBERID(p);
        if (pMemId[i] == MEMBERID_NIL)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT TypeInformation::GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString,
                                          DWORD* pdwHelpContext, BSTR* pBstrHelpFile)
{
    if (memid == MEMBERID_NIL)
        return Documentation(m_name, m_helpString, pBstrName, pBstrDocString, pdwHelpContext, pBstrHelpFile);
    const Function* function = FindFunction(memid);
    if (!function)
        return TYPE_E_ELEMENTNOTFOUND;
    return Documentation(function->name, Wide(function->source->helpString), pBstrName, pBstrDocString,
                         pdwHelpContext, pBstrHelpFile);
}

HRESULT TypeInformation::GetContainingTypeLib(ITypeLib** ppTLib, UINT* pIndex)
{
    if (ppTLib)
    {
        m_library.AddRef();
        *ppTLib = &m_library;
    }
    if (pIndex)
        *pIndex = m_index;
    return S_OK;
}

TypeLibrary::TypeLibrary(idl::Library source) : m_source(std::move(source))
{
    m_attr.guid = m_source.uuid;
    m_attr.lcid = m_source.lcid;
    m_attr.syskind = SYS_WIN64;
    m_attr.wMajorVerNum = m_source.majorVersion;
    m_attr.wMinorVerNum = m_source.minorVersion;
    for (const idl::Interface& definition : m_source.interfaces)
        m_infos.push_back(
            std::make_unique<TypeInformation>(*this, UINT(m_infos.size()), &definition, nullptr));
    for (const idl::CoClass& coclass : m_source.coclasses)
        m_infos.push_back(std::make_unique<TypeInformation>(*this, UINT(m_infos.size()), nullptr, &coclass));
}

HRESULT TypeLibrary::QueryInterface(REFIID riid, void** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_ITypeLib))
        return E_NOINTERFACE;
    AddRef();
    *ppvObject = static_cast<ITypeLib*>(this);
    return S_OK;
}

ULONG TypeLibrary::AddRef()
{
    return ++m_references;
}

ULONG TypeLibrary::Release()
{
    const ULONG count = --m_references;
    if (count == 0)
        delete this;
    return count;
}

UINT TypeLibrary::GetTypeInfoCount()
{
    return UINT(m_infos.size());
}

HRESULT TypeLibrary::GetTypeInfo(UINT index, ITypeInfo** ppTInfo)
{
    if (!ppTInfo)
        return E_INVALIDARG;
    *ppTInfo = nullptr;
    if (index >= m_infos.size())
        return TYPE_E_ELEMENTNOTFOUND;
    AddRef();
    *ppTInfo = m_infos[index].get();
    return S_OK;
}

HRESULT TypeLibrary::GetTypeInfoType(UINT index, TYPEKIND* pTKind)
{
    if (!pTKind)
        return E_INVALIDARG;
    if (index >= m_infos.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *pTKind = m_infos[index]->Kind();
    return S_OK;
}

HRESULT TypeLibrary::GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** ppTinfo)
{
    if (!ppTinfo)
        return E_INVALIDARG;
    *ppTinfo = nullptr;
    for (const auto& info : m_infos)
        if (IsEqualGUID(info->Guid(), guid))
        {
            AddRef();
            *ppTinfo = info.get();
            return S_OK;
        }
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT TypeLibrary::GetLibAttr(TLIBATTR** ppTLibAttr)
{
    if (!ppTLibAttr)
        return E_INVALIDARG;
    *ppTLibAttr = &m_attr;
    return S_OK;
}

HRESULT TypeLibrary::GetDocumentation(INT index, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                                      BSTR* pBstrHelpFile)
{
    if (index == -1)
        return Documentation(Wide(m_source.name), Wide(m_source.helpString), pBstrName, pBstrDocString,
                             pdwHelpContext, pBstrHelpFile);
    if (index < 0 || size_t(index) >= m_infos.size())
        return TYPE_E_ELEMENTNOTFOUND;
    return Documentation(m_infos[size_t(index)]->Name(), m_infos[size_t(index)]->HelpString(), pBstrName,
                         pBstrDocString, pdwHelpContext, pBstrHelpFile);
}
} // namespace platform::typelib
