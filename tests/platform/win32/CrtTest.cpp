#include "windows.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <string>

namespace
{
struct SplitCase
{
    std::wstring path, drive, dir, fname, ext;
};

TEST(Crt, SplitPathFollowsTheUniversalCrt)
{
    const std::wstring longName(300, L'n');
    const SplitCase cases[] = {
        {L"C:\\Models\\part.stl", L"C:", L"\\Models\\", L"part", L".stl"},
        {L"/home/u/Facetor.dll", L"", L"/home/u/", L"Facetor", L".dll"},
        {L"C:/mixed\\seps/f.x", L"C:", L"/mixed\\seps/", L"f", L".x"},
        {L"\\\\server\\share\\f.x", L"", L"\\\\server\\share\\", L"f", L".x"},
        {L"a.b.c", L"", L"", L"a.b", L".c"},
        {L"file.", L"", L"", L"file", L"."},
        {L".hidden", L"", L"", L"", L".hidden"},
        {L"C:\\x.stl\\part", L"C:", L"\\x.stl\\", L"part", L""},
        {L"1:", L"1:", L"", L"", L""}, // the drive letter is not checked
        {L"", L"", L"", L"", L""},
        {L"C:\\dir\\" + longName + L".txt", L"", L"", L"", L""}, // a part that does not fit empties all
    };
    for (const SplitCase& c : cases)
    {
        wchar_t drive[_MAX_DRIVE] = L"?", dir[_MAX_DIR] = L"?", fname[_MAX_FNAME] = L"?",
                ext[_MAX_EXT] = L"?";
        errno = 0;
        _wsplitpath(c.path.c_str(), drive, dir, fname, ext);
        EXPECT_EQ(drive, c.drive) << c.path.size();
        EXPECT_EQ(dir, c.dir);
        EXPECT_EQ(fname, c.fname);
        EXPECT_EQ(ext, c.ext);
        EXPECT_EQ(errno, c.path.size() > 255 ? ERANGE : 0);
    }
    wchar_t dir[_MAX_DIR];
    _wsplitpath(L"C:\\a\\b.c", nullptr, dir, nullptr, nullptr); // outputs may be skipped
    EXPECT_EQ(std::wstring(dir), L"\\a\\");
}

TEST(Crt, WtoiClampsToTheRangeOfInt)
{
    const struct
    {
        const wchar_t* text;
        int value;
        int error;
    } cases[] = {
        {L"42", 42, 0},
        {L" \t-17xyz", -17, 0},
        {L"+8", 8, 0},
        {L"abc", 0, 0},
        {L"0x10", 0, 0},
        {L"2147483647", INT_MAX, 0},
        {L"-2147483648", INT_MIN, 0},
        {L"2147483648", INT_MAX, ERANGE},
        {L"-99999999999999999999", INT_MIN, ERANGE},
    };
    for (const auto& c : cases)
    {
        errno = 0;
        EXPECT_EQ(_wtoi(c.text), c.value) << c.text;
        EXPECT_EQ(errno, c.error) << c.text;
    }
}
} // namespace

TEST(Crt, WideTextIntoTheAnsiCodePage)
{
    const struct
    {
        const wchar_t* text;
        int count;
        std::string bytes; // with the null when the count takes it
        bool usedDefault;
    } cases[] = {
        {L"21.0.0", -1, std::string("21.0.0", 7), false},
        {L"caf\u00e9 \u20ac\u2122", -1, std::string("caf\xe9 \x80\x99", 8), false},
        {L"\u4e2d1", 2, "?1", true},
        {L"\u0081\u0080", 2, "\x81?", true}, // an undefined byte keeps its control character
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        const int needed =
            WideCharToMultiByte(CP_THREAD_ACP, 0, c.text, c.count, nullptr, 0, nullptr, nullptr);
        ASSERT_EQ(needed, int(c.bytes.size()));
        std::string bytes(size_t(needed), 'x');
        BOOL usedDefault = -1;
        EXPECT_EQ(
            WideCharToMultiByte(CP_ACP, 0, c.text, c.count, bytes.data(), needed, nullptr, &usedDefault),
            needed);
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(usedDefault, c.usedDefault ? TRUE : FALSE);
    }
    char small[3];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"abc", -1, small, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(WideCharToMultiByte(65001, 0, L"abc", -1, small, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}
