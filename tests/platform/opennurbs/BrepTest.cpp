#include "BitExact.h"

#include <vector>

namespace
{
// A brep with one straight edge from (0, 0, 0) to (n, 0, 0).
ON_Brep LineBrep(double n)
{
    ON_Brep brep;
    brep.NewVertex(ON_origin);
    brep.NewVertex(ON_3dPoint(n, 0, 0));
    const int c3i = brep.AddEdgeCurve(new ON_LineCurve(ON_Line(brep.m_V[0].point, brep.m_V[1].point)));
    brep.NewEdge(brep.m_V[0], brep.m_V[1], c3i);
    return brep;
}

double EdgeEnd(const ON_Brep& brep, int ei)
{
    const ON_Curve* curve = brep.m_E[ei].EdgeCurveOf();
    return curve != nullptr ? curve->PointAtEnd().x : -1.0;
}
} // namespace

TEST(Brep, EdgesNameTheirVerticesAndCurves)
{
    ON_Brep brep = LineBrep(2);
    const int arc = brep.AddEdgeCurve(new ON_ArcCurve(ON_Arc()));
    brep.NewEdge(brep.m_V[1], brep.m_V[0], arc);
    brep.NewEdge(brep.m_V[0], brep.m_V[0], 7);
    EXPECT_EQ(brep.AddEdgeCurve(nullptr), -1);

    ASSERT_EQ(brep.m_E.Count(), 3);
    EXPECT_EQ(brep.m_E[1].m_edge_index, 1);
    EXPECT_EQ(brep.m_E[1].m_c3i, 1);
    EXPECT_EQ(brep.m_E[1].m_vi[0], 1);
    EXPECT_EQ(brep.m_E[1].m_vi[1], 0);
    EXPECT_EQ(brep.m_E[0].EdgeCurveOf(), brep.m_C3[0]);
    EXPECT_EQ(brep.m_E[1].EdgeCurveOf(), brep.m_C3[1]);
    EXPECT_EQ(brep.m_E[2].EdgeCurveOf(), nullptr) << "no curve 7";
}

TEST(Brep, CopiesOwnTheirCurvesAndSurviveArrayGrowth)
{
    ON_Brep original = LineBrep(1);
    {
        const ON_Brep copy = original;
        ASSERT_EQ(copy.m_C3.Count(), 1);
        EXPECT_NE(copy.m_C3[0], original.m_C3[0]);
        EXPECT_EQ(copy.m_E[0].EdgeCurveOf(), copy.m_C3[0]);
    }
    EXPECT_EQ(EdgeEnd(original, 0), 1) << "the copy deleted only its own curve";

    // Growing moves the breps bitwise; each edge must still reach its own curve.
    ON_ClassArray<ON_Brep> breps;
    for (int n = 1; n <= 9; n++)
    {
        breps.Append(LineBrep(n));
    }
    breps.Append(breps[0]);
    ASSERT_EQ(breps.Count(), 10);
    for (int i = 0; i < 9; i++)
    {
        EXPECT_EQ(EdgeEnd(breps[i], 0), i + 1) << "brep " << i;
    }
    EXPECT_EQ(EdgeEnd(breps[9], 0), 1);
    EXPECT_NE(breps[9].m_C3[0], breps[0].m_C3[0]);
}

TEST(ClassArray, HoldsNurbsSurfacesByValue)
{
    ON_NurbsSurface s;
    ASSERT_TRUE(s.Create(3, false, 2, 2, 2, 2));
    s.MakeClampedUniformKnotVector(0);
    s.MakeClampedUniformKnotVector(1);
    ON_ClassArray<ON_NurbsSurface> surfaces;
    for (int n = 0; n < 9; n++)
    {
        s.SetCV(1, 1, ON_3dPoint(n, n, n));
        surfaces.Append(s);
    }
    surfaces.Append(surfaces[2]);
    for (int n = 0; n < 9; n++)
    {
        EXPECT_EQ(surfaces[n].PointAt(1, 1), ON_3dPoint(n, n, n));
    }
    EXPECT_EQ(surfaces[9].PointAt(1, 1), ON_3dPoint(2, 2, 2));
    EXPECT_NE(surfaces[9].m_cv, surfaces[2].m_cv);
}
