#include "BitExact.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
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

std::vector<ON_3dPoint> Points(int n)
{
    std::vector<ON_3dPoint> points;
    for (int i = 0; i < n; i++)
    {
        points.emplace_back(i, i * i, 0);
    }
    return points;
}
} // namespace

TEST(NurbsCurve, ClampedUniformKnots)
{
    const struct
    {
        int order, points;
        double delta;
        std::vector<double> knots;
    } cases[] = {
        {3, 5, 1.0, {0, 0, 1, 2, 3, 3}},    {3, 4, 1.0, {0, 0, 1, 2, 2}},   {3, 3, 1.0, {0, 0, 1, 1}},
        {3, 6, 1.0, {0, 0, 1, 2, 3, 4, 4}}, {3, 4, 0.5, {0, 0, 0.5, 1, 1}}, {4, 4, 1.0, {0, 0, 0, 1, 1, 1}},
    };
    for (const auto& c : cases)
    {
        const std::vector<ON_3dPoint> points = Points(c.points);
        ON_NurbsCurve curve;
        ASSERT_TRUE(curve.CreateClampedUniformNurbs(3, c.order, c.points, points.data(), c.delta));
        EXPECT_EQ(Knots(curve), c.knots) << c.order << " " << c.points;
        EXPECT_FALSE(curve.IsRational());
        EXPECT_TRUE(curve.IsValid());
        EXPECT_EQ(curve.PointAtStart(), points.front());
        EXPECT_EQ(curve.PointAtEnd(), points.back());
    }
}

TEST(NurbsCurve, TooFewPointsKeepWhatTheCurveHeld)
{
    const std::vector<ON_3dPoint> points = Points(5);
    ON_NurbsCurve curve;
    EXPECT_FALSE(curve.CreateClampedUniformNurbs(3, 3, 2, points.data(), 1.0));
    EXPECT_EQ(curve.Order(), 0);
    EXPECT_EQ(curve.CVCount(), 0);
    EXPECT_EQ(curve.KnotCount(), -2);
    EXPECT_EQ(curve.Knot(0), 0.0);
    EXPECT_FALSE(curve.Domain().IsValid());
    EXPECT_EQ(curve.PointAt(0.5), ON_UNSET_POINT);
    EXPECT_FALSE(curve.IsClosed());

    ASSERT_TRUE(curve.CreateClampedUniformNurbs(3, 3, 5, points.data(), 1.0));
    EXPECT_FALSE(curve.CreateClampedUniformNurbs(3, 3, 1, points.data(), 1.0));
    EXPECT_EQ(curve.CVCount(), 5);
    EXPECT_FALSE(curve.CreateClampedUniformNurbs(3, 3, 5, nullptr, 1.0));
    EXPECT_FALSE(curve.CreateClampedUniformNurbs(4, 3, 5, points.data(), 1.0));
    EXPECT_FALSE(curve.CreateClampedUniformNurbs(3, 3, 5, points.data(), 0.0));
}

TEST(NurbsCurve, RationalControlPoints)
{
    ON_NurbsCurve curve;
    ASSERT_TRUE(curve.Create(3, true, 2, 2));
    curve.SetCV(0, ON_4dPoint(0.5, 0.5, 0, 0.5));
    curve.SetCV(1, ON_4dPoint(1, 2, 3, 0));
    ON_3dPoint p(7, 7, 7);
    ASSERT_TRUE(curve.GetCV(0, p));
    EXPECT_EQ(p, ON_3dPoint(1, 1, 0));
    p = ON_3dPoint(7, 7, 7);
    EXPECT_FALSE(curve.GetCV(1, p));
    EXPECT_EQ(p, ON_3dPoint(7, 7, 7));
    EXPECT_FALSE(curve.GetCV(2, p));
    ON_4dPoint h;
    ASSERT_TRUE(curve.GetCV(0, h));
    EXPECT_EQ(h.w, 0.5);
    EXPECT_EQ(curve.Weight(1), 0.0);
    curve.m_knot[1] = 1;
    // Weight 0 is not a point: evaluation, validity and boxes refuse it safely.
    EXPECT_FALSE(curve.IsValid());
    EXPECT_EQ(curve.PointAt(1.0), ON_UNSET_POINT);
    const ON_BoundingBox box = curve.BoundingBox();
    EXPECT_EQ(box.m_min, ON_3dPoint(1, 1, 0));
    EXPECT_EQ(box.m_max, ON_3dPoint(1, 1, 0));

    ON_NurbsCurve bad;
    EXPECT_FALSE(bad.Create(3, false, 1, 4));
    EXPECT_FALSE(bad.Create(0, false, 2, 4));
    EXPECT_FALSE(bad.Create(3, false, 4, 3));
    EXPECT_EQ(bad.CV(0), nullptr);
}

TEST(NurbsCurve, BoxIsTheBoxOfTheControlPoints)
{
    ON_NurbsCurve curve;
    curve.Create(3, true, 2, 2);
    curve.SetCV(0, ON_4dPoint(2, 0, 0, 2));
    curve.SetCV(1, ON_4dPoint(4, 4, 4, 4));
    curve.m_knot[1] = 1;
    const ON_BoundingBox box = curve.BoundingBox();
    EXPECT_EQ(box.m_min, ON_3dPoint(1, 0, 0));
    EXPECT_EQ(box.m_max, ON_3dPoint(1, 1, 1));
}

