#include "CurveFixtures.h"
#include "JournalText.h"
#include "SketchDocument.h"

#include "NVKSWON.h"

#include "sim/Host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::ElementsAreArray;

namespace
{
ON_4dPoint P(double x, double y, double z, double w = 1.0)
{
    return ON_4dPoint(x, y, z, w);
}

ON_3dPointArray Points(std::initializer_list<ON_3dPoint> points)
{
    ON_3dPointArray array;
    for (const ON_3dPoint& p : points)
        array.Append(p);
    return array;
}

const ON_Arc kHalfCircleUp = MakeArc(ON_3dPoint(5, 5, 0), ON_zaxis, 10, ON_PI);

class SketchEntities : public SketchDocumentTest
{
};
} // namespace

TEST_F(SketchEntities, PointAndLineGiveTheHostsAnswer)
{
    const ON_3dPoint point(1000, 250, 0);
    const ON_Line line(ON_origin, point);
    EXPECT_EQ(NVKSWON::CreateSketchPoint(Doc(), point, 0.001), 0);
    EXPECT_EQ(NVKSWON::CreateSketchLine(Doc(), line, 0.001), 1);
    host.FailCall("CreateSketchPoint", 2, E_FAIL);
    host.FailCall("CreateSketchLine", 2, E_FAIL);
    EXPECT_EQ(NVKSWON::CreateSketchPoint(Doc(), point, 0.001), int(E_FAIL));
    EXPECT_EQ(NVKSWON::CreateSketchLine(Doc(), line, 0.001), 0);
    EXPECT_THAT(host.Journal(), ElementsAre("doc1.CreateSketchPoint(1, 0.25, 0) -> S_OK, point1",
                                            "doc1.CreateSketchLine(0, 0, 0, 1, 0.25, 0) -> S_OK, line1",
                                            "doc1.CreateSketchPoint(1, 0.25, 0) -> E_FAIL",
                                            "doc1.CreateSketchLine(0, 0, 0, 1, 0.25, 0) -> E_FAIL"));
}

TEST_F(SketchEntities, PointsGoOneByOneWhateverTheHostSays)
{
    const struct
    {
        ON_3dPointArray points;
        int progress;
        std::vector<std::string> window;
    } cases[] = {
        {Points({{1, 2, 3}, {4, 5, 6}}),
         1,
         {"Construct(\"Creating points\", \"\", 0, 100, null)", "SetMax(2)", "StartProgress()", "StepIt(1)",
          "StepIt(1)", "EndProgress()", "Destroy()"}},
        {Points({}),
         1,
         {"Construct(\"Creating points\", \"\", 0, 100, null)", "SetMax(0)", "StartProgress()",
          "EndProgress()", "Destroy()"}},
        {Points({{1, 2, 3}}), 0, {"Construct(\"Creating points\", \"\", 0, 100, null)", "Destroy()"}},
        {Points({}), 0, {"Construct(\"Creating points\", \"\", 0, 100, null)", "Destroy()"}},
    };
    for (const auto& c : cases)
    {
        host.ClearJournal();
        driver.progress.clear();
        host.FailCall("CreateSketchPoint", host.CallCount("CreateSketchPoint") + 1, E_FAIL);
        EXPECT_EQ(NVKSWON::CreateSketchPoints(Doc(), c.points, 2.0, c.progress), 1);
        EXPECT_EQ(host.Journal().size(), size_t(c.points.Count()));
        EXPECT_THAT(driver.ProgressLines(), ElementsAreArray(c.window));
    }
    // The first point of each call was refused: only the second of the first call is there.
    EXPECT_EQ(sketch->Sketch().Count(sim::SketchEntityKind::Point), 1u);
    EXPECT_THAT(Entities().back().values, ElementsAre(8, 10, 12));
}

TEST_F(SketchEntities, PolylineStopsAtTheFirstLineRefused)
{
    const ON_Polyline pentagon(Points({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {1, 2, 0}, {0, 1, 0}}));
    EXPECT_EQ(NVKSWON::CreateSketchPolyline(Doc(), pentagon, 2.0), 1);
    EXPECT_THAT(host.Journal(), ElementsAre("doc1.CreateSketchLine(0, 0, 0, 2, 0, 0) -> S_OK, line1",
                                            "doc1.CreateSketchLine(2, 0, 0, 4, 2, 0) -> S_OK, line2",
                                            "doc1.CreateSketchLine(4, 2, 0, 2, 4, 0) -> S_OK, line3",
                                            "doc1.CreateSketchLine(2, 4, 0, 0, 2, 0) -> S_OK, line4"));
    host.ClearJournal();
    host.FailCall("CreateSketchLine", 7, E_FAIL);
    EXPECT_EQ(NVKSWON::CreateSketchPolyline(Doc(), pentagon, 2.0), 0);
    EXPECT_THAT(CallsOf(host.Journal()),
                ElementsAre("doc1.CreateSketchLine", "doc1.CreateSketchLine", "doc1.CreateSketchLine"));
    EXPECT_EQ(sketch->Sketch().Count(sim::SketchEntityKind::Line), 6u);

    host.ClearJournal();
    EXPECT_EQ(NVKSWON::CreateSketchPolyline(Doc(), ON_Polyline(Points({{1, 1, 1}})), 1.0), 1);
    EXPECT_EQ(NVKSWON::CreateSketchPolyline(Doc(), ON_Polyline(), 1.0), 1);
    EXPECT_TRUE(host.Journal().empty());
}

