#include "registry_testing.h"
#include "statreg.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class Registrar : public testing::Test
{
protected:
    HRESULT Register(const wchar_t* script) { return m_registrar.StringRegister(script); }
    HRESULT Unregister(const wchar_t* script) { return m_registrar.StringUnregister(script); }

    // The keys and values below HKEY_CURRENT_USER\Test, as the registry exports them.
    static std::string Keys()
    {
        const std::string all = platform::DumpRegistry();
        std::string keys;
        const std::string section = "[HKEY_CURRENT_USER\\Test";
        for (size_t at = all.find(section); at != std::string::npos; at = all.find(section, at + 1))
        {
            std::string block = all.substr(at, std::min(all.find("\n\n", at), all.size()) - at);
            while (block.back() == '\n')
                block.pop_back();
            keys += block + "\n";
        }
        return keys;
    }

    static void CreateKey(const wchar_t* path, const wchar_t* value = nullptr)
    {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        if (value)
            RegSetValueExW(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 2 * sizeof(wchar_t));
        RegCloseKey(key);
    }

    platform::TemporaryRegistry m_registry;
    CRegObject m_registrar;
};

TEST_F(Registrar, WritesKeysDefaultValuesAndNamedValuesOfEveryType)
{
    ASSERT_EQ(Register(L"HKCU { Test = s 'It''s' { Number = d '4294967295' { val Bytes = b '00FF7a' }\r\n"
                       L"\tval Many = m 'one\\0two' val Empty = s '' val Zero = d 0 } }"),
              S_OK);
    EXPECT_EQ(Keys(),
              "[HKEY_CURRENT_USER\\Test]\n"
              "@=\"It's\"\n"
              "\"Many\"=hex(7):6f,00,00,00,6e,00,00,00,65,00,00,00,00,00,00,00,74,00,00,00,77,00,00,00,6f,"
              "00,00,00,00,00,00,00,00,00,00,00\n"
              "\"Empty\"=\"\"\n"
              "\"Zero\"=dword:00000000\n"
              "[HKEY_CURRENT_USER\\Test\\Number]\n"
              "@=dword:ffffffff\n"
              "\"Bytes\"=hex:00,ff,7a\n");
    EXPECT_EQ(platform::OpenRegistryKeyCount(), 0);
}

TEST_F(Registrar, ReplacesNamesOverTheWholeTextBeforeAnythingIsWritten)
{
    m_registrar.AddReplacement(L"Module", L"/opt/It''s here.dll");
    m_registrar.AddReplacement(L"APPID", L"");
    m_registrar.AddReplacement(L"module", L"ignored: the first of a name counts");
    ASSERT_EQ(Register(L"HKCU { Test = s '%MODULE%' { 'Server%appid%' = s '100%%' } }"), S_OK);
    EXPECT_EQ(Keys(), "[HKEY_CURRENT_USER\\Test]\n@=\"/opt/It's here.dll\"\n"
                      "[HKEY_CURRENT_USER\\Test\\Server]\n@=\"100%\"\n");

    const struct
    {
        const wchar_t* script;
        HRESULT result;
    } failures[] = {
        {L"HKCU { Other = s '%UNKNOWN%' }", DISP_E_EXCEPTION},
        {L"HKCU { Other = s '%MODULE' }", DISP_E_EXCEPTION},
        {L"HKCU { Other = s '%ABCDEFGHIJKLMNOPQRSTUVWXYZ012345%' }", E_FAIL},
    };
    for (const auto& failure : failures)
        EXPECT_EQ(Register(failure.script), failure.result) << failure.script;
    EXPECT_EQ(platform::DumpRegistry().find("Other"), std::string::npos);
}

TEST_F(Registrar, ForceRemoveRebuildsAKeyAndOtherKeysKeepWhatTheyHold)
{
    CreateKey(L"Test\\Forced\\Old", L"stale");
    CreateKey(L"Test\\Kept\\Old", L"kept");
    CreateKey(L"Test\\CLSID\\Other");
    ASSERT_EQ(Register(L"HKCU { NoRemove Test { ForceRemove Forced = d 0 { New } Kept { New }"
                       L" ForceRemove CLSID { New } } }"),
              S_OK);
    EXPECT_EQ(Keys(), "[HKEY_CURRENT_USER\\Test]\n"
                      "[HKEY_CURRENT_USER\\Test\\CLSID]\n"
                      "[HKEY_CURRENT_USER\\Test\\CLSID\\New]\n"
                      "[HKEY_CURRENT_USER\\Test\\CLSID\\Other]\n" // CLSID is never removed by force
                      "[HKEY_CURRENT_USER\\Test\\Forced]\n@=dword:00000000\n"
                      "[HKEY_CURRENT_USER\\Test\\Forced\\New]\n"
                      "[HKEY_CURRENT_USER\\Test\\Kept]\n"
                      "[HKEY_CURRENT_USER\\Test\\Kept\\New]\n"
                      "[HKEY_CURRENT_USER\\Test\\Kept\\Old]\n\"kept\"=\"x\"\n");

    ASSERT_EQ(Register(L"HKCU { Test { Delete Forced  Delete CLSID } }"), S_OK);
    EXPECT_EQ(Keys().find("Forced"), std::string::npos);
    EXPECT_NE(Keys().find("Test\\CLSID\\Other"), std::string::npos);
}

