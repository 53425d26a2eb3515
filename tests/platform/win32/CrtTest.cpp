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