TEST_F(SketchEntities, SplineHandsTheHostEveryPointEvenNone)
{
    EXPECT_EQ(NVKSWON::CreateSketchSpline(Doc(), Points({{1, 2, 3}, {4, 5, 6}}), 2.0), 1);
    EXPECT_EQ(NVKSWON::CreateSketchSpline(Doc(), Points({}), 2.0), 1);
    host.FailCall("CreateSketchSpline", 3, E_FAIL);
    EXPECT_EQ(NVKSWON::CreateSketchSpline(Doc(), Points({}), 2.0), 0);
    EXPECT_THAT(host.Journal(),
                ElementsAre("doc1.CreateSketchSpline(2, [2, 4, 6, 8, 10, 12]) -> S_OK, spline1",
                            "doc1.CreateSketchSpline(0, []) -> S_OK, spline2",
                            "doc1.CreateSketchSpline(0, []) -> E_FAIL"));
}

TEST_F(SketchEntities, OpenCurvesGoExactWithPaddedKnotsAndPointsWithoutWeights)
{
    const struct
    {
        ON_NurbsCurve curve;
        double scale;
        std::string line;
    } cases[] = {
        {MakeNurbsCurve(4, false, {P(0, 0, 0), P(1000, 0, 0), P(2000, 1000, 0), P(3000, 0, 500)},
                        {0, 0, 0, 1, 1, 1}),
         0.001,
         "doc1.CreateSketchBSpline([3, 4, 4, 0], [0, 0, 0, 0, 1, 1, 1, 1], [0, 0, 0, 1, 0, 0, 2, 1, 0, 3, 0, "
         "0.5]) "
         "-> S_OK, bspline1"},
        // Knots stay as they are at any scale; each point is divided by its weight.
        {MakeNurbsCurve(3, true, {P(0, 0, 0), P(2, 4, 0, 2), P(8, 0, 0, 2)}, {0, 0, 5, 5}), 2.0,
         "doc1.CreateSketchBSpline([3, 3, 3, 0], [0, 0, 0, 5, 5, 5], [0, 0, 0, 2, 4, 0, 8, 0, 0]) -> S_OK, "
         "bspline2"},
        {MakeNurbsCurve(2, false, {P(0, 0, 0), P(1, 0, 0), P(1, 1, 0)}, {0.5, 1.5, 4}), 1.0,
         "doc1.CreateSketchBSpline([3, 2, 3, 0], [0.5, 0.5, 1.5, 4, 4], [0, 0, 0, 1, 0, 0, 1, 1, 0]) -> "
         "S_OK, bspline3"},
    };
    for (const auto& c : cases)
    {
        host.ClearJournal();
        EXPECT_EQ(NVKSWON::CreateSketchNurbsCurve(Doc(), c.curve, c.scale), 1);
        EXPECT_THAT(host.Journal(), ElementsAre(c.line));
    }
    host.FailCall("CreateSketchBSpline", 4, E_FAIL);
    EXPECT_EQ(NVKSWON::CreateSketchNurbsCurve(Doc(), cases[0].curve, 1.0), 0);
}

TEST_F(SketchEntities, ClosedCurvesGoAsSplinesThroughPointsOfThem)
{
    const ON_NurbsCurve circle = ArcForm(MakeArc(ON_3dPoint(5, 5, 0), ON_zaxis, 10, 2 * ON_PI));
    EXPECT_EQ(NVKSWON::CreateSketchNurbsCurve(Doc(), circle, 0.5), 1);
    EXPECT_THAT(CallsOf(host.Journal()), ElementsAre("doc1.CreateSketchSpline"));
    const sim::SketchEntity& spline = Entities().at(0);
    const int count = spline.integers.at(0);
    EXPECT_GE(count, 25); // at most 15 degrees from one segment to the next
    ASSERT_EQ(spline.values.size(), size_t(3 * count));
    for (int i = 0; i < count; i++)
    {
        const ON_3dPoint p(spline.values[3 * i], spline.values[3 * i + 1], spline.values[3 * i + 2]);
        EXPECT_NEAR(p.DistanceTo(ON_3dPoint(2.5, 2.5, 0)), 5, 1e-12) << "point " << i;
    }
    EXPECT_EQ(ON_3dPoint(spline.values[0], spline.values[1], spline.values[2]), ON_3dPoint(7.5, 2.5, 0));
}

