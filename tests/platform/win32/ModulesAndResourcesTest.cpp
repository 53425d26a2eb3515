#include "platform_modules.h"
#include "windows.h"

#include "resources/TestResource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" int TestModuleFunction();

namespace
{
std::vector<BYTE> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return std::vector<BYTE>(data, data + SizeofResource(module, found));
}

DWORD DwordAt(const std::vector<BYTE>& bytes, size_t offset)
{
    DWORD value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::wstring ProgramPath()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return std::wstring(path, path + length);
}

TEST(Resources, DialogTemplateInItsBinaryForm)
{
    const std::vector<BYTE> expected = {
        0x01, 0x00, 0xFF, 0xFF, 0,    0,    0,    0,    0,    0,    0,    0,    0x40,
        0x00, 0xC0, 0x80,                                           // version, signature, help, ex, style
        0x01, 0x00, 0x01, 0x00, 0x02, 0x00, 0x1E, 0x00, 0x28, 0x00, // one control at 1, 2, 30 x 40
        0x00, 0x00, 0x00, 0x00,                                     // no menu, default class
        'A',  0,    ' ',  0,    '"',  0,    'b',  0,    '"',  0,    0,    0, // caption
        0x08, 0x00, 0x90, 0x01, 0x01, 0x02, 'F',  0,    0,    0,             // font 8, 400, italic, charset 2
        0,    0,    0,    0,    0,    0,    0,    0,    0x09, 0x00, 0x02, 0x50, // help, ex, style of the
                                                                                // control
        0x05, 0x00, 0x06, 0x00, 0x07, 0x00, 0x08, 0x00, 0xE9, 0x03, 0x00, 0x00, // rectangle, id 1001
        0xFF, 0xFF, 0x80, 0x00, 'x',  0,    0,    0,    0x00, 0x00,             // button, text, no extra data
    };
    EXPECT_EQ(ResourceBytes(nullptr, MAKEINTRESOURCEW(IDD_SMALL), RT_DIALOG), expected);
}

TEST(Resources, ControlStatementsGetTheirDefaultStyles)
{
    const std::vector<BYTE> bytes =
        ResourceBytes(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_STYLES), RT_DIALOG);
    ASSERT_GE(bytes.size(), 176u);
    EXPECT_EQ(DwordAt(bytes, 12), 0x80880000u);  // no STYLE: popup, border, system menu
    EXPECT_EQ(DwordAt(bytes, 40), 0x50000009u);  // AUTORADIOBUTTON without its tab stop
    EXPECT_EQ(DwordAt(bytes, 76), 0x50210003u);  // COMBOBOX: the list style replaces CBS_SIMPLE's bit
    EXPECT_EQ(DwordAt(bytes, 108), 0x50020000u); // LTEXT: SS_LEFT | WS_GROUP
    EXPECT_EQ(DwordAt(bytes, 140), 0x200u);      // extended style of CONTROL
    EXPECT_EQ(DwordAt(bytes, 144), 0x50000000u);
    const std::vector<BYTE> className = {'M', 0, 'y', 0, 'C', 0, 'l', 0, 'a', 0, 's', 0, 's', 0, 0, 0};
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + 160, bytes.begin() + 176), className);
}

TEST(Resources, RawDataFilesAndLookUp)
{
    const std::vector<BYTE> dialogInit = {0xEA, 0x03, 0x03, 0x04, 0x03, 0x00, 0x00,
                                          0x00, 'a',  'b',  0x00, 0x00, 0x00};
    EXPECT_EQ(ResourceBytes(nullptr, MAKEINTRESOURCEW(IDD_SMALL), RT_DLGINIT), dialogInit);
    // A bitmap resource leaves out the file header; other files are taken whole.
    EXPECT_EQ(ResourceBytes(nullptr, MAKEINTRESOURCEW(42), RT_BITMAP),
              std::vector<BYTE>({'D', 'I', 'B', 'D', 'A', 'T', 'A', '!'}));
    EXPECT_EQ(ResourceBytes(nullptr, L"#101", L"registry"),
              std::vector<BYTE>({'H', 'K', 'C', 'R', '\n', '{', '\n', '}', '\n'}));

    SetLastError(0);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(43), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(42), L"NOSUCHTYPE"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

TEST(Modules, EachModuleAnswersForItsOwnResourcesAndName)
{
    const HMODULE program = GetModuleHandleW(nullptr);
    const HMODULE testModule = GetModuleHandleW(L"testmodule"); // ".dll" is added
    ASSERT_NE(testModule, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"TESTMODULE.DLL"), testModule);
    EXPECT_EQ(platform::ModuleFromAddress(reinterpret_cast<const void*>(&TestModuleFunction)), testModule);
    EXPECT_EQ(platform::ModuleFromAddress(reinterpret_cast<const void*>(&ProgramPath)), program);
    EXPECT_EQ(GetModuleHandleW(L"NoSuchModule.dll"), nullptr);

    EXPECT_EQ(ResourceBytes(testModule, MAKEINTRESOURCEW(7), MAKEINTRESOURCEW(10)),
              std::vector<BYTE>({'m', 'o', 'd', 'u', 'l', 'e'}));
    EXPECT_EQ(FindResourceW(testModule, MAKEINTRESOURCEW(IDD_SMALL), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceW(program, MAKEINTRESOURCEW(7), MAKEINTRESOURCEW(10)), nullptr);

    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(testModule, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::wstring(path).size(), length);
    EXPECT_EQ(std::wstring(path).substr(length - 15), L"/TestModule.dll");
    EXPECT_EQ(path[0], L'/');
    // With a folder the whole path must match.
    EXPECT_EQ(GetModuleHandleW(path), testModule);
    EXPECT_EQ(GetModuleHandleW((std::wstring(path, length - 15) + L"/./TestModule").c_str()), testModule);
    EXPECT_EQ(GetModuleHandleW(L"/elsewhere/TestModule.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(ProgramPath().c_str()), program);
}

TEST(Modules, FileNameOfTheProgramAndTheBufferRules)
{
    const std::wstring program = ProgramPath();
    wchar_t path[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameW(nullptr, path, MAX_PATH), program.size());
    EXPECT_EQ(std::wstring(path), program);
    EXPECT_EQ(GetModuleFileNameW(GetModuleHandleW(nullptr), path, MAX_PATH), program.size());

    wchar_t small[5] = {L'?', L'?', L'?', L'?', L'?'};
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 5), 5u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::wstring(small), program.substr(0, 4));

    EXPECT_EQ(GetModuleFileNameW(reinterpret_cast<HMODULE>(16), path, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
}
} // namespace
