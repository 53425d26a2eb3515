#include "CurveFixtures.h"

#include "NVKCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
ON_4dPoint P(double x, double y, double z, double w = 1.0)
{
    return ON_4dPoint(x, y, z, w);
}

::testing::AssertionResult Near(const ON_3dPoint& actual, const ON_3dPoint& expected, double tolerance)
{
    if (actual.DistanceTo(expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not (" << expected.x << ", "
           << expected.y << ", " << expected.z << ")";
}

// The form of an arc with its homogeneous control points changed by `edit`.
template <class Edit> ON_NurbsCurve EditedArcForm(const ON_Arc& arc, Edit edit)
{
    ON_NurbsCurve curve = ArcForm(arc);
    for (int i = 0; i < curve.CVCount(); i++)
    {
        ON_4dPoint cv;
        curve.GetCV(i, cv);
        edit(i, cv);
        curve.SetCV(i, cv);
    }
    return curve;
}

const ON_Arc kHalfCircle = MakeArc(ON_3dPoint(5, 5, 0), ON_zaxis, 10, ON_PI);
} // namespace

TEST(CurveShapes, LinesAreStraightCurvesThatNeverTurnBack)
{
    const struct
    {
        std::string name;
        ON_NurbsCurve curve;
        int result;
        ON_3dPoint from, to;
    } cases[] = {
        {"straight cubic",
         MakeNurbsCurve(4, false, {P(0, 0, 0), P(1, 1, 1), P(2, 2, 2), P(3, 3, 3)}, {0, 0, 0, 1, 1, 1}), 1,
         ON_3dPoint(0, 0, 0), ON_3dPoint(3, 3, 3)},
        {"rational, unevenly weighted",
         MakeNurbsCurve(3, true, {P(0, 0, 0), P(2, 0, 0, 2), P(4, 0, 0)}, {0, 0, 1, 1}), 1,
         ON_3dPoint(0, 0, 0), ON_3dPoint(4, 0, 0)},
        {"polyline that is really a line", MakePolylineCurve({{0, 0, 0}, {1, 2, 0}, {3, 6, 0}}), 1,
         ON_3dPoint(0, 0, 0), ON_3dPoint(3, 6, 0)},
        {"middle point 1e-12 off",
         MakeNurbsCurve(4, false, {P(0, 0, 0), P(1, 1e-12, 0), P(2, 0, 0), P(3, 0, 0)}, {0, 0, 0, 1, 1, 1}),
         1, ON_3dPoint(0, 0, 0), ON_3dPoint(3, 0, 0)},
        {"middle point 1e-6 off",
         MakeNurbsCurve(4, false, {P(0, 0, 0), P(1, 1e-6, 0), P(2, 0, 0), P(3, 0, 0)}, {0, 0, 0, 1, 1, 1}),
         0,
         {},
         {}},
        {"turns back along itself",
         MakePolylineCurve({{0, 0, 0}, {2, 0, 0}, {1, 0, 0}, {3, 0, 0}}),
         0,
         {},
         {}},
        {"comes back to its start",
         MakePolylineCurve({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 0, 0}}),
         0,
         {},
         {}},
        {"quarter arc", ArcForm(MakeArc(ON_origin, ON_zaxis, 1, ON_PI / 2)), 0, {}, {}},
        {"order 0", ON_NurbsCurve(), 0, {}, {}},
        {"weight 0", MakeNurbsCurve(2, true, {P(0, 0, 0), P(1, 0, 0, 0)}, {0, 1}), 0, {}, {}},
        {"knots out of order", MakeNurbsCurve(2, false, {P(0, 0, 0), P(1, 0, 0)}, {1, 0}), 0, {}, {}},
    };
    // One line serves every case, as it does for a caller going through a list of curves.
    ON_Line line(ON_3dPoint(7, 7, 7), ON_3dPoint(8, 8, 8));
    ON_Line written = line;
    for (const auto& c : cases)
    {
        EXPECT_EQ(NVKCurve::IsLine(&c.curve, line), c.result) << c.name;
        if (c.result == 1)
            written = ON_Line(c.from, c.to);
        EXPECT_EQ(line.from, written.from) << c.name;
        EXPECT_EQ(line.to, written.to) << c.name;
    }

    const ON_LineCurve lineCurve(ON_Line(ON_3dPoint(1, 2, 3), ON_3dPoint(4, 6, 3)));
    EXPECT_EQ(NVKCurve::IsLine(&lineCurve, line), 1);
    EXPECT_EQ(line.from, ON_3dPoint(1, 2, 3));
    EXPECT_EQ(line.to, ON_3dPoint(4, 6, 3));
    EXPECT_EQ(NVKCurve::IsLine(nullptr, line), 0);
}

TEST(CurveShapes, ArcsOfEitherTurnAreRecognisedWhole)
{
    const struct
    {
        std::string name;
        ON_Arc arc;
    } cases[] = {
        {"full circle in XY", MakeArc(ON_3dPoint(5, 5, 0), ON_zaxis, 10, 2 * ON_PI)},
        {"half circle about +z", kHalfCircle},
        {"quarter about -z", MakeArc(ON_3dPoint(1, 2, 0), -ON_zaxis, 3, ON_PI / 2)},
        {"100 degrees about y", MakeArc(ON_3dPoint(0, 4, 0), ON_yaxis, 2, 100 * ON_PI / 180)},
        {"270 degrees in a tilted plane", MakeArc(ON_3dPoint(1, 2, 3), ON_3dVector(1, 1, 1), 2, 1.5 * ON_PI)},
        {"flat arc of a large circle", MakeArc(ON_3dPoint(0, 0, 0), ON_zaxis, 1000, 0.01)},
    };
    // One arc serves every case: each answer must replace all of the last one.
    ON_Arc arc;
    for (const auto& c : cases)
    {
        // The centre of a flat arc is found less precisely: by about the inverse of its angle.
        const double tolerance = 1e-12 * (c.arc.Radius() + c.arc.Center().DistanceTo(ON_origin)) /
                                 std::fmin(1.0, c.arc.AngleRadians());
        const ON_NurbsCurve form = ArcForm(c.arc);
        const ON_ArcCurve arcCurve(c.arc);
        for (const ON_Curve* curve :
             {static_cast<const ON_Curve*>(&form), static_cast<const ON_Curve*>(&arcCurve)})
        {
            ASSERT_EQ(NVKCurve::IsArc(curve, arc), 1) << c.name;
            EXPECT_TRUE(arc.IsValid()) << c.name;
            EXPECT_TRUE(Near(arc.Center(), c.arc.Center(), tolerance)) << c.name;
            EXPECT_NEAR(arc.Radius(), c.arc.Radius(), tolerance) << c.name;
            EXPECT_TRUE(Near(ON_3dPoint(arc.Normal()), ON_3dPoint(c.arc.Normal()), 1e-12)) << c.name;
            EXPECT_TRUE(Near(arc.StartPoint(), c.arc.StartPoint(), tolerance)) << c.name;
            EXPECT_TRUE(Near(arc.EndPoint(), c.arc.EndPoint(), tolerance)) << c.name;
            EXPECT_NEAR(arc.AngleRadians(), c.arc.AngleRadians(), 1e-12) << c.name;
            EXPECT_EQ(arc.IsCircle(), c.arc.IsCircle()) << c.name;
            // Arcs in the world XY plane must stay exactly in it.
            if (c.arc.Normal().x == 0 && c.arc.Normal().y == 0 && c.arc.Center().z == 0)
            {
                EXPECT_TRUE(arc.IsInPlane(ON_xy_plane, 1e-12)) << c.name;
            }
        }
    }
}

TEST(CurveShapes, CurvesNearArcsAreNotArcs)
{
    const double w45 = std::sqrt(0.5);
    const struct
    {
        std::string name;
        ON_NurbsCurve curve;
    } cases[] = {
        {"ellipse", EditedArcForm(kHalfCircle, [](int, ON_4dPoint& cv) { cv.y *= 2; })},
        {"middle weight 1e-6 off", EditedArcForm(kHalfCircle,
                                                 [](int i, ON_4dPoint& cv)
                                                 {
                                                     if (i % 2 == 1)
                                                     {
                                                         const double w = cv.w * (1 + 1e-6);
                                                         cv = P(cv.x / cv.w * w, cv.y / cv.w * w,
                                                                cv.z / cv.w * w, w);
                                                     }
                                                 })},
        {"arc's points without weights", EditedArcForm(kHalfCircle, [](int, ON_4dPoint& cv)
                                                       { cv = P(cv.x / cv.w, cv.y / cv.w, cv.z / cv.w); })},
        {"two circles, tangent where they meet",
         MakeNurbsCurve(
             3, true,
             {P(2, 0, 0), P(2 * w45, 2 * w45, 0, w45), P(0, 2, 0), P(-w45, 2 * w45, 0, w45), P(-1, 1, 0)},
             {0, 0, 1, 1, 2, 2})},
        {"quadratic without weights",
         MakeNurbsCurve(3, false, {P(0, 0, 0), P(1, 1, 0), P(2, 0, 0)}, {0, 0, 1, 1})},
        {"weight 0", EditedArcForm(kHalfCircle,
                                   [](int i, ON_4dPoint& cv)
                                   {
                                       if (i == 1)
                                           cv.w = 0;
                                   })},
        {"straight cubic",
         MakeNurbsCurve(4, false, {P(0, 0, 0), P(1, 0, 0), P(2, 0, 0), P(3, 0, 0)}, {0, 0, 0, 1, 1, 1})},
    };
    ON_Arc arc = kHalfCircle;
    for (const auto& c : cases)
    {
        EXPECT_EQ(NVKCurve::IsArc(&c.curve, arc), 0) << c.name;
        EXPECT_EQ(arc.m_angle, kHalfCircle.m_angle) << c.name;
        EXPECT_EQ(arc.Center(), kHalfCircle.Center()) << c.name;
    }
    EXPECT_EQ(NVKCurve::IsArc(nullptr, arc), 0);
}

TEST(CurveShapes, PolylinesAreDegreeOneWithMoreThanTwoPoints)
{
    const struct
    {
        std::string name;
        ON_NurbsCurve curve;
        std::vector<ON_3dPoint> points; // empty: not a polyline
    } cases[] = {
        {"five points",
         MakePolylineCurve({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}, {0, 0, 0}}),
         {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}, {0, 0, 0}}},
        {"three points, rational",
         MakeNurbsCurve(2, true, {P(0, 0, 0), P(2, 2, 0, 2), P(3, 0, 0)}, {0, 1, 2}),
         {{0, 0, 0}, {1, 1, 0}, {3, 0, 0}}},
        {"two points", MakePolylineCurve({{0, 0, 0}, {1, 0, 0}}), {}},
        {"quadratic", MakeNurbsCurve(3, false, {P(0, 0, 0), P(1, 1, 0), P(2, 0, 0)}, {0, 0, 1, 1}), {}},
        {"knots out of order", MakeNurbsCurve(2, false, {P(0, 0, 0), P(1, 0, 0), P(1, 1, 0)}, {0, 2, 1}), {}},
    };
    ON_Polyline polyline;
    std::vector<ON_3dPoint> written;
    for (const auto& c : cases)
    {
        EXPECT_EQ(NVKCurve::IsPolyline(&c.curve, polyline), c.points.empty() ? 0 : 1) << c.name;
        if (!c.points.empty())
            written = c.points;
        ASSERT_EQ(polyline.PointCount(), int(written.size())) << c.name;
        for (size_t i = 0; i < written.size(); i++)
            EXPECT_EQ(polyline[int(i)], written[i]) << c.name << ", point " << i;
    }

    ON_3dPointArray points;
    points.Append(ON_3dPoint(1, 2, 3));
    points.Append(ON_3dPoint(4, 5, 6));
    points.Append(ON_3dPoint(7, 8, 0));
    const ON_PolylineCurve polylineCurve(points);
    EXPECT_EQ(NVKCurve::IsPolyline(&polylineCurve, polyline), 1);
    ASSERT_EQ(polyline.PointCount(), 3);
    EXPECT_EQ(polyline[2], ON_3dPoint(7, 8, 0));
    EXPECT_EQ(NVKCurve::IsPolyline(nullptr, polyline), 0);
}