TEST(NurbsCurve, ClosedNeedsFourControlPointsAndDistinctMiddles)
{
    const struct
    {
        int order;
        std::vector<ON_3dPoint> points;
        bool closed;
    } cases[] = {
        {3, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}}, true},
        {2, {{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}, false},
        {2, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 1e-9}}, false},
        {3, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 0, 0}}, false},
    };
    for (const auto& c : cases)
    {
        ON_NurbsCurve curve;
        curve.CreateClampedUniformNurbs(3, c.order, int(c.points.size()), c.points.data(), 1.0);
        EXPECT_EQ(curve.IsClosed(), c.closed) << c.order << " " << c.points.size();
    }
}

TEST(NurbsCurve, PeriodicKnotsAndWrappedControlPoints)
{
    // Degree 2 through a square, periodic: the first two CVs repeat at the end.
    const ON_3dPoint square[6] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}};
    ON_NurbsCurve curve;
    ASSERT_TRUE(curve.Create(3, false, 3, 6));
    for (int i = 0; i < 6; i++)
    {
        curve.SetCV(i, square[i]);
    }
    for (int i = 0; i < 7; i++)
    {
        curve.m_knot[i] = i - 1.0;
    }
    EXPECT_TRUE(curve.IsPeriodic());
    EXPECT_TRUE(curve.IsClosed());
    EXPECT_EQ(curve.Domain(), ON_Interval(0, 4));
    curve.SetCV(5, ON_3dPoint(1, 0.5, 0));
    EXPECT_FALSE(curve.IsPeriodic());
    curve.SetCV(5, square[5]);
    curve.m_knot[0] = -2;
    EXPECT_FALSE(curve.IsPeriodic());
}

TEST(NurbsCurve, CopyIsDeepAndTranslateMovesTheControlPoints)
{
    const std::vector<ON_3dPoint> points = {{1, 1, 0}, {2, 0, 0}, {3, 1, 0}};
    ON_NurbsCurve curve;
    curve.CreateClampedUniformNurbs(3, 3, 3, points.data(), 1.0);
    ON_NurbsCurve copy(curve);
    ASSERT_TRUE(copy.Translate(ON_3dVector(0, 0, -2)));
    ON_3dPoint p;
    copy.GetCV(0, p);
    EXPECT_EQ(p, ON_3dPoint(1, 1, -2));
    curve.GetCV(0, p);
    EXPECT_EQ(p, ON_3dPoint(1, 1, 0));
    ON_NurbsCurve form;
    EXPECT_EQ(curve.GetNurbForm(form), 1);
    EXPECT_EQ(Knots(form), Knots(curve));
    std::unique_ptr<ON_Curve> duplicate(curve.DuplicateCurve());
    EXPECT_NE(ON_NurbsCurve::Cast(duplicate.get()), nullptr);
    // Halfway along a symmetric quadratic.
    EXPECT_EQ(curve.PointAt(0.5), ON_3dPoint(2, 0.5, 0));
}

TEST(NurbsCurve, CopiesReadOnlyWhatTheSourceAllocated)
{
    // Public members changed after Create: the counts no longer match the arrays.
    const struct
    {
        std::string name;
        void (*edit)(ON_NurbsCurve&);
        bool knotsFit, cvsFit;
    } cases[] = {
        {"as created", [](ON_NurbsCurve&) {}, true, true},
        {"more control points", [](ON_NurbsCurve& c) { c.m_cv_count = 6; }, false, false},
        {"higher order", [](ON_NurbsCurve& c) { c.m_order = 5; }, false, true},
        {"wider stride", [](ON_NurbsCurve& c) { c.m_cv_stride = 5; }, true, false},
        {"counts near the int limit", [](ON_NurbsCurve& c) { c.m_cv_count = c.m_order = INT_MAX; }, false,
         false},
    };
    const std::vector<ON_3dPoint> points = Points(4);
    for (const auto& c : cases)
    {
        ON_NurbsCurve source;
        ASSERT_TRUE(source.CreateClampedUniformNurbs(3, 3, 4, points.data(), 1.0));
        c.edit(source);
        ON_NurbsCurve assigned;
        assigned.CreateClampedUniformNurbs(3, 3, 4, points.data(), 1.0);
        assigned = source;
        for (const ON_NurbsCurve& copy : {ON_NurbsCurve(source), assigned})
        {
            EXPECT_EQ(copy.m_order, source.m_order) << c.name;
            EXPECT_EQ(copy.m_cv_count, source.m_cv_count) << c.name;
            EXPECT_EQ(copy.m_cv_stride, source.m_cv_stride) << c.name;
            // An array shorter than the counts say is left out of the copy.
            ASSERT_EQ(copy.m_knot != nullptr, c.knotsFit) << c.name;
            ASSERT_EQ(copy.m_cv != nullptr, c.cvsFit) << c.name;
            if (c.knotsFit)
            {
                EXPECT_TRUE(std::equal(source.m_knot, source.m_knot + source.KnotCount(), copy.m_knot))
                    << c.name;
            }
            if (c.cvsFit)
            {
                EXPECT_TRUE(
                    std::equal(source.m_cv, source.m_cv + source.m_cv_count * source.m_cv_stride, copy.m_cv))
                    << c.name;
            }
            EXPECT_EQ(copy.IsValid(), c.knotsFit && c.cvsFit) << c.name;
        }
    }
}
