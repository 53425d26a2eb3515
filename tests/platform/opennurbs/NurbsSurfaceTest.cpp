#include "BitExact.h"

#include <cmath>
#include <memory>
#include <vector>

namespace
{
// A clamped uniform surface with CV(i, j) = (i, j, z(i, j)).
ON_NurbsSurface Surface(int order0, int order1, int count0, int count1, double (*z)(int, int))
{
    ON_NurbsSurface s;
    EXPECT_TRUE(s.Create(3, false, order0, order1, count0, count1));
    EXPECT_TRUE(s.MakeClampedUniformKnotVector(0));
    EXPECT_TRUE(s.MakeClampedUniformKnotVector(1));
    for (int i = 0; i < count0; i++)
    {
        for (int j = 0; j < count1; j++)
        {
            s.SetCV(i, j, ON_3dPoint(i, j, z(i, j)));
        }
    }
    return s;
}

double Bumpy(int i, int j)
{
    return (i * 7 + j * 3) % 5 - 2.0;
}

std::vector<double> Knots(const ON_NurbsCurve& c)
{
    std::vector<double> knots;
    for (int i = 0; i < c.KnotCount(); i++)
    {
        knots.push_back(c.Knot(i));
    }
    return knots;
}

// Bernstein polynomial B(i, n)(t).
double Bernstein(int i, int n, double t)
{
    return std::tgamma(n + 1) / (std::tgamma(i + 1) * std::tgamma(n - i + 1)) * std::pow(t, i) *
           std::pow(1 - t, n - i);
}

std::unique_ptr<ON_NurbsCurve> Iso(const ON_NurbsSurface& s, int dir, double c)
{
    ON_Curve* curve = s.IsoCurve(dir, c);
    EXPECT_NE(ON_NurbsCurve::Cast(curve), nullptr);
    return std::unique_ptr<ON_NurbsCurve>(ON_NurbsCurve::Cast(curve));
}

void ExpectNear(const ON_3dPoint& a, const ON_3dPoint& b)
{
    EXPECT_NEAR(a.x, b.x, 1e-12);
    EXPECT_NEAR(a.y, b.y, 1e-12);
    EXPECT_NEAR(a.z, b.z, 1e-12);
}
} // namespace

TEST(NurbsSurface, CountsDomainsAndTheCVLayout)
{
    const ON_NurbsSurface s = Surface(3, 4, 3, 5, Bumpy);
    EXPECT_EQ(s.Order(0), 3);
    EXPECT_EQ(s.Order(1), 4);
    EXPECT_EQ(s.Order(7), 4) << "any non-zero direction is the second";
    EXPECT_EQ(s.CVCount(0), 3);
    EXPECT_EQ(s.CVCount(1), 5);
    EXPECT_EQ(s.KnotCount(0), 4);
    EXPECT_EQ(s.KnotCount(1), 7);
    EXPECT_EQ(s.Knot(1, 3), 1);
    EXPECT_EQ(s.Knot(1, 7), 0.0);
    EXPECT_EQ(s.Domain(0), ON_Interval(0, 1));
    EXPECT_EQ(s.Domain(1), ON_Interval(0, 2));
    EXPECT_FALSE(s.IsRational());
    EXPECT_TRUE(s.IsValid());
    // v runs fastest in memory.
    EXPECT_EQ(s.CV(0, 1) - s.CV(0, 0), 3);
    EXPECT_EQ(s.CV(1, 0) - s.CV(0, 0), 15);
    EXPECT_EQ(s.CV(3, 0), nullptr);
    EXPECT_EQ(s.CV(0, -1), nullptr);
    ON_3dPoint p;
    ASSERT_TRUE(s.GetCV(2, 4, p));
    EXPECT_EQ(p, ON_3dPoint(2, 4, Bumpy(2, 4)));
}

TEST(NurbsSurface, EvaluatesTheTensorProduct)
{
    // Orders 3 and 4 with 3 and 4 CVs: a Bezier patch, whose value is the Bernstein sum.
    const ON_NurbsSurface s = Surface(3, 4, 3, 4, Bumpy);
    for (const double u : {0.0, 0.3, 1.0})
    {
        for (const double v : {0.0, 0.55, 1.0})
        {
            ON_3dPoint expected(0, 0, 0);
            for (int i = 0; i < 3; i++)
            {
                for (int j = 0; j < 4; j++)
                {
                    const double b = Bernstein(i, 2, u) * Bernstein(j, 3, v);
                    expected = expected + ON_3dPoint(i, j, Bumpy(i, j)) * b;
                }
            }
            ExpectNear(s.PointAt(u, v), expected);
        }
    }
}

