#include "ServerModule.h"

#include "Facetor_i.h"
#include "Variants.h"
#include "registry_testing.h"
#include "sldworks.h"
#include "win32_testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// One key of a registry export: its path below a root and its value lines.
struct Key
{
    std::string path;
    std::vector<std::string> values;
};

std::string Export(const std::vector<Key>& keys)
{
    std::string text = "Windows Registry Editor Version 5.00\n";
    for (const Key& key : keys)
    {
        text += "\n[" + key.path + "]\n";
        for (const std::string& value : key.values)
            text += value + "\n";
    }
    return text;
}

const std::string kLibrary = "{218484BA-3910-42A8-91BF-36F864CD4AB4}";
const std::string kHandler = "{A775C5FA-F67B-4FC9-A87A-B7379E0F36C1}";
const std::string kAddin = "{9DC703D8-4401-4818-B517-C4483408C615}";
const std::string kProxy = "@=\"{00020424-0000-0000-C000-000000000046}\"";

std::vector<Key> ClassKeys(const std::string& clsid, const std::string& progId, const std::string& name)
{
    const std::string key = "HKEY_CLASSES_ROOT\\CLSID\\" + clsid;
    return {{key, {"@=\"" + name + "\""}},
            {key + "\\InprocServer32", {"@=\"" FACETOR_MODULE "\"", "\"ThreadingModel\"=\"Both\""}},
            {key + "\\ProgID", {"@=\"" + progId + ".1\""}},
            {key + "\\Programmable", {}},
            {key + "\\TypeLib", {"@=\"" + kLibrary + "\""}},
            {key + "\\VersionIndependentProgID", {"@=\"" + progId + "\""}}};
}

std::vector<Key> ProgIdKeys(const std::string& clsid, const std::string& progId, const std::string& name)
{
    const std::string key = "HKEY_CLASSES_ROOT\\" + progId;
    return {{key, {"@=\"" + name + "\""}},
            {key + "\\CLSID", {"@=\"" + clsid + "\""}},
            {key + "\\CurVer", {"@=\"" + progId + ".1\""}},
            {key + ".1", {"@=\"" + name + "\""}},
            {key + ".1\\CLSID", {"@=\"" + clsid + "\""}}};
}

std::vector<Key> InterfaceKeys(const std::string& iid, const std::string& name)
{
    const std::string key = "HKEY_CLASSES_ROOT\\Interface\\" + iid;
    return {{key, {"@=\"" + name + "\""}},
            {key + "\\ProxyStubClsid", {kProxy}},
            {key + "\\ProxyStubClsid32", {kProxy}},
            {key + "\\TypeLib", {"@=\"" + kLibrary + "\"", "\"Version\"=\"1.0\""}}};
}

std::vector<Key> TypeLibraryKeys()
{
    const std::string module = FACETOR_MODULE;
    const std::string version = "HKEY_CLASSES_ROOT\\TypeLib\\" + kLibrary + "\\1.0";
    return {{"HKEY_CLASSES_ROOT\\TypeLib", {}},
            {"HKEY_CLASSES_ROOT\\TypeLib\\" + kLibrary, {}},
            {version, {"@=\"Facetor 1.0 Type Library\""}},
            {version + "\\409", {}},
            {version + "\\409\\win64", {"@=\"" + module + "\""}},
            {version + "\\FLAGS", {"@=\"0\""}},
            {version + "\\HELPDIR", {"@=\"" + module.substr(0, module.rfind('/')) + "\""}}};
}

// The host's add-in list and the NoRemove keys above it.
const std::vector<Key> kAddinListKeys = {{"HKEY_LOCAL_MACHINE\\SOFTWARE", {}},
                                         {"HKEY_LOCAL_MACHINE\\SOFTWARE\\SolidWorks", {}},
                                         {"HKEY_LOCAL_MACHINE\\SOFTWARE\\SolidWorks\\AddIns", {}}};

// Everything that registration writes, in the order in which the registry exports it.
std::string RegisteredKeys()
{
    std::vector<Key> keys = {{"HKEY_CLASSES_ROOT\\CLSID", {}}};
    for (const std::vector<Key>& part :
         {ClassKeys(kAddin, "Facetor.SwAddin", "SwAddin Class"),
          ClassKeys(kHandler, "Facetor.BitmapHandler", "BitmapHandler Class"),
          ProgIdKeys(kHandler, "Facetor.BitmapHandler", "BitmapHandler Class"),
          ProgIdKeys(kAddin, "Facetor.SwAddin", "SwAddin Class"),
          std::vector<Key>{{"HKEY_CLASSES_ROOT\\Interface", {}}},
          InterfaceKeys("{235BD547-5FBB-4680-A8F1-F145460A560E}", "IBitmapHandler"),
          InterfaceKeys("{DEA7DE62-5A2E-4792-B605-2179F9C30CF1}", "IFacetor"), TypeLibraryKeys(),
          kAddinListKeys,
          std::vector<Key>{
              {"HKEY_LOCAL_MACHINE\\SOFTWARE\\SolidWorks\\AddIns\\" + kAddin,
               {"@=dword:00000000", "\"Description\"=\"Imports STL mesh files into new part documents.\"",
                "\"Title\"=\"Facetor for SolidWorks\""}}}})
        keys.insert(keys.end(), part.begin(), part.end());
    return Export(keys);
}

