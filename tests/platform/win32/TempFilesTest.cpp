#include "windows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include <sys/stat.h>

namespace
{
namespace fs = std::filesystem;

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// A fresh folder that TMPDIR names for the lifetime of a test.
class TempFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/facetor-temp-XXXXXX";
        m_folder = mkdtemp(pattern);
        const char* previous = std::getenv("TMPDIR");
        m_previous = previous ? previous : "";
        m_hadPrevious = previous != nullptr;
        setenv("TMPDIR", m_folder.c_str(), 1);
    }
    void TearDown() override
    {
        if (m_hadPrevious)
            setenv("TMPDIR", m_previous.c_str(), 1);
        else
            unsetenv("TMPDIR");
        fs::remove_all(m_folder);
    }

    std::wstring Folder() const { return std::wstring(m_folder.begin(), m_folder.end()) + L"/"; }

    std::string m_folder;
    std::string m_previous;
    bool m_hadPrevious = false;
};

TEST_F(TempFilesTest, TempPathIsTmpdirWithSeparatorAndReportsSizes)
{
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, buffer);
    EXPECT_EQ(buffer, Folder());
    EXPECT_EQ(length, Folder().size());
    wchar_t small[4];
    EXPECT_EQ(GetTempPathW(4, small), Folder().size() + 1);

    unsetenv("TMPDIR");
    GetTempPathW(MAX_PATH, buffer);
    EXPECT_STREQ(buffer, L"/tmp/");
}

TEST_F(TempFilesTest, NamesAreCreatedEmptyAndSteppedWhileTaken)
{
    wchar_t first[MAX_PATH], second[MAX_PATH];
    const UINT a = GetTempFileNameW(Folder().c_str(), L"swtXYZ", 0, first);
    const UINT b = GetTempFileNameW(Folder().c_str(), L"swtXYZ", 0, second);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(a, b);

    const std::regex form("swt([0-9A-F]{1,4})\\.TMP");
    for (const auto& [path, number] : {std::pair{first, a}, std::pair{second, b}})
    {
        const fs::path file(Narrow(path));
        EXPECT_EQ(file.parent_path(), fs::path(m_folder));
        std::smatch match;
        const std::string name = file.filename().string();
        ASSERT_TRUE(std::regex_match(name, match, form)) << name;
        EXPECT_NE(match[1].str()[0], '0') << "no leading zeros";
        EXPECT_EQ(std::stoul(match[1].str(), nullptr, 16), number);
        EXPECT_TRUE(fs::exists(file));
        EXPECT_EQ(fs::file_size(file), 0u);
    }
}

TEST_F(TempFilesTest, GivenNumberFormsTheNameAndCreatesNothing)
{
    wchar_t name[MAX_PATH];
    EXPECT_EQ(GetTempFileNameW(L"/nowhere", L"ab", 0x00A, name), 0x00Au);
    EXPECT_STREQ(name, L"/nowhere/abA.TMP");
    EXPECT_EQ(GetTempFileNameW(L"/nowhere/", L"swt", 0x12A3F, name), 0x2A3Fu);
    EXPECT_STREQ(name, L"/nowhere/swt2A3F.TMP");
}

TEST_F(TempFilesTest, MissingOrOverlongFolderFails)
{
    wchar_t name[MAX_PATH] = L"untouched";
    EXPECT_EQ(GetTempFileNameW((Folder() + L"missing").c_str(), L"swt", 0, name), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
    EXPECT_EQ(GetTempFileNameW(std::wstring(MAX_PATH - 13, L'a').c_str(), L"swt", 0, name), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_BUFFER_OVERFLOW));
    EXPECT_STREQ(name, L"untouched");
}

TEST_F(TempFilesTest, WrittenFileHoldsExactlyTheBytes)
{
    const std::wstring path = Folder() + L"out.bin";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "abcdef", 4, &written, nullptr));
    EXPECT_EQ(written, 4u);
    EXPECT_TRUE(CloseHandle(file));
    std::ifstream in(Narrow(path));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "abcd");

    EXPECT_EQ(CreateFileW((Folder() + L"no/such").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE);
}

TEST_F(TempFilesTest, DeleteRefusesReadOnlyFilesFoldersAndMissingFiles)
{
    const fs::path plain = fs::path(m_folder) / "plain", locked = fs::path(m_folder) / "locked";
    std::ofstream(plain) << "x";
    std::ofstream(locked) << "x";
    chmod(locked.c_str(), 0444);

    EXPECT_TRUE(DeleteFileW(plain.wstring().c_str()));
    EXPECT_FALSE(fs::exists(plain));
    EXPECT_FALSE(DeleteFileW(plain.wstring().c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileW(locked.wstring().c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(fs::exists(locked));
    EXPECT_FALSE(DeleteFileW(fs::path(m_folder).wstring().c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

TEST(ThreadLocale, StartsAsUserDefaultAndIsPerThread)
{
    const LCID before = GetThreadLocale();
    EXPECT_EQ(before, 0x409u);
    SetThreadLocale(LOCALE_SYSTEM_DEFAULT);
    EXPECT_EQ(GetThreadLocale(), DWORD(LOCALE_SYSTEM_DEFAULT));
    SetThreadLocale(before);
}
} // namespace
