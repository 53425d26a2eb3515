#include "oleauto.h"
#include "win32_testing.h"

#include <gtest/gtest.h>

TEST(Bstr, AllocationRulesAndLiveCount)
{
    const long before = platform::LiveBstrCount();
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    BSTR empty = SysAllocString(L"");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    BSTR withNull = SysAllocStringLen(L"a\0b", 3);
    EXPECT_EQ(SysStringLen(withNull), 3u);
    EXPECT_EQ(SysStringByteLen(withNull), 3 * sizeof(OLECHAR));
    EXPECT_EQ(withNull[3], 0);
    EXPECT_EQ(platform::LiveBstrCount(), before + 2);
    SysFreeString(empty);
    SysFreeString(withNull);
    SysFreeString(nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(platform::LiveBstrCount(), before);
}
