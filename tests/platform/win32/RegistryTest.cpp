#include "registry_testing.h"
#include "windows.h"

#include "ui/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace
{
void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

LSTATUS SetString(HKEY key, const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ)
{
    return RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                          DWORD((text.size() + 1) * sizeof(wchar_t)));
}

LSTATUS SetDword(HKEY key, const wchar_t* name, DWORD value)
{
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// The value as a string, "<missing>" when it is not there.
std::wstring QueryString(HKEY root, const wchar_t* subKey, const wchar_t* name)
{
    HKEY key;
    if (RegOpenKeyExW(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"<missing>";
    wchar_t buffer[256] = {};
    DWORD size = sizeof buffer;
    const LSTATUS result =
        RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? buffer : L"<missing>";
}

DWORD QueryDword(HKEY root, const wchar_t* subKey, const wchar_t* name)
{
    HKEY key;
    DWORD value = 0xDEADBEEF, size = sizeof value;
    if (RegOpenKeyExW(root, subKey, 0, KEY_READ, &key) == ERROR_SUCCESS)
    {
        RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
    }
    return value;
}

class Registry : public ::testing::Test
{
protected:
    void TearDown() override { EXPECT_EQ(platform::OpenRegistryKeyCount(), m_openKeysBefore); }

    platform::TemporaryRegistry m_store;
    long m_openKeysBefore = platform::OpenRegistryKeyCount();
};

TEST_F(Registry, SavesEveryKindInTheExportFormatWithNamesKeptAsCreated)
{
    HKEY key;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Maker\\Product", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    EXPECT_EQ(SetString(key, L"Path", L"C:\\x \"quoted\""), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(key, L"Count", 42), ERROR_SUCCESS);
    EXPECT_EQ(SetString(key, nullptr, L"default"), ERROR_SUCCESS);
    const BYTE blob[] = {0x01, 0xff};
    EXPECT_EQ(RegSetValueExW(key, L"Blob", 0, REG_BINARY, blob, sizeof blob), ERROR_SUCCESS);
    EXPECT_EQ(SetString(key, L"Expand", L"A", REG_EXPAND_SZ), ERROR_SUCCESS);
    // Another spelling of the same value replaces its data and keeps its first spelling.
    EXPECT_EQ(SetDword(key, L"COUNT", 7), ERROR_SUCCESS);
    RegCloseKey(key);

    HKEY again;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\maker\\PRODUCT", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
    RegCloseKey(again);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Empty", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &again, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(again);

    std::string expandBytes;
    for (size_t i = 0; i < 2 * sizeof(wchar_t); ++i)
        expandBytes += (i ? "," : "") + std::string(i == 0 ? "41" : "00");
    EXPECT_EQ(platform::DumpRegistry(), "Windows Registry Editor Version 5.00\n"
                                        "\n[HKEY_CURRENT_USER\\Software]\n"
                                        "\n[HKEY_CURRENT_USER\\Software\\Maker]\n"
                                        "\n[HKEY_CURRENT_USER\\Software\\Maker\\Product]\n"
                                        "\"Path\"=\"C:\\\\x \\\"quoted\\\"\"\n"
                                        "\"Count\"=dword:00000007\n"
                                        "@=\"default\"\n"
                                        "\"Blob\"=hex:01,ff\n"
                                        "\"Expand\"=hex(2):" +
                                            expandBytes +
                                            "\n"
                                            "\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
                                            "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Empty]\n");
    EXPECT_EQ(QueryString(HKEY_CURRENT_USER, L"software\\MAKER\\product", L"path"), L"C:\\x \"quoted\"");
    EXPECT_EQ(QueryString(HKEY_CURRENT_USER, L"Software\\Maker\\Product", L""), L"default");
    EXPECT_EQ(QueryDword(HKEY_CURRENT_USER, L"Software\\Maker\\Product", L"count"), 7u);
    EXPECT_EQ(QueryString(HKEY_LOCAL_MACHINE, L"Software\\Maker\\Product", L"Path"), L"<missing>");
}

TEST_F(Registry, ReadsAHandWrittenFile)
{
    WriteFile(m_store.Path(), "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
                              "\r\n"
                              "; a comment\r\n"
                              "[hkey_classes_root\\Thing.1\\CLSID]\r\n"
                              "@=\"{1234}\"\r\n"
                              "\"Bytes\"=hex:01,02,\\\r\n"
                              "  03\r\n"
                              "\"N\"=dword:FFFFFFFF\r\n");
    EXPECT_EQ(QueryString(HKEY_CLASSES_ROOT, L"Thing.1\\clsid", nullptr), L"{1234}");
    EXPECT_EQ(QueryDword(HKEY_CLASSES_ROOT, L"Thing.1\\CLSID", L"N"), 0xFFFFFFFFu);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Thing.1\\CLSID", 0, KEY_READ, &key), ERROR_SUCCESS);
    BYTE bytes[3] = {};
    DWORD size = sizeof bytes, type = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"Bytes", nullptr, &type, bytes, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(bytes[2], 3);
    RegCloseKey(key);
}

TEST_F(Registry, BufferRulesOfQueriesAndEnumeration)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"K", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    SetString(key, L"second", L"abc");
    SetString(key, L"first", L"x");
    for (const wchar_t* child : {L"b", L"C", L"a"})
    {
        HKEY sub;
        ASSERT_EQ(RegCreateKeyExW(key, child, 0, nullptr, 0, 0, nullptr, &sub, nullptr), ERROR_SUCCESS);
        RegCloseKey(sub);
    }

    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"second", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 4 * sizeof(wchar_t));
    BYTE small[4];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExW(key, L"second", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4 * sizeof(wchar_t));
    EXPECT_EQ(RegQueryValueExW(key, L"third", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

    // Subkeys come sorted without regard to case, values in the order they were made.
    std::wstring names;
    wchar_t name[8];
    for (DWORD i = 0;; ++i)
    {
        DWORD count = 8;
        if (RegEnumKeyExW(key, i, name, &count, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        EXPECT_EQ(count, 1u);
        names += name;
    }
    EXPECT_EQ(names, L"abC");
    DWORD tooShort = 1;
    EXPECT_EQ(RegEnumKeyExW(key, 0, name, &tooShort, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    DWORD count = 8;
    EXPECT_EQ(RegEnumKeyExW(key, 3, name, &count, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    count = 8;
    EXPECT_EQ(RegEnumValueW(key, 0, name, &count, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(name), L"second");
    EXPECT_EQ(type, DWORD(REG_SZ));

    DWORD subkeys = 0, values = 0, longestName = 0, largest = 0;
    EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                               &longestName, &largest, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 3u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(longestName, 6u);
    EXPECT_EQ(largest, 4 * sizeof(wchar_t));
    RegCloseKey(key);
}

TEST_F(Registry, DeletingKeysAndValues)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"A\\B", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    SetDword(key, L"v", 1);
    EXPECT_EQ(RegDeleteValueW(key, L"V"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key, L"v"), ERROR_FILE_NOT_FOUND);
    SetDword(key, L"v", 1);

    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"a"), ERROR_ACCESS_DENIED); // it has a subkey
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"a\\b"), ERROR_SUCCESS);    // its values go with it
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"a\\b"), ERROR_FILE_NOT_FOUND);
    // The open handle now names a key that is gone.
    EXPECT_EQ(SetDword(key, L"v", 2), ERROR_KEY_DELETED);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"A"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"A", 0, 0, &key), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"\\lead", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_BAD_PATHNAME);
}

