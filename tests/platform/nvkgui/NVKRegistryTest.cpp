#include "NVKGUIUtils.h"
#include "NVKRegistry.h"
#include "registry_testing.h"

#include "ui/ScriptedDriver.h"

#include <gtest/gtest.h>

namespace
{
const wchar_t kKey[] = L"Software\\Maker\\Product";

TEST(NVKRegistry, IntegersAndFlagsAsDwordsOfTheCurrentUser)
{
    platform::TemporaryRegistry store;
    NVKRegistry registry;
    EXPECT_EQ(registry.SetKey(kKey, 1), 1);
    EXPECT_EQ(registry.ReadInt(L"Count", 3), 3);
    EXPECT_EQ(registry.ReadBool(L"Flag", 1), 1);
    EXPECT_EQ(registry.WriteInt(L"Count", -1), 1);
    EXPECT_EQ(registry.WriteBool(L"Flag", 5), 1);
    EXPECT_EQ(registry.WriteBool(L"Off", 0), 1);
    EXPECT_EQ(platform::DumpRegistry(), "Windows Registry Editor Version 5.00\n"
                                        "\n[HKEY_CURRENT_USER\\Software]\n"
                                        "\n[HKEY_CURRENT_USER\\Software\\Maker]\n"
                                        "\n[HKEY_CURRENT_USER\\Software\\Maker\\Product]\n"
                                        "\"Count\"=dword:ffffffff\n"
                                        "\"Flag\"=dword:00000001\n"
                                        "\"Off\"=dword:00000000\n");
    NVKRegistry again;
    again.SetKey(L"SOFTWARE\\maker\\product", 1);
    EXPECT_EQ(again.ReadInt(L"count", 0), -1);
    EXPECT_EQ(again.ReadBool(L"flag", 0), 1);
    EXPECT_EQ(platform::OpenRegistryKeyCount(), 0);
}

TEST(NVKRegistry, ReadsHandBackWhatIsStoredAndTheDefaultForAnythingElse)
{
    platform::TemporaryRegistry store;
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD two = 2;
    RegSetValueExW(key, L"Flag", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), sizeof two);
    RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"7"), 2 * sizeof(wchar_t));
    RegCloseKey(key);

    NVKRegistry registry;
    registry.SetKey(kKey, 1);
    EXPECT_EQ(registry.ReadBool(L"Flag", 0), 2); // not held to 0 and 1
    EXPECT_EQ(registry.ReadInt(L"Text", 9), 9);
    NVKRegistry machine;
    machine.SetKey(kKey, 0);
    EXPECT_EQ(machine.ReadInt(L"Flag", 4), 4);
    NVKRegistry unknownRoot;
    EXPECT_EQ(unknownRoot.SetKey(kKey, 2), 0);
    EXPECT_EQ(unknownRoot.WriteInt(L"Flag", 1), 0);
    EXPECT_EQ(unknownRoot.ReadInt(L"Flag", 4), 4);
}

TEST(NVKGUIUtils, AboutShowsTheCaption)
{
    ui::ScriptedDriver driver;
    ui::ScopedDriver scope(driver);
    NVKGUIUtils::About(L"Product 1.0", nullptr);
    HWND parent = reinterpret_cast<HWND>(0x10);
    NVKGUIUtils::About(L"Again", &parent);
    EXPECT_EQ(driver.log,
              (std::vector<std::string>{"About(\"Product 1.0\", null)", "About(\"Again\", 0x10)"}));
}
} // namespace
