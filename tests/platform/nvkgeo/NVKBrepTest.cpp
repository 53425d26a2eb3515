#include "NVKBrep.h"

#include <gtest/gtest.h>

TEST(NVKBrep, AppendsOneNurbsCurvePerEdgeThatHasOne)
{
    ON_Brep brep;
    brep.NewVertex(ON_3dPoint(0, 0, 0));
    brep.NewVertex(ON_3dPoint(3, 4, 0));
    const int line = brep.AddEdgeCurve(new ON_LineCurve(ON_Line(brep.m_V[0].point, brep.m_V[1].point)));
    ON_Arc half;
    half.m_angle = ON_Interval(0, ON_PI);
    const int arc = brep.AddEdgeCurve(new ON_ArcCurve(half));
    // A polyline of one point has no NURBS form.
    ON_3dPointArray lonePoint;
    lonePoint.Append(ON_3dPoint(1, 1, 1));
    const int lone = brep.AddEdgeCurve(new ON_PolylineCurve(lonePoint));
    brep.NewEdge(brep.m_V[0], brep.m_V[1], line);
    brep.NewEdge(brep.m_V[0], brep.m_V[0], 99);
    brep.NewEdge(brep.m_V[0], brep.m_V[0], lone);
    brep.NewEdge(brep.m_V[1], brep.m_V[0], arc);

    ON_ClassArray<ON_NurbsCurve> curves;
    curves.AppendNew();
    EXPECT_EQ(NVKBrep::GetEdgeCurves(brep, curves), 2);
    ASSERT_EQ(curves.Count(), 3) << "appended after what the array held";
    EXPECT_EQ(curves[0].CVCount(), 0);
    EXPECT_EQ(curves[1].Order(), 2);
    EXPECT_EQ(curves[1].PointAtStart(), ON_3dPoint(0, 0, 0));
    EXPECT_EQ(curves[1].PointAtEnd(), ON_3dPoint(3, 4, 0));
    EXPECT_EQ(curves[2].Order(), 3);
    EXPECT_TRUE(curves[2].IsRational());
    EXPECT_EQ(curves[2].CVCount(), 5);
    EXPECT_EQ(curves[2].PointAtStart(), ON_3dPoint(1, 0, 0));

    const ON_Brep empty;
    EXPECT_EQ(NVKBrep::GetEdgeCurves(empty, curves), 0);
    EXPECT_EQ(curves.Count(), 3);
}
