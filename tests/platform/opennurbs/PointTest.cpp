#include "BitExact.h"

#include <cfloat>
#include <cmath>

TEST(Vector, LengthIsTheScaledFormNotTheNaiveRoot)
{
    EXPECT_EQ(ON_3dVector(1, 2, 3).Length(), 3.7416573867739409);
    EXPECT_NE(ON_3dVector(1, 2, 3).Length(), std::sqrt(14.0));
    EXPECT_EQ(ON_3dVector(3, 4, 0).Length(), 5.0);
    EXPECT_EQ(ON_3dVector(0, 0, 0).Length(), 0.0);
    EXPECT_EQ(ON_3dVector(1e300, 1e300, 0).Length(), 1e300 * std::sqrt(2.0));
    EXPECT_EQ(ON_3dVector(0, DBL_MIN / 4, 0).Length(), DBL_MIN / 4);
    EXPECT_EQ(ON_3dPoint(0, 0, 0).DistanceTo(ON_3dPoint(3, 4, 12)), 13.0);
}

TEST(Vector, UnitizeMultipliesByTheReciprocal)
{
    ON_3dVector v(1, 2, 3);
    ASSERT_TRUE(v.Unitize());
    const double r = 1.0 / 3.7416573867739409;
    EXPECT_TRUE(BitExact(v, ON_3dVector(1 * r, 2 * r, 3 * r)));

    ON_3dVector zero;
    EXPECT_FALSE(zero.Unitize());
    EXPECT_TRUE(BitExact(zero, ON_3dVector(0, 0, 0)));

    ON_3dVector denormal(DBL_MIN / 8, 0, 0);
    ASSERT_TRUE(denormal.Unitize());
    EXPECT_EQ(denormal, ON_3dVector(1, 0, 0));
}

TEST(Vector, CrossProductOperandOrderKeepsTheSignOfZero)
{
    EXPECT_TRUE(
        BitExact(ON_CrossProduct(ON_3dVector(0, -1, 0), ON_3dVector(1, 0, 0)), ON_3dVector(-0.0, 0, 1)));
    EXPECT_EQ(ON_DotProduct(ON_3dVector(1, 2, 3), ON_3dVector(4, 5, 6)), 32.0);
}

struct TriangleNormalCase
{
    ON_3dPoint p0, p1, p2;
    bool ok;
    ON_3dVector normal;
};

TEST(Vector, PerpendicularToThreePoints)
{
    const TriangleNormalCase cases[] = {
        {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, true, {-0.0, 0, 1}},
        {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, true, {0, 0, -1}},
        {{1, 2, 3},
         {4, -1, 2},
         {0.5, 0.25, 7},
         true,
         {-0.7178664204536882, -0.60039736983399383, -0.35240715185908333}},
        {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, false, {0, 0, 0}},
        {{0, 0, 0}, {0, 0, 0}, {1, 0, 0}, false, {0, 0, 0}},
        {{0, 0, 0}, {1e-200, 0, 0}, {0, 1e-200, 0}, false, {0, 0, 0}},
    };
    for (const TriangleNormalCase& c : cases)
    {
        ON_3dVector n(7, 7, 7);
        EXPECT_EQ(n.PerpendicularTo(c.p0, c.p1, c.p2), c.ok) << c.p1.x << " " << c.p2.z;
        EXPECT_TRUE(BitExact(n, c.normal)) << c.p1.x << " " << c.p2.z;
    }
}

TEST(Vector, PerpendicularToVectorSwapsTheTwoLargest)
{
    const struct
    {
        ON_3dVector v;
        ON_3dVector expected;
    } cases[] = {
        {{0, 0, 1}, {1, 0, -0.0}}, {{0, 0, -1}, {-1, 0, -0.0}}, {{1, 0, 0}, {-0.0, 1, 0}},
        {{0, 1, 0}, {0, -0.0, 1}}, {{3, 2, 1}, {-2, 3, 0}},     {{1, 1, 1}, {-1, 1, 0}},
    };
    for (const auto& c : cases)
    {
        ON_3dVector p;
        EXPECT_TRUE(p.PerpendicularTo(c.v));
        EXPECT_TRUE(BitExact(p, c.expected)) << c.v.x << " " << c.v.y << " " << c.v.z;
    }
    ON_3dVector p;
    EXPECT_FALSE(p.PerpendicularTo(ON_3dVector(0, 0, 0)));
}

TEST(Vector, QuarterTurnRotationIsExact)
{
    ON_3dVector a(1, 0, 0);
    a.Rotate(ON_PI / 2, ON_zaxis);
    EXPECT_TRUE(BitExact(a, ON_3dVector(0, 1, 0)));
    ON_3dVector b(3, 4, 0);
    b.Rotate(ON_PI / 2, ON_zaxis);
    EXPECT_TRUE(BitExact(b, ON_3dVector(-4, 3, 0)));
}

TEST(Point, FloatConversionRoundsToNearest)
{
    const ON_3fPoint f(ON_3dPoint(0.1, 0.2, 0.3));
    EXPECT_EQ(f.x, 0.1f);
    EXPECT_EQ(ON_3dPoint(f).z, double(0.3f));
}
