#include "windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <stdlib.h>
#include <sys/stat.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
namespace fs = std::filesystem;

// A fresh folder holding files around "model*.dxf": matches in both letter cases, near misses and
// a folder whose name matches.
class FileSearch : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/facetor-search-XXXXXX";
        m_folder = mkdtemp(pattern);
        for (const char* name : {"model_1.dxf", "model_2.dxf", "model_3.DXF", "Model_4.dxf", "model_1.dxf1",
                                 "model.dxfx", "other.dxf", "model.tmp"})
            std::ofstream(fs::path(m_folder) / name) << "abc";
        fs::create_directory(fs::path(m_folder) / "model_x.dxf");
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::wstring Path(const std::string& name) const { return fs::path(m_folder + "/" + name).wstring(); }

    // The names that a search for `pattern` in the folder finds, in order; empty when none.
    std::vector<std::wstring> Find(const std::string& pattern)
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW(Path(pattern).c_str(), &data);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            names.push_back(data.cFileName);
        while (FindNextFileW(search, &data));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
        EXPECT_TRUE(FindClose(search));
        return names;
    }

    std::string m_folder;
};

TEST_F(FileSearch, WildcardsMatchLongNamesWhateverTheirLetterCase)
{
    EXPECT_THAT(Find("model*.dxf"),
                ElementsAre(L"model_1.dxf", L"model_2.dxf", L"model_3.DXF", L"Model_4.dxf", L"model_x.dxf"));
    EXPECT_THAT(Find("*.DXF"), ElementsAre(L"model_1.dxf", L"model_2.dxf", L"model_3.DXF", L"Model_4.dxf",
                                           L"model_x.dxf", L"other.dxf"));
    EXPECT_THAT(Find("model_?.dxf"),
                ElementsAre(L"model_1.dxf", L"model_2.dxf", L"model_3.DXF", L"Model_4.dxf", L"model_x.dxf"));
    // A '?' may stand for nothing where the name has its '.' or ends.
    EXPECT_THAT(Find("model_1?.dxf"), ElementsAre(L"model_1.dxf"));
    EXPECT_THAT(Find("other.dxf??"), ElementsAre(L"other.dxf"));
    EXPECT_THAT(Find("OTHER.DXF"), ElementsAre(L"other.dxf"));
    EXPECT_THAT(Find("model*.dxf1"), ElementsAre(L"model_1.dxf1"));
    EXPECT_THAT(Find("model_1"), IsEmpty());
    EXPECT_THAT(Find("nothing*.dxf"), IsEmpty());
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileSearch, MatchesCarryTheirAttributesAndSize)
{
    chmod((m_folder + "/other.dxf").c_str(), 0444);
    struct Case
    {
        const char* name;
        DWORD attributes;
        DWORD size;
    };
    const Case cases[] = {{"model_1.dxf", FILE_ATTRIBUTE_NORMAL, 3},
                          {"other.dxf", FILE_ATTRIBUTE_READONLY, 3},
                          {"model_x.dxf", FILE_ATTRIBUTE_DIRECTORY, 0}};
    for (const Case& c : cases)
    {
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW(Path(c.name).c_str(), &data);
        ASSERT_NE(search, INVALID_HANDLE_VALUE) << c.name;
        EXPECT_EQ(data.dwFileAttributes, c.attributes) << c.name;
        EXPECT_EQ(data.nFileSizeLow, c.size) << c.name;
        EXPECT_EQ(data.nFileSizeHigh, 0u) << c.name;
        EXPECT_STREQ(data.cAlternateFileName, L"") << c.name;
        EXPECT_FALSE(FindNextFileW(search, &data));
        EXPECT_TRUE(FindClose(search));
    }
}

TEST_F(FileSearch, MissingFolderAndBadHandles)
{
    WIN32_FIND_DATAW data;
    EXPECT_EQ(FindFirstFileW(Path("none/model*.dxf").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(FindFirstFileW(nullptr, &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(FindNextFileW(INVALID_HANDLE_VALUE, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

TEST_F(FileSearch, UnlinkRefusesReadOnlyFilesFoldersAndMissingFiles)
{
    chmod((m_folder + "/other.dxf").c_str(), 0444);
    struct Case
    {
        const char* name;
        int result, error;
        bool remains;
    };
    const Case cases[] = {{"model_1.dxf", 0, 0, false},
                          {"model_1.dxf", -1, ENOENT, false},
                          {"other.dxf", -1, EACCES, true},
                          {"model_x.dxf", -1, EACCES, true}};
    for (const Case& c : cases)
    {
        errno = 0;
        EXPECT_EQ(_wunlink(Path(c.name).c_str()), c.result) << c.name;
        EXPECT_EQ(errno, c.error) << c.name;
        EXPECT_EQ(fs::exists(fs::path(m_folder) / c.name), c.remains) << c.name;
    }
}
} // namespace
