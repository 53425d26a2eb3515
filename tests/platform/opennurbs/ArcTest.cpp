#include "BitExact.h"

#include <cmath>
#include <vector>

TEST(Arc, CreateCutsAndReportsOverlongAndEmptyAngles)
{
    const ON_Circle circle(ON_origin, 2);
    const struct
    {
        double angle;
        bool result;
        bool valid;
        bool circle;
    } cases[] = {
        {7.0, false, true, true},
        {0.0, false, false, false},
        {2 * ON_PI, true, true, true},
        {ON_PI / 2, true, true, false},
    };
    for (const auto& c : cases)
    {
        ON_Arc arc;
        EXPECT_EQ(arc.Create(circle, c.angle), c.result) << c.angle;
        EXPECT_EQ(arc.IsValid(), c.valid) << c.angle;
        EXPECT_EQ(arc.IsCircle(), c.circle) << c.angle;
    }
    ON_Arc cut;
    cut.Create(circle, 7.0);
    EXPECT_EQ(cut.m_angle, ON_Interval(0, 2 * ON_PI));
}

TEST(Arc, NegativeAngleReversesThePlane)
{
    ON_Arc arc;
    EXPECT_FALSE(arc.Create(ON_xy_plane, ON_origin, 2, -ON_PI / 2));
    EXPECT_TRUE(arc.IsValid());
    EXPECT_TRUE(BitExact(arc.plane.xaxis, ON_3dVector(1, 0, 0)));
    EXPECT_TRUE(BitExact(arc.plane.yaxis, ON_3dVector(-0.0, -1, -0.0)));
    EXPECT_TRUE(BitExact(arc.plane.zaxis, ON_3dVector(-0.0, -0.0, -1)));
    EXPECT_TRUE(BitExact(arc.m_angle[0], -0.0));
    EXPECT_EQ(arc.m_angle[1], ON_PI / 2);
    EXPECT_TRUE(BitExact(arc.StartPoint(), ON_3dPoint(2, 0, 0)));
    EXPECT_TRUE(BitExact(arc.EndPoint(), ON_3dPoint(1.2246467991473532e-16, -2, 0)));
    EXPECT_EQ(arc.Normal(), ON_3dVector(0, 0, -1));
}

TEST(Arc, PlaneKeepsItsAxesAndEndsAreNotSnapped)
{
    ON_Plane tilted(ON_3dPoint(9, 9, 9), ON_3dVector(1, 0, 0));
    ON_Arc arc;
    ASSERT_TRUE(arc.Create(tilted, ON_3dPoint(1, 2, 0), 3, 2 * ON_PI));
    EXPECT_EQ(arc.plane.xaxis, tilted.xaxis);
    EXPECT_EQ(arc.Center(), ON_3dPoint(1, 2, 0));

    ON_Arc full;
    full.Create(ON_Circle(ON_3dPoint(1, 2, 0), 3), 2 * ON_PI);
    EXPECT_TRUE(BitExact(full.StartPoint(), ON_3dPoint(4, 2, 0)));
    EXPECT_TRUE(BitExact(full.EndPoint(), ON_3dPoint(4, 1.9999999999999993, 0)));
    ON_Arc quarter;
    quarter.Create(ON_Circle(ON_origin, 2), ON_PI / 2);
    EXPECT_TRUE(BitExact(quarter.EndPoint(), ON_3dPoint(1.2246467991473532e-16, 2, 0)));
}

TEST(Arc, NurbFormSpansWeightsAndKnots)
{
    const double w45 = 0.70710678118654757;
    const struct
    {
        double degrees;
        int cv_count;
        double middle_weight;
        std::vector<double> knots;
        bool closed;
    } cases[] = {
        {360,
         9,
         w45,
         {0, 0, ON_PI / 2, ON_PI / 2, ON_PI, ON_PI, 3 * ON_PI / 2, 3 * ON_PI / 2, 2 * ON_PI, 2 * ON_PI},
         true},
        {180, 5, w45, {0, 0, ON_PI / 2, ON_PI / 2, ON_PI, ON_PI}, false},
        {90, 3, w45, {0, 0, ON_PI / 2, ON_PI / 2}, false},
        {100, 5, std::cos(25 * ON_PI / 180), {}, false},
        {270, 9, 0.83146961230254524, {}, false},
    };
    for (const auto& c : cases)
    {
        ON_Arc arc;
        arc.Create(ON_Circle(ON_origin, 2), c.degrees * ON_PI / 180);
        ON_NurbsCurve nurbs;
        ASSERT_EQ(arc.GetNurbForm(nurbs), 2) << c.degrees;
        EXPECT_EQ(nurbs.m_dim, 3);
        EXPECT_EQ(nurbs.m_is_rat, 1);
        EXPECT_EQ(nurbs.Order(), 3);
        EXPECT_EQ(nurbs.m_cv_stride, 4);
        ASSERT_EQ(nurbs.CVCount(), c.cv_count) << c.degrees;
        EXPECT_EQ(nurbs.Weight(0), 1.0);
        EXPECT_NEAR(nurbs.Weight(1), c.middle_weight, 1e-16) << c.degrees;
        EXPECT_EQ(nurbs.Weight(2), 1.0);
        for (std::size_t i = 0; i < c.knots.size(); i++)
        {
            EXPECT_EQ(nurbs.Knot(int(i)), c.knots[i]) << c.degrees << " knot " << i;
        }
        EXPECT_EQ(nurbs.IsClosed(), c.closed) << c.degrees;
        EXPECT_FALSE(nurbs.IsPeriodic()) << c.degrees;
        ON_3dPoint last;
        nurbs.GetCV(nurbs.CVCount() - 1, last);
        EXPECT_TRUE(BitExact(last, arc.EndPoint())) << c.degrees;
        EXPECT_TRUE(BitExact(nurbs.PointAtStart(), arc.StartPoint())) << c.degrees;
        // Every point of the form lies on the circle.
        const ON_3dPoint p = nurbs.PointAt(nurbs.Domain().ParameterAt(0.3));
        EXPECT_NEAR(p.DistanceTo(ON_origin), 2.0, 1e-14) << c.degrees;
    }
}

TEST(Arc, FullCircleNurbFormBits)
{
    ON_Arc arc;
    arc.Create(ON_Circle(ON_origin, 2), 2 * ON_PI);
    ON_NurbsCurve nurbs;
    arc.GetNurbForm(nurbs);
    const double* cv1 = nurbs.CV(1);
    EXPECT_TRUE(BitExact(cv1[0], 1.4142135623730951));
    EXPECT_TRUE(BitExact(cv1[1], 1.4142135623730949));
    EXPECT_TRUE(BitExact(cv1[2], 0.0));
    EXPECT_TRUE(BitExact(cv1[3], 0.70710678118654757));
    ON_3dPoint p;
    ASSERT_TRUE(nurbs.GetCV(1, p));
    EXPECT_TRUE(BitExact(p, ON_3dPoint(2, 1.9999999999999996, 0)));
    ASSERT_TRUE(nurbs.GetCV(8, p));
    EXPECT_TRUE(BitExact(p, ON_3dPoint(2, -4.8985871965894128e-16, 0)));

    ON_Arc invalid;
    invalid.Create(ON_Circle(ON_origin, 2), 0.0);
    EXPECT_EQ(invalid.GetNurbForm(nurbs), 0);
}