TEST_F(SketchEntities, CurvesThatCannotBeReadAreSkipped)
{
    ON_NurbsCurve tooFewPoints = MakePolylineCurve({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    tooFewPoints.m_order = 4;
    // As many knots as that order has, so that its only fault is the number of control points.
    delete[] tooFewPoints.m_knot;
    tooFewPoints.m_knot = new double[5]{0, 0, 0, 1, 1};
    tooFewPoints.m_knot_capacity = 5;
    ON_NurbsCurve withoutKnots = MakePolylineCurve({{0, 0, 0}, {1, 0, 0}});
    delete[] withoutKnots.m_knot;
    withoutKnots.m_knot = nullptr;
    withoutKnots.m_knot_capacity = 0;
    // Counts raised after the arrays were allocated: reading by the counts would leave them.
    ON_NurbsCurve beyondItsArrays = MakePolylineCurve({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}});
    beyondItsArrays.m_cv_count = 5;
    ON_NurbsCurve orderBeyondItsKnots = MakePolylineCurve({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}});
    orderBeyondItsKnots.m_order = 3;
    ON_NurbsCurve strideBeyondItsPoints = MakePolylineCurve({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}});
    strideBeyondItsPoints.m_cv_stride = 4;
    const ON_NurbsCurve empty;
    const ON_NurbsCurve openWeightZero =
        MakeNurbsCurve(3, true, {P(0, 0, 0), P(1, 1, 0, 0), P(2, 0, 0)}, {0, 0, 1, 1});
    const ON_NurbsCurve closedWeightZero =
        MakeNurbsCurve(3, true, {P(0, 0, 0), P(1, 1, 0, 0), P(2, 0, 0), P(0, 0, 0)}, {0, 0, 1, 2, 2});
    // The curves themselves, not copies: a copy leaves out arrays shorter than its counts.
    const ON_NurbsCurve* curves[] = {&empty,           &tooFewPoints,        &withoutKnots,
                                     &beyondItsArrays, &orderBeyondItsKnots, &strideBeyondItsPoints,
                                     &openWeightZero,  &closedWeightZero};
    ON_ClassArray<ON_NurbsCurve> array;
    for (const ON_NurbsCurve* curve : curves)
    {
        EXPECT_EQ(NVKSWON::CreateSketchNurbsCurve(Doc(), *curve, 1.0), 0);
        array.Append(*curve);
    }
    EXPECT_EQ(NVKSWON::CreateSketchCurves(Doc(), array, 1.0, 0), 1);
    EXPECT_TRUE(host.Journal().empty());
}

TEST_F(SketchEntities, ArcsInTheXYPlaneAreCirclesOrArcsTurningTheirWay)
{
    const struct
    {
        std::string name;
        ON_Arc arc;
        sim::SketchEntityKind kind;
        int direction; // of an arc
    } cases[] = {
        {"full circle", MakeArc(ON_3dPoint(5, 5, 0), ON_zaxis, 10, 2 * ON_PI), sim::SketchEntityKind::Circle,
         0},
        {"half circle about +z", kHalfCircleUp, sim::SketchEntityKind::Arc, 1},
        {"half circle about -z", MakeArc(ON_3dPoint(5, 5, 0), -ON_zaxis, 10, ON_PI),
         sim::SketchEntityKind::Arc, -1},
        {"full circle at z = 0.5", MakeArc(ON_3dPoint(5, 5, 0.5), ON_zaxis, 10, 2 * ON_PI),
         sim::SketchEntityKind::Spline, 0},
        {"quarter in a vertical plane", MakeArc(ON_3dPoint(5, 5, 0), ON_xaxis, 10, ON_PI / 2),
         sim::SketchEntityKind::BSpline, 0},
    };
    const double scale = 2.0;
    for (const auto& c : cases)
    {
        EXPECT_EQ(NVKSWON::CreateSketchArc(Doc(), c.arc, scale), 1) << c.name;
        const sim::SketchEntity& entity = Entities().back();
        EXPECT_EQ(entity.kind, c.kind) << c.name;
        const ON_3dPoint center = c.arc.Center() * scale;
        const ON_3dPoint start = c.arc.StartPoint() * scale;
        const ON_3dPoint end = c.arc.EndPoint() * scale;
        if (c.kind == sim::SketchEntityKind::Circle)
        {
            EXPECT_THAT(entity.values, ElementsAre(10, 10, 0, 20)) << c.name;
        }
        if (c.kind == sim::SketchEntityKind::Arc)
        {
            EXPECT_THAT(entity.values, ElementsAre(center.x, center.y, center.z, start.x, start.y, start.z,
                                                   end.x, end.y, end.z))
                << c.name;
            EXPECT_THAT(entity.integers, ElementsAre(c.direction)) << c.name;
        }
    }
    host.FailCall("CreateSketchCircle", 2, E_FAIL);
    host.FailCall("CreateSketchArc", 3, E_FAIL);
    EXPECT_EQ(NVKSWON::CreateSketchArc(Doc(), cases[0].arc, scale), 0);
    EXPECT_EQ(NVKSWON::CreateSketchArc(Doc(), kHalfCircleUp, scale), 0);
}

