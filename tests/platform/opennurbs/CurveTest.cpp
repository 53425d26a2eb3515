#include "BitExact.h"

#include <vector>

namespace
{
std::vector<double> Knots(const ON_NurbsCurve& c)
{
    std::vector<double> knots;
    for (int i = 0; i < c.KnotCount(); i++)
    {
        knots.push_back(c.Knot(i));
    }
    return knots;
}

// Counts deletions of the curves an array owns.
struct CountedLine : ON_LineCurve
{
    static inline int deleted = 0;
    ~CountedLine() override { deleted++; }
};
} // namespace

TEST(Line, PointAtKeepsEqualCoordinates)
{
    const ON_Line line(ON_3dPoint(0.1, 5, 0), ON_3dPoint(0.7, 5, 4));
    EXPECT_EQ(line.PointAt(0.3).y, 5);
    EXPECT_EQ(line.PointAt(0.25).z, 1);
    EXPECT_EQ(ON_Line(ON_origin, ON_3dPoint(3, 4, 0)).Length(), 5);
}

TEST(LineCurve, DomainAndNurbForm)
{
    const ON_LineCurve five(ON_Line(ON_origin, ON_3dPoint(3, 4, 0)));
    EXPECT_EQ(five.Domain(), ON_Interval(0, 5));
    EXPECT_EQ(five.PointAt(2.5), ON_3dPoint(1.5, 2, 0));
    ON_NurbsCurve nurbs;
    ASSERT_EQ(five.GetNurbForm(nurbs), 1);
    EXPECT_EQ(nurbs.Order(), 2);
    EXPECT_EQ(nurbs.CVCount(), 2);
    EXPECT_EQ(Knots(nurbs), (std::vector<double>{0, 5}));
    EXPECT_EQ(nurbs.PointAtEnd(), ON_3dPoint(3, 4, 0));

    const ON_LineCurve tiny(ON_Line(ON_origin, ON_3dPoint(1e-13, 0, 0)));
    EXPECT_EQ(tiny.Domain(), ON_Interval(0, 1));
    ON_LineCurve assigned;
    assigned = ON_Line(ON_origin, ON_3dPoint(1e-13, 0, 0));
    EXPECT_EQ(assigned.Domain(), ON_Interval(0, 1e-13));

    ON_LineCurve zero(ON_Line(ON_origin, ON_origin));
    EXPECT_EQ(zero.Domain(), ON_Interval(0, 1));
    EXPECT_EQ(zero.GetNurbForm(nurbs), 1);
    EXPECT_FALSE(zero.IsValid());
    zero.m_t = ON_Interval(1, 0);
    EXPECT_EQ(zero.GetNurbForm(nurbs), 0);
}

TEST(PolylineCurve, ParametersAreIndices)
{
    ON_3dPointArray points;
    points.Append(ON_3dPoint(0, 0, 0));
    points.Append(ON_3dPoint(1, 0, 0));
    points.Append(ON_3dPoint(1, 2, 0));
    const ON_PolylineCurve curve(points);
    EXPECT_EQ(curve.Domain(), ON_Interval(0, 2));
    EXPECT_EQ(curve.PointAt(1.5), ON_3dPoint(1, 1, 0));
    ON_NurbsCurve nurbs;
    ASSERT_EQ(curve.GetNurbForm(nurbs), 1);
    EXPECT_EQ(Knots(nurbs), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(nurbs.Order(), 2);

    const ON_PolylineCurve empty{ON_3dPointArray()};
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.PointAt(0), ON_UNSET_POINT);
    EXPECT_EQ(empty.GetNurbForm(nurbs), 0);
    EXPECT_EQ(nurbs.CVCount(), 0);
}

TEST(ArcCurve, KnotsAreArcLengths)
{
    ON_Arc half;
    half.Create(ON_Circle(ON_origin, 2), ON_PI);
    const ON_ArcCurve curve(half);
    EXPECT_EQ(curve.Domain(), ON_Interval(0, 2 * ON_PI));
    ON_NurbsCurve nurbs;
    ASSERT_EQ(curve.GetNurbForm(nurbs), 2);
    EXPECT_EQ(Knots(nurbs), (std::vector<double>{0, 0, ON_PI, ON_PI, 2 * ON_PI, 2 * ON_PI}));
    EXPECT_FALSE(curve.IsClosed());
    EXPECT_TRUE(BitExact(curve.PointAt(0), ON_3dPoint(2, 0, 0)));
    EXPECT_NEAR(curve.PointAt(ON_PI).y, 2, 1e-15);
}

TEST(CurveArray, DestroyDeletesTheCurvesAndKeepsTheCapacity)
{
    CountedLine::deleted = 0;
    {
        ON_CurveArray curves;
        curves.Append(new CountedLine);
        curves.Append(new CountedLine);
        curves.Destroy();
        EXPECT_EQ(CountedLine::deleted, 2);
        EXPECT_EQ(curves.Count(), 0);
        EXPECT_EQ(curves.Capacity(), 4);
        curves.Append(new CountedLine);
        curves.Append(nullptr);
    }
    EXPECT_EQ(CountedLine::deleted, 3);
    ON_LineCurve line;
    EXPECT_EQ(ON_Curve::Cast(&line), &line);
    EXPECT_EQ(ON_NurbsCurve::Cast(&line), nullptr);
}