TEST(NurbsSurface, IsoCurvesRunAlongTheirDirection)
{
    const ON_NurbsSurface s = Surface(3, 4, 3, 5, Bumpy);
    // Direction 0: the first parameter varies, the second is fixed.
    const auto along_u = Iso(s, 0, 0.5);
    ASSERT_TRUE(along_u);
    EXPECT_EQ(along_u->Order(), 3);
    EXPECT_EQ(along_u->CVCount(), 3);
    EXPECT_EQ(Knots(*along_u), (std::vector<double>{0, 0, 1, 1}));
    EXPECT_TRUE(BitExact(along_u->PointAt(0.3), s.PointAt(0.3, 0.5)));

    const auto along_v = Iso(s, 1, 0.25);
    ASSERT_TRUE(along_v);
    EXPECT_EQ(along_v->Order(), 4);
    EXPECT_EQ(along_v->CVCount(), 5);
    EXPECT_EQ(Knots(*along_v), (std::vector<double>{0, 0, 0, 1, 2, 2, 2}));
    for (const double t : {0.0, 0.7, 1.5, 2.0})
    {
        ExpectNear(along_v->PointAt(t), s.PointAt(0.25, t));
    }
    // Outside the domain the end span is extrapolated.
    const auto beyond = Iso(s, 0, 2.5);
    ASSERT_TRUE(beyond);
    ExpectNear(beyond->PointAt(0.5), s.PointAt(0.5, 2.5));

    EXPECT_EQ(s.IsoCurve(2, 0.5), nullptr);
    EXPECT_EQ(s.IsoCurve(-1, 0.5), nullptr);
}

TEST(NurbsSurface, RationalCVsAreReadDividedByTheirWeights)
{
    ON_NurbsSurface s;
    ASSERT_TRUE(s.Create(3, true, 2, 2, 2, 2));
    s.MakeClampedUniformKnotVector(0);
    s.MakeClampedUniformKnotVector(1);
    s.SetCV(0, 0, ON_4dPoint(0, 0, 0, 1));
    s.SetCV(1, 0, ON_4dPoint(2, 0, 0, 2));
    s.SetCV(0, 1, ON_4dPoint(0, 0.5, 0.5, 0.5));
    s.SetCV(1, 1, ON_4dPoint(4, 4, 4, 4));
    ON_3dPoint p(7, 7, 7);
    ASSERT_TRUE(s.GetCV(0, 1, p));
    EXPECT_EQ(p, ON_3dPoint(0, 1, 1));
    EXPECT_EQ(s.Weight(0, 1), 0.5);
    EXPECT_EQ(s.PointAt(1, 1), ON_3dPoint(1, 1, 1));
    const ON_BoundingBox box = s.BoundingBox();
    EXPECT_EQ(box.m_min, ON_3dPoint(0, 0, 0));
    EXPECT_EQ(box.m_max, ON_3dPoint(1, 1, 1));

    const auto iso = Iso(s, 1, 1.0);
    ASSERT_TRUE(iso);
    EXPECT_TRUE(iso->IsRational());
    EXPECT_EQ(iso->PointAtEnd(), ON_3dPoint(1, 1, 1));

    s.SetCV(1, 1, ON_4dPoint(4, 4, 4, 0));
    p = ON_3dPoint(7, 7, 7);
    EXPECT_FALSE(s.GetCV(1, 1, p));
    EXPECT_EQ(p, ON_3dPoint(7, 7, 7));
    EXPECT_FALSE(s.IsValid());
}

TEST(NurbsSurface, BoxOfTheControlPointsAndTranslation)
{
    ON_NurbsSurface s = Surface(3, 3, 3, 3, [](int i, int j) { return i == 1 && j == 1 ? -3.0 : 0.0; });
    // The box holds the CVs, not the surface, which dips only to -0.75.
    EXPECT_EQ(s.BoundingBox().m_min, ON_3dPoint(0, 0, -3));
    EXPECT_EQ(s.PointAt(0.5, 0.5).z, -0.75);

    const ON_NurbsSurface copy = s;
    ASSERT_TRUE(s.Translate(ON_3dVector(0, 0, -2)));
    EXPECT_EQ(s.BoundingBox().m_min, ON_3dPoint(0, 0, -5));
    EXPECT_EQ(copy.BoundingBox().m_min, ON_3dPoint(0, 0, -3)) << "a copy is deep";
}