TEST_F(SketchEntities, CurvesAreDrawnAsTheFirstShapeTheyAre)
{
    ON_ClassArray<ON_NurbsCurve> curves;
    curves.Append(
        MakeNurbsCurve(4, false, {P(0, 0, 0), P(1, 1, 1), P(2, 2, 2), P(3, 3, 3)}, {0, 0, 0, 1, 1, 1}));
    curves.Append(ArcForm(kHalfCircleUp));
    curves.Append(MakePolylineCurve({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {1, 2, 0}, {0, 1, 0}}));
    curves.Append(
        MakeNurbsCurve(4, false, {P(0, 0, 0), P(1, 3, 0), P(2, -3, 1), P(3, 0, 0)}, {0, 0, 0, 1, 1, 1}));
    curves.Append(ArcForm(MakeArc(ON_3dPoint(5, 5, 0), ON_zaxis, 10, 2 * ON_PI)));
    curves.Append(ON_NurbsCurve());
    curves.Append(ArcForm(MakeArc(ON_3dPoint(5, 5, 0.5), ON_zaxis, 10, 2 * ON_PI)));
    curves.Append(ArcForm(MakeArc(ON_origin, -ON_zaxis, 1, ON_PI / 2)));
    EXPECT_EQ(NVKSWON::CreateSketchCurves(Doc(), curves, 1.0, 1), 1);
    EXPECT_THAT(CallsOf(host.Journal()),
                ElementsAre("doc1.CreateSketchLine", "doc1.CreateSketchArc", "doc1.CreateSketchLine",
                            "doc1.CreateSketchLine", "doc1.CreateSketchLine", "doc1.CreateSketchLine",
                            "doc1.CreateSketchBSpline", "doc1.CreateSketchCircle", "doc1.CreateSketchSpline",
                            "doc1.CreateSketchArc"));
    EXPECT_THAT(Entities().at(0).values, ElementsAre(0, 0, 0, 3, 3, 3));
    EXPECT_THAT(Entities().back().integers, ElementsAre(-1));
    std::vector<std::string> window = {"Construct(\"Creating curves\", \"\", 0, 100, null)", "SetMax(8)",
                                       "StartProgress()"};
    window.insert(window.end(), 8, "StepIt(1)");
    window.insert(window.end(), {"EndProgress()", "Destroy()"});
    EXPECT_THAT(driver.ProgressLines(), ElementsAreArray(window));

    // Refused entities do not stop the list or change its result; an empty list calls nothing.
    host.ClearJournal();
    driver.progress.clear();
    for (const char* operation : {"CreateSketchLine", "CreateSketchArc", "CreateSketchCircle",
                                  "CreateSketchSpline", "CreateSketchBSpline"})
        for (int nth = 1; nth <= 20; nth++)
            host.FailCall(operation, nth, E_FAIL);
    EXPECT_EQ(NVKSWON::CreateSketchCurves(Doc(), curves, 1.0, 0), 1);
    EXPECT_EQ(host.Journal().size(), 7u); // the polyline stops at its first refused line
    host.ClearJournal();
    EXPECT_EQ(NVKSWON::CreateSketchCurves(Doc(), ON_ClassArray<ON_NurbsCurve>(), 1.0, 1), 1);
    EXPECT_TRUE(host.Journal().empty());
    EXPECT_THAT(driver.ProgressLines(),
                ElementsAre("Construct(\"Creating curves\", \"\", 0, 100, null)", "Destroy()",
                            "Construct(\"Creating curves\", \"\", 0, 100, null)", "SetMax(0)",
                            "StartProgress()", "EndProgress()", "Destroy()"));
}
