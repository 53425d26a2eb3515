#include "afxwin.h"
#include "win32_testing.h"

#include <gtest/gtest.h>

TEST(CString, NullAndBstrConstruction)
{
    EXPECT_TRUE(CString((const wchar_t*)nullptr).IsEmpty());
    BSTR b = SysAllocStringLen(L"ab\0cd", 5);
    EXPECT_EQ(CString(b), L"ab"); // a BSTR is copied up to its first null
    SysFreeString(b);
}

TEST(CString, FindLeftMidClampLikeTheFramework)
{
    CString s(L"C:\\x.stl\\part.stl");
    EXPECT_EQ(s.Find(L".stl"), 4);
    EXPECT_EQ(s.Find(L".stl", 5), 13);
    EXPECT_EQ(s.Find(L".stl", 100), -1);
    EXPECT_EQ(s.Find(L"", 3), 3);
    EXPECT_EQ(s.Find(L'x', s.GetLength()), -1);
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Left(8), L"C:\\x.stl");
    EXPECT_EQ(s.Left(99), s);
    EXPECT_EQ(s.Mid(14), L"stl");
    EXPECT_EQ(s.Mid(-3, 2), L"C:");
    EXPECT_EQ(s.Mid(99), L"");
    CString lower(L"PART.ÄSTL");
    lower.MakeLower();
    EXPECT_EQ(lower, L"part.Ästl"); // C locale: only A to Z change
}

TEST(CString, FormatTakesWideStringsForPercentS)
{
    CString caption;
    caption.Format(L"%s %s version %d.%d", L"Facetor for", L"SolidWorks 2013", 1, 0);
    EXPECT_EQ(caption, L"Facetor for SolidWorks 2013 version 1.0");
    CString mixed;
    mixed.Format(L"%S|%c|%5.2f|%%|%I64d|%ls", "narrow", L'w', 3.14159, (long long)1 << 40, L"long");
    EXPECT_EQ(mixed, L"narrow|w| 3.14|%|1099511627776|long");
    CString longText;
    longText.Format(L"%s", std::wstring(1000, L'x').c_str());
    EXPECT_EQ(longText.GetLength(), 1000);
}

TEST(CString, AllocSysStringIsFreedByTheCaller)
{
    const long before = platform::LiveBstrCount();
    BSTR b = CString(L"path").AllocSysString();
    EXPECT_EQ(SysStringLen(b), 4u);
    EXPECT_EQ(platform::LiveBstrCount(), before + 1);
    SysFreeString(b);
    EXPECT_EQ(platform::LiveBstrCount(), before);
}