TEST(NurbsSurface, PeriodicNeedsPeriodicKnotsAndWrappedCVs)
{
    // Order 3 with 5 CVs in u over the periodic knots -1 0 1 2 3 4; the last two CVs of a u row
    // repeat its first two.
    ON_NurbsSurface s;
    ASSERT_TRUE(s.Create(3, false, 3, 2, 5, 2));
    s.MakeClampedUniformKnotVector(1);
    for (int k = 0; k < 6; k++)
    {
        s.m_knot[0][k] = k - 1.0;
    }
    for (int j = 0; j < 2; j++)
    {
        for (int i = 0; i < 5; i++)
        {
            s.SetCV(i, j, ON_3dPoint(i % 3, j, i % 3 == 1 ? 1 : 0));
        }
    }
    EXPECT_TRUE(s.IsPeriodic(0));
    EXPECT_FALSE(s.IsPeriodic(1));
    // The toolkit compares only the first row.
    s.SetCV(4, 1, ON_3dPoint(9, 9, 9));
    EXPECT_TRUE(s.IsPeriodic(0));
    s.SetCV(4, 0, ON_3dPoint(9, 9, 9));
    EXPECT_FALSE(s.IsPeriodic(0));

    EXPECT_FALSE(Surface(3, 3, 5, 5, Bumpy).IsPeriodic(0));
}

TEST(NurbsSurface, IncompleteDataIsReadSafely)
{
    ON_NurbsSurface s;
    EXPECT_FALSE(s.Create(3, false, 1, 2, 2, 2));
    EXPECT_FALSE(s.Create(3, false, 3, 2, 2, 2));
    EXPECT_FALSE(s.Create(0, false, 2, 2, 2, 2));
    EXPECT_EQ(s.KnotCount(0), -2);
    EXPECT_EQ(s.Knot(0, 0), 0.0);
    EXPECT_FALSE(s.Domain(0).IsValid());
    EXPECT_EQ(s.PointAt(0, 0), ON_UNSET_POINT);
    EXPECT_EQ(s.IsoCurve(0, 0), nullptr);
    EXPECT_FALSE(s.IsValid());
    EXPECT_FALSE(s.IsPeriodic(0));
    EXPECT_FALSE(s.BoundingBox().IsValid());

    // Knots taken away from a complete surface: nothing evaluates, copies stay safe.
    ON_NurbsSurface without = Surface(2, 2, 2, 2, Bumpy);
    delete[] without.m_knot[1];
    without.m_knot[1] = nullptr;
    EXPECT_FALSE(without.Domain(0).IsValid());
    EXPECT_EQ(without.IsoCurve(1, 0.5), nullptr);
    EXPECT_EQ(without.PointAt(0.5, 0.5), ON_UNSET_POINT);
    const ON_NurbsSurface copy = without;
    EXPECT_EQ(copy.m_knot[1], nullptr);
    EXPECT_EQ(copy.Knot(1, 0), 0.0);

    // More CVs in the first direction than were allocated: the copy leaves out the arrays that
    // fall short instead of reading past them.
    ON_NurbsSurface grown = Surface(2, 3, 2, 3, Bumpy);
    grown.m_cv_count[0] = 4;
    const ON_NurbsSurface grownCopy = grown;
    EXPECT_EQ(grownCopy.m_cv_count[0], 4);
    EXPECT_EQ(grownCopy.m_knot[0], nullptr);
    EXPECT_EQ(grownCopy.m_cv, nullptr);
    ASSERT_NE(grownCopy.m_knot[1], nullptr);
    EXPECT_EQ(grownCopy.Knot(1, 2), grown.Knot(1, 2));
    EXPECT_FALSE(grownCopy.IsValid());
}

TEST(PlaneSurface, DomainsExtentsAndCasts)
{
    const ON_PlaneSurface unset;
    EXPECT_FALSE(unset.Domain(0).IsValid());
    EXPECT_FALSE(unset.IsValid());

    ON_PlaneSurface plane(ON_Plane(ON_3dPoint(1, 2, 3), ON_3dVector(0, 0, 1)));
    EXPECT_EQ(plane.Domain(0), ON_Interval(0, 1));
    EXPECT_EQ(plane.Extents(1), ON_Interval(0, 1));
    EXPECT_TRUE(plane.IsValid());
    ASSERT_TRUE(plane.SetExtents(0, ON_Interval(-2, 2)));
    EXPECT_EQ(plane.PointAt(0.25, 1), ON_3dPoint(0, 3, 3)) << "the domain maps onto the extents";
    EXPECT_EQ(plane.BoundingBox().m_min, ON_3dPoint(-1, 2, 3));

    const ON_NurbsSurface nurbs = Surface(2, 2, 2, 2, Bumpy);
    const ON_Object* objects[] = {&plane, &nurbs};
    EXPECT_EQ(ON_PlaneSurface::Cast(objects[0]), &plane);
    EXPECT_EQ(ON_NurbsSurface::Cast(objects[0]), nullptr);
    EXPECT_EQ(ON_NurbsSurface::Cast(objects[1]), &nurbs);
    EXPECT_EQ(ON_PlaneSurface::Cast(objects[1]), nullptr);
    EXPECT_EQ(ON_Surface::Cast(objects[1]), &nurbs);
}