class ComServer : public testing::Test
{
protected:
    void TearDown() override
    {
        platform::DenyRegistryKeyCreation(L"");
        EXPECT_EQ(platform::OpenRegistryKeyCount(), 0);
    }

    platform::TemporaryRegistry m_registry;
    ServerModule m_module;
};

TEST_F(ComServer, RegistersItsClassesAndTypeLibraryMachineWideUnderTheSystemLocale)
{
    SetThreadLocale(0x0407);
    ASSERT_EQ(m_module.RegisterServer(), S_OK);
    EXPECT_EQ(platform::DumpRegistry(), RegisteredKeys());
    EXPECT_EQ(GetThreadLocale(), 0x0407u) << "the caller's locale comes back";
    SetThreadLocale(0x0409);
}

TEST_F(ComServer, RegisteringAgainLeavesOneSetOfKeys)
{
    ASSERT_EQ(m_module.RegisterServer(), S_OK);
    // What someone else left in a class key goes with its ForceRemove rebuild.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{A775C5FA-F67B-4FC9-A87A-B7379E0F36C1}\\Stray", 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    // The host keeps the add-in's state in the default value of its key; registering sets it back.
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            L"SOFTWARE\\SolidWorks\\AddIns\\{9DC703D8-4401-4818-B517-C4483408C615}", 0,
                            KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    const DWORD enabled = 1;
    RegSetValueExW(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enabled), sizeof enabled);
    RegCloseKey(key);
    ASSERT_NE(platform::DumpRegistry(), RegisteredKeys());
    ASSERT_EQ(m_module.RegisterServer(), S_OK);
    EXPECT_EQ(platform::DumpRegistry(), RegisteredKeys());
}

TEST_F(ComServer, UnregisteringRemovesTheKeysAndKeepsTheNoRemoveOnes)
{
    ASSERT_EQ(m_module.RegisterServer(), S_OK);
    SetThreadLocale(0x0407);
    ASSERT_EQ(m_module.UnregisterServer(), S_OK);
    EXPECT_EQ(GetThreadLocale(), 0x0407u);
    SetThreadLocale(0x0409);
    std::vector<Key> kept = {{"HKEY_CLASSES_ROOT\\CLSID", {}},
                             {"HKEY_CLASSES_ROOT\\Interface", {}},
                             {"HKEY_CLASSES_ROOT\\TypeLib", {}}};
    kept.insert(kept.end(), kAddinListKeys.begin(), kAddinListKeys.end());
    EXPECT_EQ(platform::DumpRegistry(), Export(kept));
}

