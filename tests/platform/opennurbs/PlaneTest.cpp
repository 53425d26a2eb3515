#include "BitExact.h"

TEST(Interval, EndsLengthAndDirection)
{
    const ON_Interval unset;
    EXPECT_EQ(unset[0], ON_UNSET_VALUE);
    EXPECT_EQ(unset.Length(), 0.0);
    EXPECT_FALSE(unset.IsValid());

    ON_Interval backwards(3, 1);
    EXPECT_EQ(backwards[-5], 3);
    EXPECT_EQ(backwards[7], 1);
    EXPECT_EQ(backwards.Length(), -2);
    EXPECT_EQ(backwards.Min(), 1);
    EXPECT_EQ(backwards.Max(), 3);
    EXPECT_TRUE(backwards.IsDecreasing());
    EXPECT_FALSE(backwards.IsIncreasing());
    EXPECT_FALSE(ON_Interval(2, 2).IsIncreasing() || ON_Interval(2, 2).IsDecreasing());
    EXPECT_EQ(backwards.ParameterAt(0.25), 2.5);
    EXPECT_EQ(backwards.NormalizedParameterAt(2.5), 0.25);
    backwards.Reverse();
    EXPECT_EQ(backwards, ON_Interval(-1, -3));
    backwards.Swap();
    EXPECT_EQ(backwards, ON_Interval(-3, -1));
}

TEST(Plane, WorldXYEquationHasNegativeZero)
{
    EXPECT_TRUE(BitExact(ON_Plane().plane_equation.d, 0.0));
    EXPECT_TRUE(BitExact(ON_xy_plane.plane_equation.d, -0.0));
    EXPECT_TRUE(BitExact(ON_Plane::World_xy.plane_equation.d, -0.0));
    EXPECT_TRUE(ON_xy_plane.IsValid());
}

TEST(Plane, FromOriginAndNormal)
{
    const struct
    {
        ON_3dVector normal, xaxis, yaxis;
    } cases[] = {
        {{0, 0, 1}, {1, 0, -0.0}, {-0.0, 1, 0}}, {{0, 0, -1}, {-1, 0, -0.0}, {0, 1, 0}},
        {{1, 0, 0}, {-0.0, 1, 0}, {0, -0.0, 1}}, {{-1, 0, 0}, {-0.0, -1, 0}, {0, 0, 1}},
        {{0, 1, 0}, {0, -0.0, 1}, {1, 0, -0.0}}, {{0, -1, 0}, {0, -0.0, -1}, {1, 0, 0}},
        {{0, 0, 2}, {1, 0, -0.0}, {-0.0, 1, 0}},
    };
    for (const auto& c : cases)
    {
        const ON_Plane plane(ON_3dPoint(1, 2, 3), c.normal);
        EXPECT_TRUE(BitExact(plane.xaxis, c.xaxis)) << c.normal.x << c.normal.y << c.normal.z;
        EXPECT_TRUE(BitExact(plane.yaxis, c.yaxis)) << c.normal.x << c.normal.y << c.normal.z;
        EXPECT_TRUE(plane.IsValid());
        EXPECT_EQ(plane.plane_equation.ValueAt(ON_3dPoint(1, 2, 3)), 0.0);
    }
    const ON_Plane zero(ON_3dPoint(1, 2, 3), ON_3dVector(0, 0, 0));
    EXPECT_TRUE(zero.xaxis.IsZero() && zero.yaxis.IsZero() && zero.zaxis.IsZero());
    EXPECT_FALSE(zero.IsValid());
}

TEST(Plane, FromFrame)
{
    ON_Plane plane;
    ASSERT_TRUE(plane.CreateFromFrame(ON_origin, ON_3dVector(3, 4, 0), ON_3dVector(-4, 3, 0)));
    EXPECT_TRUE(BitExact(plane.xaxis, ON_3dVector(0.60000000000000009, 0.8, 0)));
    ASSERT_TRUE(plane.CreateFromFrame(ON_origin, ON_3dVector(1, 0, 0), ON_3dVector(1, 1e-9, 0)));
    EXPECT_TRUE(BitExact(plane.yaxis, ON_3dVector(0, 0.99999999999999989, 0)));

    const struct
    {
        ON_3dVector x, y;
    } failing[] = {
        {{1, 0, 0}, {2, 0, 0}}, {{1, 0, 0}, {-1, 0, 0}}, {{0, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {0, 0, 0}}};
    for (const auto& c : failing)
    {
        EXPECT_FALSE(plane.CreateFromFrame(ON_3dPoint(1, 1, 1), c.x, c.y)) << c.x.x << " " << c.y.x;
        EXPECT_TRUE(plane.zaxis.IsZero());
    }
}

TEST(Circle, IsInPlaneSamplesTheWholeCircle)
{
    const struct
    {
        ON_3dPoint center;
        ON_3dVector normal;
        bool in;
    } cases[] = {
        {{5, 5, 0}, {0, 0, 1}, true},        {{5, 5, 0}, {0, 0, -1}, true},
        {{5, 5, 0.5}, {0, 0, 1}, false},     {{5, 5, 1e-12}, {0, 0, 1}, true},
        {{5, 5, 1.5e-12}, {0, 0, 1}, false}, {{5, 5, 0}, {1e-14, 0, 1}, true},
        {{5, 5, 0}, {1e-12, 0, 1}, false},   {{5, 5, 0}, {1, 0, 0}, false},
    };
    for (const auto& c : cases)
    {
        const ON_Circle circle(ON_Plane(c.center, c.normal), 10);
        EXPECT_EQ(circle.IsInPlane(ON_xy_plane, 1e-12), c.in) << c.center.z << " " << c.normal.x;
    }
    const ON_Circle moved(ON_3dPoint(1, 2, 3), 4);
    EXPECT_EQ(moved.Center(), ON_3dPoint(1, 2, 3));
    EXPECT_EQ(moved.Normal(), ON_zaxis);
    EXPECT_EQ(moved.plane.xaxis, ON_xaxis);
    EXPECT_EQ(moved.PointAt(0), ON_3dPoint(5, 2, 3));
    EXPECT_TRUE(moved.IsValid());
    EXPECT_FALSE(ON_Circle(ON_3dPoint(1, 2, 3), 0).IsValid());
}