TEST_F(Registrar, UnregistrationRemovesOnlyWhatNothingElseStillUses)
{
    const wchar_t* script = L"HKCU { NoRemove Test { Plain = s 'p' { Child { val Named = s 'n' } }"
                            L" Shared { Child } Valued { NoRemove val Spared = s 's' }"
                            L" val Listed = s 'l' NoRemove val Kept = s 'k' Missing { Deeper } } }";
    ASSERT_EQ(Register(script), S_OK);
    CreateKey(L"Test\\Shared\\Foreign");
    CreateKey(L"Test\\Plain", L"unlisted");
    ASSERT_EQ(Unregister(L"HKCU { Test { Missing } }"), S_OK) << "missing keys are passed over";
    ASSERT_EQ(Unregister(script), S_OK);
    // Plain goes with a value the script does not list, and Valued with its NoRemove value: a key
    // without subkeys goes whole. Shared stays for its foreign subkey but loses its listed child.
    // Test is NoRemove and keeps its NoRemove value.
    EXPECT_EQ(Keys(), "[HKEY_CURRENT_USER\\Test]\n\"Kept\"=\"k\"\n"
                      "[HKEY_CURRENT_USER\\Test\\Shared]\n"
                      "[HKEY_CURRENT_USER\\Test\\Shared\\Foreign]\n");
    EXPECT_EQ(platform::OpenRegistryKeyCount(), 0);
}

TEST_F(Registrar, AFailingRootBlockIsTakenBackAndTheBlocksBeforeItStay)
{
    EXPECT_EQ(Register(L"HKCU { Test { First } } HKCU { Test { Second = s 'x' { Third = d 'three' } } }"),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Keys(), "[HKEY_CURRENT_USER\\Test]\n[HKEY_CURRENT_USER\\Test\\First]\n");
}

TEST_F(Registrar, RefusesScriptsThatDoNotParse)
{
    const struct
    {
        const wchar_t* script;
        HRESULT result;
    } cases[] = {
        {L"HKXX { Test }", DISP_E_EXCEPTION},
        {L"HKCU Test", DISP_E_EXCEPTION},
        {L"HKCU { Test = s 'open }", DISP_E_EXCEPTION},
        {L"HKCU { Test\\Sub }", DISP_E_EXCEPTION},
        {L"HKCU { Test { val Name s 'x' } }", DISP_E_EXCEPTION},
        {L"HKCU { Test = q 'x' }", DISP_E_EXCEPTION},
        {L"HKCU { Delete Test = s 'x' }", DISP_E_EXCEPTION},
        {L"HKCU { Test { ", DISP_E_EXCEPTION},
        {L"HKCU { Test = b 'ABC' }", E_FAIL},
        {L"HKCU { Test = b 'XY' }", E_FAIL},
        {L"HKCU { Test = d '4294967296' }", DISP_E_OVERFLOW},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Register(c.script), c.result) << c.script;
    EXPECT_EQ(Keys(), "");
}

TEST_F(Registrar, RunsScriptResourcesOfALoadedModule)
{
    WCHAR program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    ASSERT_EQ(m_registrar.ResourceRegister(program, 7, L"REGISTRY"), S_OK);
    EXPECT_NE(platform::DumpRegistry().find("[HKEY_CURRENT_USER\\Sample]\n@=\"From a resource\""),
              std::string::npos);
    ASSERT_EQ(m_registrar.ResourceUnregister(program, 7, L"registry"), S_OK);
    EXPECT_EQ(platform::DumpRegistry().find("Sample"), std::string::npos);
    EXPECT_EQ(m_registrar.ResourceRegister(program, 8, L"REGISTRY"),
              HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(m_registrar.ResourceRegister(L"/no/such/Module.dll", 7, L"REGISTRY"),
              HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
}
} // namespace
