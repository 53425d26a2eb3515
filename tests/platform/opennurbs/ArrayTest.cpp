#include "opennurbs.h"

#include <gtest/gtest.h>

namespace
{
// Counts live objects so that construction and destruction are visible.
struct Tracked
{
    static inline int live = 0;
    int value = 0;
    Tracked() { live++; }
    Tracked(const Tracked& t) : value(t.value) { live++; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { live--; }
};
} // namespace

TEST(SimpleArray, GrowsToFourThenDoubles)
{
    ON_SimpleArray<int> a;
    const int expected_capacity[] = {4, 4, 4, 4, 8, 8, 8, 8, 16};
    for (int i = 0; i < 9; i++)
    {
        a.Append(i);
        EXPECT_EQ(a.Count(), i + 1);
        EXPECT_EQ(a.Capacity(), expected_capacity[i]);
    }
    ON_SimpleArray<int> three(3);
    for (int i = 0; i < 4; i++)
    {
        three.Append(i);
    }
    EXPECT_EQ(three.Capacity(), 6);
}

// A large array made at its size is placed otherwise than one that grows into it; the elements
// must survive every move between the two, up and down.
TEST(SimpleArray, ElementsSurviveMovesOfLargeBlocks)
{
    constexpr int kCount = 3 << 20; // 12 MiB of ints
    ON_SimpleArray<int> a(kCount);
    for (int i = 0; i < 2 * kCount; i++) // grows once past its first block
    {
        a.Append(i * 7);
    }
    auto kept = [&a](int count)
    {
        for (int i = 0; i < count; i++)
        {
            if (a[i] != i * 7)
            {
                return i;
            }
        }
        return -1;
    };
    EXPECT_EQ(kept(2 * kCount), -1);
    a.SetCapacity(kCount + 1);
    EXPECT_EQ(kept(kCount + 1), -1);
    a.SetCapacity(5);
    ASSERT_EQ(a.Count(), 5);
    EXPECT_EQ(kept(5), -1);
    a.SetCapacity(kCount);
    EXPECT_EQ(a.Count(), 5);
    EXPECT_EQ(kept(5), -1);
    a.SetCount(kCount);
    a[kCount - 1] = 1;
    EXPECT_EQ(a[kCount - 1], 1);
}

TEST(SimpleArray, AppendOfOwnElementWhileGrowing)
{
    ON_SimpleArray<ON_3dPoint> a;
    for (int i = 0; i < 4; i++)
    {
        a.Append(ON_3dPoint(i, i, i));
    }
    a.Append(a[1]);
    EXPECT_EQ(a[4], ON_3dPoint(1, 1, 1));
    a[1].x = 9;
    EXPECT_EQ(a[4].x, 1);
}

TEST(SimpleArray, CountCapacityAndEmptying)
{
    ON_SimpleArray<int> a(4);
    EXPECT_EQ(a.Count(), 0);
    EXPECT_EQ(a.Capacity(), 4);
    a.Append(5);
    a.SetCount(10);
    EXPECT_EQ(a.Count(), 1);
    a.SetCount(3);
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(a.At(3), nullptr);
    EXPECT_EQ(a.At(-1), nullptr);
    EXPECT_EQ(*a.At(0), 5);
    EXPECT_EQ(a.AppendNew(), 0);

    a.Empty();
    EXPECT_EQ(a.Count(), 0);
    EXPECT_EQ(a.Capacity(), 4);
    EXPECT_EQ(a.Array()[0], 0);
    a.Destroy();
    EXPECT_EQ(a.Capacity(), 0);
    EXPECT_EQ(a.Array(), nullptr);
}

TEST(SimpleArray, InsertAndRemoveShiftTheRest)
{
    ON_SimpleArray<int> a;
    for (int i = 0; i < 4; i++)
    {
        a.Append(i);
    }
    a.Insert(1, 7);
    a.Remove(3);
    a.Insert(4, 8);
    a.Insert(6, 9);
    const int expected[] = {0, 7, 1, 3, 8};
    ASSERT_EQ(a.Count(), 5);
    for (int i = 0; i < 5; i++)
    {
        EXPECT_EQ(a[i], expected[i]);
    }
}

TEST(ClassArray, EverySlotIsConstructedAndDestroyOnlyFreesThem)
{
    {
        ON_ClassArray<Tracked> a;
        Tracked t;
        t.value = 3;
        for (int i = 0; i < 3; i++)
        {
            a.Append(t);
        }
        EXPECT_EQ(a.Count(), 3);
        EXPECT_EQ(a.Capacity(), 4);
        EXPECT_EQ(Tracked::live, 1 + 4);
        a.SetCount(4);
        EXPECT_EQ(Tracked::live, 1 + 4);
        a[0].value = 8;
        a.Empty();
        EXPECT_EQ(a[0].value, 0);
        EXPECT_EQ(a.Capacity(), 4);
        EXPECT_EQ(Tracked::live, 1 + 4);
        a.Destroy();
        EXPECT_EQ(Tracked::live, 1);
        a.Append(t);
        a.Append(a[0]);
        a.Append(a[1]);
        a.Append(a[2]);
        a.Append(a[3]);
        EXPECT_EQ(a[4].value, 3);
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(ClassArray, AppendCopiesAndAppendNewIsFresh)
{
    ON_ClassArray<ON_3dPointArray> a;
    ON_3dPointArray points;
    points.Append(ON_3dPoint(1, 2, 3));
    a.Append(points);
    points[0].x = 5;
    EXPECT_EQ(a[0][0].x, 1);
    a.Remove(0);
    ON_3dPointArray& fresh = a.AppendNew();
    EXPECT_EQ(fresh.Count(), 0);
    ON_ClassArray<ON_3dPointArray> copy(a);
    EXPECT_EQ(copy.Count(), 1);
}

TEST(ClassArray, InsertAndRemoveKeepTheObjects)
{
    // Arrays of different lengths tell the elements apart.
    const auto make = [](int n)
    {
        ON_3dPointArray points;
        for (int i = 0; i < n; i++)
        {
            points.Append(ON_3dPoint(n, i, 0));
        }
        return points;
    };
    ON_ClassArray<ON_3dPointArray> a;
    a.Append(make(2));
    a.Append(make(4));
    a.Insert(0, make(1));
    a.Insert(2, make(3));
    a.Insert(4, make(5));
    a.Remove(1);
    const int expected[] = {1, 3, 4, 5};
    ASSERT_EQ(a.Count(), 4);
    for (int i = 0; i < 4; i++)
    {
        ASSERT_EQ(a[i].Count(), expected[i]);
        EXPECT_EQ(a[i][expected[i] - 1], ON_3dPoint(expected[i], expected[i] - 1, 0));
    }
}