TEST_F(Registry, DeletingATreeTakesEverythingBelowTheKey)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"A\\B\\C", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    SetDword(key, L"v", 1);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"A", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    SetDword(key, L"w", 2);
    EXPECT_EQ(RegDeleteTreeW(key, L"b"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeW(key, L"B"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"A"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"A", 0, 0, &key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"E\\F", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"E", 0, 0, &key), ERROR_SUCCESS);
    SetDword(key, L"x", 3);
    // Without a subkey the key itself stays, emptied.
    EXPECT_EQ(RegDeleteTreeW(key, nullptr), ERROR_SUCCESS);
    DWORD subkeys = 9, values = 9;
    EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys + values, 0u);
    RegCloseKey(key);
}

TEST_F(Registry, TestsCanDenyCreatingAKeyAndWhatLiesBelowIt)
{
    platform::DenyRegistryKeyCreation(L"HKEY_LOCAL_MACHINE\\Locked");
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"LOCKED", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Locked\\Inner", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Locked", 0, 0, &key), ERROR_FILE_NOT_FOUND)
        << "nothing was made";
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"LockedNot", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    platform::DenyRegistryKeyCreation(L"");
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Locked", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(Registry, ProcessesSeeEachOthersWritesAndNoneIsLost)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Shared", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    constexpr int kChildren = 4, kWritesEach = 25;
    pid_t children[kChildren];
    for (int c = 0; c < kChildren; ++c)
    {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0)
        {
            bool ok = true;
            for (int i = 0; i < kWritesEach; ++i)
                ok = SetDword(key, (L"c" + std::to_wstring(c) + L"_" + std::to_wstring(i)).c_str(),
                              DWORD(i)) == ERROR_SUCCESS &&
                     ok;
            _exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children)
    {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    DWORD values = 0;
    EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, DWORD(kChildren * kWritesEach));
    EXPECT_EQ(QueryDword(HKEY_CURRENT_USER, L"Shared", L"C3_24"), 24u);
    RegCloseKey(key);
}