TEST_F(ComServer, AFailingBitmapHandlerScriptStopsTheRestOfTheRegistration)
{
    // The handler's script fails half way; what it wrote of its block is taken back.
    platform::DenyRegistryKeyCreation(
        L"HKEY_CLASSES_ROOT\\CLSID\\{A775C5FA-F67B-4FC9-A87A-B7379E0F36C1}\\InprocServer32");
    SetThreadLocale(0x0407);
    EXPECT_EQ(m_module.RegisterServer(), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(GetThreadLocale(), 0x0407u);
    SetThreadLocale(0x0409);
    EXPECT_EQ(platform::DumpRegistry(), Export({{"HKEY_CLASSES_ROOT\\CLSID", {}}}));
}

TEST_F(ComServer, HandsOutOneCachedFactoryPerClassAndNothingForOtherClasses)
{
    struct Class
    {
        const CLSID& clsid;
        const IID& iid;
    };
    IClassFactory* factories[2] = {};
    int index = 0;
    for (const Class& c :
         {Class{CLSID_BitmapHandler, IID_IBitmapHandler}, Class{CLSID_Facetor, IID_ISwAddin}})
    {
        IClassFactory*& factory = factories[index++];
        IUnknown* again = nullptr;
        ASSERT_EQ(m_module.GetClassObject(c.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
                  S_OK);
        ASSERT_EQ(m_module.GetClassObject(c.clsid, IID_IUnknown, reinterpret_cast<void**>(&again)), S_OK);
        EXPECT_EQ(static_cast<IUnknown*>(factory), again);
        again->Release();
        void* none = reinterpret_cast<void*>(1);
        EXPECT_EQ(m_module.GetClassObject(c.clsid, IID_IDispatch, &none), E_NOINTERFACE);
        EXPECT_EQ(m_module.GetClassObject(c.clsid, IID_IClassFactory, nullptr), E_POINTER);

        // No aggregation, whatever the outer object asks for.
        IUnknown* outer = factory;
        EXPECT_EQ(factory->CreateInstance(outer, c.iid, &none), CLASS_E_NOAGGREGATION);
        EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &none), CLASS_E_NOAGGREGATION);
        EXPECT_EQ(none, nullptr);
        EXPECT_EQ(factory->CreateInstance(nullptr, c.iid, nullptr), E_POINTER);
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &none), E_NOINTERFACE);
    }
    EXPECT_NE(factories[0], factories[1]);
    for (IClassFactory* factory : factories)
        factory->Release();
    EXPECT_EQ(m_module.CanUnloadNow(), S_OK) << "a refused object does not stay behind";

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(m_module.GetClassObject(IID_IFacetor, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
}

TEST_F(ComServer, CanBeUnloadedOnceNoObjectFactoryOrServerLockIsLeft)
{
    EXPECT_EQ(m_module.CanUnloadNow(), S_OK);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(
        m_module.GetClassObject(CLSID_BitmapHandler, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    EXPECT_EQ(m_module.CanUnloadNow(), S_FALSE) << "a held factory";
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(m_module.CanUnloadNow(), S_FALSE) << "a server lock";
    ASSERT_EQ(
        m_module.GetClassObject(CLSID_BitmapHandler, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
    EXPECT_EQ(m_module.CanUnloadNow(), S_OK);

    ISwAddin* addin = m_module.Create<ISwAddin>(CLSID_Facetor, IID_ISwAddin);
    IBitmapHandler* handler = m_module.Create<IBitmapHandler>(CLSID_BitmapHandler, IID_IBitmapHandler);
    ASSERT_TRUE(addin && handler);
    EXPECT_EQ(m_module.CanUnloadNow(), S_FALSE) << "an add-in and a handler";
    handler->Release();
    EXPECT_EQ(m_module.CanUnloadNow(), S_FALSE) << "an add-in";
    addin->Release();
    EXPECT_EQ(m_module.CanUnloadNow(), S_OK);
}

TEST_F(ComServer, TheAddinAnswersItsCallbackNamesThroughTheRegisteredTypeLibrary)
{
    IDispatch* addin = m_module.Create<IDispatch>(CLSID_Facetor, IID_IDispatch);
    ASSERT_NE(addin, nullptr);
    auto idsOf = [&](std::vector<std::wstring> texts, std::vector<DISPID>& ids)
    {
        std::vector<LPOLESTR> names;
        for (std::wstring& text : texts)
            names.push_back(text.data());
        ids.assign(names.size(), 0);
        return addin->GetIDsOfNames(GUID_NULL, names.data(), UINT(names.size()), LOCALE_USER_DEFAULT,
                                    ids.data());
    };
    std::vector<DISPID> ids;
    EXPECT_EQ(idsOf({L"Facetor_Open"}, ids), TYPE_E_LIBNOTREGISTERED);
    ASSERT_EQ(m_module.RegisterServer(), S_OK);

    const struct
    {
        const wchar_t* name;
        DISPID id;
    } callbacks[] = {{L"ToolbarCallback0", 3}, {L"ToolbarEnable0", 4}, {L"Facetor_Import", 5},
                     {L"Facetor_Help", 6},     {L"Facetor_About", 8},  {L"facetor_open", 9}};
    for (const auto& callback : callbacks)
    {
        EXPECT_EQ(idsOf({callback.name}, ids), S_OK) << callback.name;
        EXPECT_EQ(ids, std::vector<DISPID>{callback.id}) << callback.name;
    }
    EXPECT_EQ(idsOf({L"Facetor_Open", L"path"}, ids), S_OK);
    EXPECT_EQ(ids, (std::vector<DISPID>{9, 0}));
    EXPECT_EQ(idsOf({L"Facetor_Close"}, ids), DISP_E_UNKNOWNNAME);

    // Invoked through the type information: the arguments are checked against the declared ones
    // before the method is called (an add-in without a connection then does nothing).
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ASSERT_EQ(
        addin->Invoke(4, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
        S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 1);
    VARIANT path = TextVariant(L"/nowhere/part.stl");
    DISPPARAMS one{&path, nullptr, 1, 0};
    EXPECT_EQ(
        addin->Invoke(9, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &one, nullptr, nullptr, nullptr),
        S_OK);
    EXPECT_EQ(
        addin->Invoke(9, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
        DISP_E_BADPARAMCOUNT);
    VariantClear(&path);
    addin->Release();
}
} // namespace
