#include "CurveFixtures.h"

#include "NVKNurbsCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace
{
ON_4dPoint P(double x, double y, double z, double w = 1.0)
{
    return ON_4dPoint(x, y, z, w);
}

ON_NurbsCurve WithoutKnots(ON_NurbsCurve curve)
{
    delete[] curve.m_knot;
    curve.m_knot = nullptr;
    curve.m_knot_capacity = 0;
    return curve;
}

double TurnDegrees(const ON_3dPoint& a, const ON_3dPoint& b, const ON_3dPoint& c)
{
    const ON_3dVector u = b - a;
    const ON_3dVector v = c - b;
    return std::atan2(ON_CrossProduct(u, v).Length(), u * v) * 180.0 / ON_PI;
}

// The parameter of the curve's point nearest to p: a coarse scan, then a narrowing search around
// the best sample (the test curves do not come near themselves).
double NearestParameter(const ON_NurbsCurve& curve, const ON_3dPoint& p)
{
    const ON_Interval domain = curve.Domain();
    const int steps = 2000;
    int best = 0;
    for (int i = 1; i <= steps; i++)
    {
        if (curve.PointAt(domain.ParameterAt(double(i) / steps)).DistanceTo(p) <
            curve.PointAt(domain.ParameterAt(double(best) / steps)).DistanceTo(p))
            best = i;
    }
    double lo = domain.ParameterAt(double(std::max(best - 1, 0)) / steps);
    double hi = domain.ParameterAt(double(std::min(best + 1, steps)) / steps);
    for (int i = 0; i < 200; i++)
    {
        const double a = lo + (hi - lo) / 3;
        const double b = hi - (hi - lo) / 3;
        if (curve.PointAt(a).DistanceTo(p) < curve.PointAt(b).DistanceTo(p))
            hi = b;
        else
            lo = a;
    }
    return 0.5 * (lo + hi);
}
} // namespace

TEST(CurveSampling, SmoothCurvesTurnByAtMostTheAngleInOrderAlongThem)
{
    const struct
    {
        std::string name;
        ON_NurbsCurve curve;
        double angle;
    } cases[] = {
        {"full circle", ArcForm(MakeArc(ON_3dPoint(5, 5, 0), ON_zaxis, 10, 2 * ON_PI)), 15},
        {"half circle about -z, finely", ArcForm(MakeArc(ON_origin, -ON_zaxis, 2, ON_PI)), 1},
        {"S-shaped cubic, one span",
         MakeNurbsCurve(4, false, {P(0, 0, 0), P(1, 3, 0), P(2, -3, 1), P(3, 0, 0)}, {0, 0, 0, 1, 1, 1}), 15},
        {"cubic of three spans, uneven knots",
         MakeNurbsCurve(4, false, {P(0, 0, 0), P(1, 2, 0), P(3, 2, 1), P(4, 0, 2), P(6, -1, 0), P(7, 1, 1)},
                        {0, 0, 0, 0.5, 2, 3, 3, 3}),
         15},
        {"rational quadratic, heavy middle",
         MakeNurbsCurve(3, true, {P(0, 0, 0), P(5, 5, 0, 5), P(2, 0, 0)}, {0, 0, 1, 1}), 15},
        {"unclamped cubic",
         MakeNurbsCurve(
             4, false, {P(0, 0, 0), P(2, 0, 0), P(2, 2, 0), P(0, 2, 0), P(-1, 0, 0), P(1, -1, 0), P(3, 0, 0)},
             {-2, -1, 0, 1, 2, 3, 4, 5, 6}),
         15},
    };
    for (const auto& c : cases)
    {
        ON_3dPointArray points;
        points.Append(ON_3dPoint(-1, -1, -1)); // the sampler appends
        ASSERT_EQ(NVKNurbsCurve::GetPoints(c.curve, points, c.angle), 1) << c.name;
        ASSERT_GE(points.Count(), 3) << c.name;
        EXPECT_EQ(points[0], ON_3dPoint(-1, -1, -1)) << c.name;
        EXPECT_LT(points.Count(), 1000) << c.name;
        EXPECT_LE(points[1].DistanceTo(c.curve.PointAtStart()), 1e-12) << c.name;
        EXPECT_LE(points[points.Count() - 1].DistanceTo(c.curve.PointAtEnd()), 1e-12) << c.name;
        double previous = c.curve.Domain()[0];
        for (int i = 1; i < points.Count(); i++)
        {
            const double t = NearestParameter(c.curve, points[i]);
            EXPECT_LE(points[i].DistanceTo(c.curve.PointAt(t)), 1e-9) << c.name << ", point " << i;
            EXPECT_GE(t, previous - 1e-9) << c.name << ", point " << i;
            previous = t;
            if (i + 1 < points.Count() && i > 1)
            {
                EXPECT_LE(TurnDegrees(points[i - 1], points[i], points[i + 1]), c.angle + 1e-9)
                    << c.name << ", point " << i;
            }
        }
    }
}

TEST(CurveSampling, CornersAreKeptAndStraightPiecesAddNothing)
{
    const std::vector<ON_3dPoint> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}};
    ON_3dPointArray points;
    ASSERT_EQ(NVKNurbsCurve::GetPoints(MakePolylineCurve(square), points, 15.0), 1);
    ASSERT_EQ(points.Count(), 5);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(points[i], square[size_t(i)]) << i;
}

TEST(CurveSampling, UnusableCurvesAndAnglesAppendNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ON_NurbsCurve circle = ArcForm(MakeArc(ON_origin, ON_zaxis, 1, 2 * ON_PI));
    const struct
    {
        std::string name;
        ON_NurbsCurve curve;
        double angle;
    } cases[] = {
        {"empty curve", ON_NurbsCurve(), 15},
        {"weight 0", MakeNurbsCurve(3, true, {P(0, 0, 0), P(1, 1, 0, 0), P(2, 0, 0)}, {0, 0, 1, 1}), 15},
        {"negative weight", MakeNurbsCurve(3, true, {P(0, 0, 0), P(-1, -1, 0, -1), P(2, 0, 0)}, {0, 0, 1, 1}),
         15},
        {"infinite control point", MakeNurbsCurve(2, false, {P(0, 0, 0), P(INFINITY, 0, 0)}, {0, 1}), 15},
        {"knots all equal", MakeNurbsCurve(4, false, {P(0, 0, 0), P(1, 0, 0), P(2, 0, 0), P(3, 0, 0)}, {}),
         15},
        {"knots missing", WithoutKnots(MakePolylineCurve({{0, 0, 0}, {1, 0, 0}})), 15},
        {"angle 0", circle, 0},
        {"negative angle", circle, -15},
        {"angle not a number", circle, nan},
    };
    for (const auto& c : cases)
    {
        ON_3dPointArray points;
        points.Append(ON_3dPoint(1, 2, 3));
        EXPECT_EQ(NVKNurbsCurve::GetPoints(c.curve, points, c.angle), 0) << c.name;
        EXPECT_EQ(points.Count(), 1) << c.name;
    }
}