TEST_F(Registry, ADamagedFileIsKeptAsideAndReported)
{
    const std::string damaged =
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n\"v\"=dword:12\n";
    WriteFile(m_store.Path(), damaged);
    ui::ScriptedDriver driver;
    ui::ScopedDriver scope(driver);

    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"K", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(SetDword(key, L"w", 1), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(ReadFile(m_store.Path() + ".damaged"), damaged);
    ASSERT_EQ(driver.messageBoxes.size(), 1u);
    EXPECT_EQ(driver.messageBoxes[0].text,
              std::filesystem::path(m_store.Path()).wstring() +
                  L" could not be read (line 4: a dword needs eight hexadecimal digits). It was kept as " +
                  std::filesystem::path(m_store.Path() + ".damaged").wstring() +
                  L" and the settings start afresh.");
    EXPECT_EQ(driver.messageBoxes[0].flags, UINT(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(platform::DumpRegistry(),
              "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n\"w\"=dword:00000001\n");

    // A second damaged file does not take the first one's place.
    WriteFile(m_store.Path(), "not a registry file\n");
    EXPECT_EQ(QueryDword(HKEY_CURRENT_USER, L"K", L"w"), 0xDEADBEEFu);
    EXPECT_EQ(ReadFile(m_store.Path() + ".damaged"), damaged);
    EXPECT_EQ(ReadFile(m_store.Path() + ".damaged-2"), "not a registry file\n");
    EXPECT_EQ(driver.messageBoxes.size(), 2u);
}

TEST(RegistryPath, EnvironmentThenPerUserDefault)
{
    const std::string previous = platform::RegistryPath();
    platform::SetRegistryPath("");
    setenv("FACETOR_REGISTRY", "/tmp/chosen.reg", 1);
    EXPECT_EQ(platform::RegistryPath(), "/tmp/chosen.reg");
    unsetenv("FACETOR_REGISTRY");
    setenv("XDG_CONFIG_HOME", "/tmp/config", 1);
    EXPECT_EQ(platform::RegistryPath(), "/tmp/config/facetor/registry.reg");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::RegistryPath(), std::string(std::getenv("HOME")) + "/.config/facetor/registry.reg");
    platform::SetRegistryPath(previous == platform::RegistryPath() ? "" : previous);
}
} // namespace
