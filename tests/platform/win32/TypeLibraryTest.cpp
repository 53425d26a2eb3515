#include "registry_testing.h"
#include "win32_testing.h"
#include "windows.h"

#include "Calculator_i.h"
#include "Variants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::wstring ProgramPath()
{
    WCHAR path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// Implements the interface that the tests call through its type information.
class Calculator final : public ICalculator
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE Describe(BSTR label, LONG count, BSTR* text) override
    {
        const std::wstring result = std::wstring(label ? label : L"") + L"=" + std::to_wstring(count);
        *text = SysAllocString(result.c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Fail(LONG code) override { return code; }
    HRESULT STDMETHODCALLTYPE Negate(LONG* value) override
    {
        *value = -*value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Flag(VARIANT_BOOL on, ULONG mask, LONG* result) override
    {
        *result = on ? LONG(mask) : 0;
        return S_OK;
    }
};

class TypeLibrary : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(LoadTypeLib(ProgramPath().c_str(), &m_library), S_OK);
        ASSERT_EQ(m_library->GetTypeInfoOfGuid(IID_ICalculator, &m_info), S_OK);
    }
    void TearDown() override
    {
        if (m_info)
            m_info->Release();
        if (m_library)
            m_library->Release();
        EXPECT_EQ(platform::LiveBstrCount(), m_bstrsBefore);
    }

    // Invokes on the calculator with the arguments given last first, as DISPPARAMS holds them.
    HRESULT Call(MEMBERID id, std::vector<VARIANT> arguments, VARIANT* result = nullptr,
                 std::vector<DISPID> named = {}, WORD flags = DISPATCH_METHOD)
    {
        DISPPARAMS params{arguments.data(), named.data(), UINT(arguments.size()), UINT(named.size())};
        m_argumentError = 99;
        m_exception = EXCEPINFO{};
        const HRESULT hr = m_info->Invoke(static_cast<ICalculator*>(&m_calculator), id, flags, &params,
                                          result, &m_exception, &m_argumentError);
        for (VARIANT& argument : arguments)
            VariantClear(&argument);
        return hr;
    }

    const long m_bstrsBefore = platform::LiveBstrCount();
    ITypeLib* m_library = nullptr;
    ITypeInfo* m_info = nullptr;
    Calculator m_calculator;
    UINT m_argumentError = 0;
    EXCEPINFO m_exception{};
};

TEST_F(TypeLibrary, DescribesTheLibraryItsInterfacesAndClassesFromTheModulesSource)
{
    TLIBATTR* library = nullptr;
    ASSERT_EQ(m_library->GetLibAttr(&library), S_OK);
    EXPECT_EQ(library->guid, LIBID_CalculatorLib);
    EXPECT_EQ(library->wMajorVerNum, 2);
    EXPECT_EQ(library->wMinorVerNum, 10);
    EXPECT_EQ(library->lcid, 0x407u);
    EXPECT_EQ(library->syskind, SYS_WIN64);
    BSTR name = nullptr, help = nullptr;
    ASSERT_EQ(m_library->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"CalculatorLib");
    EXPECT_STREQ(help, L"Calculator 2.10 Type Library");
    SysFreeString(name);
    SysFreeString(help);

    ASSERT_EQ(m_library->GetTypeInfoCount(), 3u);
    const TYPEKIND kinds[] = {TKIND_DISPATCH, TKIND_DISPATCH, TKIND_COCLASS};
    for (UINT i = 0; i < 3; ++i)
    {
        TYPEKIND kind = TKIND_MAX;
        EXPECT_EQ(m_library->GetTypeInfoType(i, &kind), S_OK);
        EXPECT_EQ(kind, kinds[i]) << i;
    }
    ITypeInfo* missing = nullptr;
    EXPECT_EQ(m_library->GetTypeInfoOfGuid(GUID_NULL, &missing), TYPE_E_ELEMENTNOTFOUND);

    TYPEATTR* type = nullptr;
    ASSERT_EQ(m_info->GetTypeAttr(&type), S_OK);
    EXPECT_EQ(type->cFuncs, 4);
    EXPECT_EQ(type->wTypeFlags,
              TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE);
    // Methods follow the seven of IDispatch in the table; one without an id is numbered by position.
    const MEMBERID ids[] = {1, 2, 7, 0x60020003};
    for (UINT i = 0; i < 4; ++i)
    {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(m_info->GetFuncDesc(i, &function), S_OK);
        EXPECT_EQ(function->memid, ids[i]);
        EXPECT_EQ(function->oVft, SHORT((7 + i) * sizeof(void*)));
        EXPECT_EQ(function->funckind, FUNC_PUREVIRTUAL);
        EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_HRESULT);
    }
    FUNCDESC* describe = nullptr;
    ASSERT_EQ(m_info->GetFuncDesc(0, &describe), S_OK);
    ASSERT_EQ(describe->cParams, 3);
    EXPECT_EQ(describe->lprgelemdescParam[0].tdesc.vt, VT_BSTR);
    EXPECT_EQ(describe->lprgelemdescParam[1].tdesc.vt, VT_I4);
    EXPECT_EQ(describe->lprgelemdescParam[2].tdesc.vt, VT_PTR);
    EXPECT_EQ(describe->lprgelemdescParam[2].tdesc.lptdesc->vt, VT_BSTR);
    EXPECT_EQ(describe->lprgelemdescParam[2].paramdesc.wParamFlags, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
    ASSERT_EQ(m_info->GetDocumentation(1, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"Describe");
    EXPECT_STREQ(help, L"method Describe");
    SysFreeString(name);
    SysFreeString(help);

    ITypeInfo* events = nullptr;
    ASSERT_EQ(m_library->GetTypeInfoOfGuid(DIID_DCalculatorEvents, &events), S_OK);
    FUNCDESC* changed = nullptr;
    ASSERT_EQ(events->GetFuncDesc(0, &changed), S_OK);
    EXPECT_EQ(changed->memid, 4);
    EXPECT_EQ(changed->funckind, FUNC_DISPATCH);
    EXPECT_EQ(changed->cParams, 2);
    ITypeLib* container = nullptr;
    UINT index = 0;
    ASSERT_EQ(events->GetContainingTypeLib(&container, &index), S_OK);
    EXPECT_EQ(container, m_library);
    EXPECT_EQ(index, 1u);
    container->Release();
    events->Release();
}

TEST(TypeLibraryLoading, NeedsALoadedModuleWithATypeLibrary)
{
    ITypeLib* library = reinterpret_cast<ITypeLib*>(0x1);
    EXPECT_EQ(LoadTypeLib(L"/no/such/module.dll", &library), TYPE_E_CANTLOADLIBRARY);
    EXPECT_EQ(library, nullptr);
    WCHAR path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(GetModuleHandleW(L"TestModule.dll"), path, MAX_PATH), 0u);
    EXPECT_EQ(LoadTypeLib(path, &library), TYPE_E_CANTLOADLIBRARY) << "a module without a type library";
}

TEST_F(TypeLibrary, ResolvesNamesWithoutRegardToCaseAndParametersByPosition)
{
    struct Case
    {
        std::vector<const wchar_t*> names;
        HRESULT result;
        std::vector<MEMBERID> ids;
    };
    const Case cases[] = {
        {{L"describe"}, S_OK, {1}},
        {{L"DESCRIBE", L"count", L"LABEL"}, S_OK, {1, 1, 0}},
        {{L"Flag"}, S_OK, {0x60020003}},
        {{L"Describe", L"nothing"}, DISP_E_UNKNOWNNAME, {1, MEMBERID_NIL}},
        {{L"Describ"}, DISP_E_UNKNOWNNAME, {MEMBERID_NIL}},
    };
    for (const Case& c : cases)
    {
        std::vector<std::wstring> texts(c.names.begin(), c.names.end());
        std::vector<LPOLESTR> names;
        for (std::wstring& text : texts)
            names.push_back(text.data());
        std::vector<MEMBERID> ids(names.size(), 12345);
        EXPECT_EQ(m_info->GetIDsOfNames(names.data(), UINT(names.size()), ids.data()), c.result)
            << Narrow(texts[0]);
        EXPECT_EQ(ids, c.ids) << Narrow(texts[0]);
    }
}

TEST_F(TypeLibrary, InvokesThroughTheTableWithTheArgumentsInDeclarationOrder)
{
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(Call(1, {LongVariant(3), TextVariant(L"a")}, &result), S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_STREQ(result.bstrVal, L"a=3");
    VariantClear(&result);

    // Arguments are converted to the declared types.
    ASSERT_EQ(Call(1, {TextVariant(L" 12 "), LongVariant(5)}, &result), S_OK);
    EXPECT_STREQ(result.bstrVal, L"5=12");
    VariantClear(&result);

    // Named arguments come first in the list, with their parameter positions.
    ASSERT_EQ(Call(1, {TextVariant(L"b"), LongVariant(4)}, &result, {0, 1}), S_OK);
    EXPECT_STREQ(result.bstrVal, L"b=4");
    VariantClear(&result);

    ASSERT_EQ(Call(0x60020003, {LongVariant(0x30), LongVariant(1)}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 0x30);

    // A by-reference parameter gets the caller's variable itself.
    LONG value = 9;
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &value;
    ASSERT_EQ(Call(7, {reference}), S_OK);
    EXPECT_EQ(value, -9);

    // Without a place for the result, the returned string is freed (the fixture counts strings).
    EXPECT_EQ(Call(1, {LongVariant(1), TextVariant(L"c")}), S_OK);
}

TEST_F(TypeLibrary, RefusesCallsThatDoNotFitTheMethod)
{
    struct Case
    {
        const char* what;
        MEMBERID id;
        std::vector<VARIANT> arguments;
        std::vector<DISPID> named;
        WORD flags;
        HRESULT result;
        UINT argumentError; // 99: not set
    };
    const Case cases[] = {
        {"too few arguments", 1, {LongVariant(1)}, {}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT, 99},
        {"an unknown member", 3, {}, {}, DISPATCH_METHOD, DISP_E_MEMBERNOTFOUND, 99},
        {"a property read of a method",
         2,
         {LongVariant(0)},
         {},
         DISPATCH_PROPERTYGET,
         DISP_E_MEMBERNOTFOUND,
         99},
        {"text that is no number",
         1,
         {TextVariant(L"x"), TextVariant(L"a")},
         {},
         DISPATCH_METHOD,
         DISP_E_TYPEMISMATCH,
         0},
        {"a number out of range",
         0x60020003,
         {LongVariant(-1), LongVariant(1)},
         {},
         DISPATCH_METHOD,
         DISP_E_OVERFLOW,
         0},
        {"a value for a reference", 7, {LongVariant(1)}, {}, DISPATCH_METHOD, DISP_E_TYPEMISMATCH, 0},
        {"an unknown parameter name",
         1,
         {LongVariant(1), TextVariant(L"a")},
         {5},
         DISPATCH_METHOD,
         DISP_E_PARAMNOTFOUND,
         99},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(Call(c.id, c.arguments, nullptr, c.named, c.flags), c.result) << c.what;
        EXPECT_EQ(m_argumentError, c.argumentError) << c.what;
    }
}

TEST_F(TypeLibrary, ReportsAFailingMethodAsAnException)
{
    EXPECT_EQ(Call(2, {LongVariant(E_ACCESSDENIED)}), DISP_E_EXCEPTION);
    EXPECT_EQ(m_exception.scode, E_ACCESSDENIED);
    EXPECT_EQ(Call(2, {LongVariant(S_FALSE)}), S_OK);
}

class TypeLibraryRegistration : public TypeLibrary
{
protected:
    // The keys as the registry exports them, for this library at this path.
    std::string ExpectedKeys(const std::string& path)
    {
        const std::string lib = "{5D1E2C3A-0003-4000-8000-000000000003}";
        const std::string folder = path.substr(0, path.rfind('/'));
        std::string keys = "Windows Registry Editor Version 5.00\n\n[HKEY_CLASSES_ROOT\\Interface]\n\n";
        for (const char* iface : {"{5D1E2C3A-0001-4000-8000-000000000001}]\n@=\"ICalculator\"",
                                  "{5D1E2C3A-0002-4000-8000-000000000002}]\n@=\"DCalculatorEvents\""})
        {
            const std::string key = std::string("[HKEY_CLASSES_ROOT\\Interface\\") + iface;
            const std::string id = key.substr(0, key.find(']'));
            keys += key + "\n\n" + id +
                    "\\ProxyStubClsid]\n@=\"{00020424-0000-0000-C000-000000000046}\"\n\n" + id +
                    "\\ProxyStubClsid32]\n@=\"{00020424-0000-0000-C000-000000000046}\"\n\n" + id +
                    "\\TypeLib]\n@=\"" + lib + "\"\n\"Version\"=\"2.a\"\n\n";
        }
        const std::string version = "[HKEY_CLASSES_ROOT\\TypeLib\\" + lib + "\\2.a";
        keys += "[HKEY_CLASSES_ROOT\\TypeLib]\n\n[HKEY_CLASSES_ROOT\\TypeLib\\" + lib + "]\n\n" + version +
                "]\n@=\"Calculator 2.10 Type Library\"\n\n" + version + "\\407]\n\n" + version +
                "\\407\\win64]\n@=\"" + path + "\"\n\n" + version + "\\FLAGS]\n@=\"0\"\n\n" + version +
                "\\HELPDIR]\n@=\"" + folder + "\"\n";
        return keys;
    }

    platform::TemporaryRegistry m_registry;
};

TEST_F(TypeLibraryRegistration, WritesTheLibraryByVersionAndLocaleAndItsAutomationInterfaces)
{
    ASSERT_EQ(RegisterTypeLib(m_library, ProgramPath().c_str(), nullptr), S_OK);
    EXPECT_EQ(platform::DumpRegistry(), ExpectedKeys(Narrow(ProgramPath())));
    EXPECT_EQ(platform::OpenRegistryKeyCount(), 0);
}

TEST_F(TypeLibraryRegistration, LoadsTheRegisteredLibraryOfTheMajorVersionWithAtLeastTheMinorOne)
{
    ITypeLib* library = nullptr;
    EXPECT_EQ(LoadRegTypeLib(LIBID_CalculatorLib, 2, 10, 0x407, &library), TYPE_E_LIBNOTREGISTERED);
    ASSERT_EQ(RegisterTypeLib(m_library, ProgramPath().c_str(), nullptr), S_OK);
    struct Case
    {
        WORD major, minor;
        LCID lcid;
        HRESULT result;
    };
    for (const Case& c :
         {Case{2, 10, 0x407, S_OK}, Case{2, 3, 0x409, S_OK}, Case{2, 0, 0, S_OK},
          Case{2, 11, 0x407, TYPE_E_LIBNOTREGISTERED}, Case{1, 0, 0x407, TYPE_E_LIBNOTREGISTERED},
          Case{3, 10, 0x407, TYPE_E_LIBNOTREGISTERED}})
    {
        EXPECT_EQ(LoadRegTypeLib(LIBID_CalculatorLib, c.major, c.minor, c.lcid, &library), c.result)
            << c.major << "." << c.minor << " for " << c.lcid;
        if (library)
        {
            ITypeInfo* info = nullptr;
            EXPECT_EQ(library->GetTypeInfoOfGuid(IID_ICalculator, &info), S_OK);
            info->Release();
            library->Release();
            library = nullptr;
        }
    }
}

TEST_F(TypeLibraryRegistration, UnregisteringKeepsWhatOtherVersionsAndLibrariesStillUse)
{
    ASSERT_EQ(RegisterTypeLib(m_library, ProgramPath().c_str(), nullptr), S_OK);
    // Another version of the library, and an interface that another library now claims.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT,
                              L"TypeLib\\{5D1E2C3A-0003-4000-8000-000000000003}\\3.0\\0\\win64", 0, nullptr,
                              0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring path = ProgramPath();
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   DWORD((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Interface\\{5D1E2C3A-0002-4000-8000-000000000002}\\TypeLib",
                            0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    const std::wstring other = L"{00000000-0000-0000-0000-000000000001}";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(other.c_str()),
                   DWORD((other.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);

    ASSERT_EQ(UnRegisterTypeLib(LIBID_CalculatorLib, 2, 10, 0x407, SYS_WIN64), S_OK);
    const std::string keys = platform::DumpRegistry();
    EXPECT_EQ(keys.find("\\2.a"), std::string::npos) << keys;
    EXPECT_EQ(keys.find("{5D1E2C3A-0001"), std::string::npos) << keys;
    EXPECT_NE(keys.find("[HKEY_CLASSES_ROOT\\Interface\\{5D1E2C3A-0002-4000-8000-000000000002}]"),
              std::string::npos);
    EXPECT_NE(
        keys.find("[HKEY_CLASSES_ROOT\\TypeLib\\{5D1E2C3A-0003-4000-8000-000000000003}\\3.0\\0\\win64]"),
        std::string::npos);
    EXPECT_EQ(UnRegisterTypeLib(LIBID_CalculatorLib, 2, 10, 0x407, SYS_WIN64), TYPE_E_REGISTRYACCESS);

    ASSERT_EQ(UnRegisterTypeLib(LIBID_CalculatorLib, 3, 0, 0, SYS_WIN64), S_OK);
    EXPECT_EQ(platform::DumpRegistry().find("TypeLib\\{5D1E2C3A"), std::string::npos) << "the last version";
}
} // namespace
