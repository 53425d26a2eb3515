#include "JournalText.h"
#include "SketchDocument.h"
#include "SurfaceFixtures.h"

#include "NVKSWON.h"

#include "sim/Host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

using testing::ElementsAre;
using testing::ElementsAreArray;

namespace
{
// A brep whose edges are a line, a half circle in the XY plane and a curve with no NURBS form.
ON_Brep TwoEdgeBrep()
{
    ON_Brep brep;
    brep.NewVertex(ON_3dPoint(1, 0, 0));
    brep.NewVertex(ON_3dPoint(-1, 0, 0));
    const int line = brep.AddEdgeCurve(new ON_LineCurve(ON_Line(ON_3dPoint(1, 0, 0), ON_3dPoint(-1, 0, 0))));
    ON_Arc half;
    half.m_angle = ON_Interval(0, ON_PI);
    const int arc = brep.AddEdgeCurve(new ON_ArcCurve(half));
    const int lone = brep.AddEdgeCurve(new ON_PolylineCurve(ON_3dPointArray()));
    brep.NewEdge(brep.m_V[0], brep.m_V[1], line);
    brep.NewEdge(brep.m_V[0], brep.m_V[1], arc);
    brep.NewEdge(brep.m_V[0], brep.m_V[0], lone);
    return brep;
}

// The parameters of one iso-curve family, by the same repeated addition.
std::vector<double> Steps(int count)
{
    std::vector<double> values;
    for (double c = 0; c < 1; c += 1.0 / count)
        values.push_back(c);
    values.push_back(1);
    return values;
}

class SketchWireframes : public SketchDocumentTest
{
};
} // namespace

TEST_F(SketchWireframes, FourByFourSurfaceGivesFiveIsoCurvesEachWay)
{
    EXPECT_EQ(NVKSWON::CreateSketchFromSurface(Doc(), MakeGridSurface(4, 4), 2.0, 1), 1);
    EXPECT_THAT(host.Journal(), ElementsAre( // along u at v = 0, 0.25, 0.5, 0.75, 1; then along v
                                    "doc1.CreateSketchLine(0, 0, 0, 6, 0, 0) -> S_OK, line1",
                                    "doc1.CreateSketchLine(0, 1.5, 0, 6, 1.5, 0) -> S_OK, line2",
                                    "doc1.CreateSketchLine(0, 3, 0, 6, 3, 0) -> S_OK, line3",
                                    "doc1.CreateSketchLine(0, 4.5, 0, 6, 4.5, 0) -> S_OK, line4",
                                    "doc1.CreateSketchLine(0, 6, 0, 6, 6, 0) -> S_OK, line5",
                                    "doc1.CreateSketchLine(0, 0, 0, 0, 6, 0) -> S_OK, line6",
                                    "doc1.CreateSketchLine(1.5, 0, 0, 1.5, 6, 0) -> S_OK, line7",
                                    "doc1.CreateSketchLine(3, 0, 0, 3, 6, 0) -> S_OK, line8",
                                    "doc1.CreateSketchLine(4.5, 0, 0, 4.5, 6, 0) -> S_OK, line9",
                                    "doc1.CreateSketchLine(6, 0, 0, 6, 6, 0) -> S_OK, line10"));
    std::vector<std::string> window = {"Construct(\"Creating curves\", \"\", 0, 100, null)", "SetMax(10)",
                                       "StartProgress()"};
    window.insert(window.end(), 10, "StepIt(1)");
    window.insert(window.end(), {"EndProgress()", "Destroy()"});
    EXPECT_THAT(driver.ProgressLines(), ElementsAreArray(window));
}

TEST_F(SketchWireframes, IsoCurvesStepByRepeatedAdditionAndEndAtTheEnd)
{
    const struct
    {
        int count0, count1;
        std::vector<double> v, u; // where the families along u and along v are taken
    } cases[] = {
        {3,
         6,
         {0, 1.0 / 6, 2.0 / 6, 3.0 / 6, 4.0 / 6, 5.0 / 6, 0.9999999999999999, 1},
         {0, 1.0 / 3, 2.0 / 3, 1}},
        {2, 10, Steps(10), {0, 0.5, 1}},
    };
    EXPECT_EQ(cases[1].v.size(), 12u);
    EXPECT_EQ(cases[1].v[10], 0.9999999999999999);
    EXPECT_EQ(Steps(6)[6], cases[0].v[6]);
    for (const auto& c : cases)
    {
        host.ClearJournal();
        const size_t before = Entities().size();
        EXPECT_EQ(NVKSWON::CreateSketchFromSurface(Doc(), MakeGridSurface(c.count0, c.count1), 1.0, 0), 1);
        ASSERT_EQ(Entities().size() - before, c.v.size() + c.u.size()) << c.count0 << " x " << c.count1;
        EXPECT_EQ(host.CallCount("CreateSketchLine"), int(Entities().size()));
        for (size_t k = 0; k < c.v.size() + c.u.size(); k++)
        {
            const std::vector<double>& line = Entities()[before + k].values;
            const bool alongU = k < c.v.size();
            const double at = alongU ? (c.count1 - 1) * c.v[k] : (c.count0 - 1) * c.u[k - c.v.size()];
            const std::vector<double> expected =
                alongU ? std::vector<double>{0, at, 0, double(c.count0 - 1), at, 0}
                       : std::vector<double>{at, 0, 0, at, double(c.count1 - 1), 0};
            for (size_t i = 0; i < 6; i++)
                EXPECT_NEAR(line[i], expected[i], 1e-13) << c.count0 << " x " << c.count1 << ", curve " << k;
        }
    }
}

TEST_F(SketchWireframes, StepsThatCannotAdvanceEndTheirFamily)
{
    // v runs over [2^70, 2^70 + 2^18]: a quarter of that added to 2^70 changes nothing.
    ON_NurbsSurface farOut = MakeGridSurface(4, 4);
    const double start = std::ldexp(1.0, 70);
    const double end = start + std::ldexp(1.0, 18);
    for (int i = 0; i < 6; i++)
        farOut.m_knot[1][i] = i < 3 ? start : end;
    ASSERT_TRUE(farOut.IsValid());
    EXPECT_EQ(NVKSWON::CreateSketchFromSurface(Doc(), farOut, 1.0, 0), 1);
    EXPECT_THAT(host.Journal(), ElementsAre("doc1.CreateSketchLine(0, 0, 0, 3, 0, 0) -> S_OK, line1",
                                            "doc1.CreateSketchLine(0, 3, 0, 3, 3, 0) -> S_OK, line2",
                                            "doc1.CreateSketchLine(0, 0, 0, 0, 3, 0) -> S_OK, line3",
                                            "doc1.CreateSketchLine(0.75, 0, 0, 0.75, 3, 0) -> S_OK, line4",
                                            "doc1.CreateSketchLine(1.5, 0, 0, 1.5, 3, 0) -> S_OK, line5",
                                            "doc1.CreateSketchLine(2.25, 0, 0, 2.25, 3, 0) -> S_OK, line6",
                                            "doc1.CreateSketchLine(3, 0, 0, 3, 3, 0) -> S_OK, line7"));

    // An empty v domain gives its family one iso-curve, at its end; the other family's curves run
    // over nothing and go to the host as they are.
    ON_NurbsSurface empty = MakeGridSurface(4, 4);
    for (int i = 0; i < 6; i++)
        empty.m_knot[1][i] = 0.5;
    host.ClearJournal();
    EXPECT_EQ(NVKSWON::CreateSketchFromSurface(Doc(), empty, 1.0, 0), 1);
    EXPECT_THAT(CallsOf(host.Journal()), ElementsAre("doc1.CreateSketchLine", "doc1.CreateSketchBSpline",
                                                     "doc1.CreateSketchBSpline", "doc1.CreateSketchBSpline",
                                                     "doc1.CreateSketchBSpline", "doc1.CreateSketchBSpline"));
}

TEST_F(SketchWireframes, SurfacesThatCannotBeReadDrawNothing)
{
    ON_NurbsSurface tooFewPoints = MakeGridSurface(4, 4);
    tooFewPoints.m_cv_count[1] = 3;
    ON_NurbsSurface withoutKnots = MakeGridSurface(4, 4);
    delete[] withoutKnots.m_knot[0];
    withoutKnots.m_knot[0] = nullptr;
    withoutKnots.m_knot_capacity[0] = 0;
    ON_NurbsSurface weightZero;
    weightZero.Create(3, true, 3, 3, 3, 3);
    weightZero.MakeClampedUniformKnotVector(0);
    weightZero.MakeClampedUniformKnotVector(1);
    for (int i = 0; i < 3; i++)
    {
        for (int j = 0; j < 3; j++)
            weightZero.SetCV(i, j, ON_4dPoint(i, j, 0, i == 1 && j == 1 ? 0 : 1));
    }
    ON_NurbsSurface orderOne = MakeGridSurface(3, 3);
    orderOne.m_order[0] = 1;
    // Counts raised after the arrays were allocated: reading by the counts would leave them.
    ON_NurbsSurface beyondItsArrays = MakeGridSurface(3, 3);
    beyondItsArrays.m_cv_count[0] = 5;
    ON_NurbsSurface strideBeyondItsPoints = MakeGridSurface(3, 3);
    strideBeyondItsPoints.m_cv_stride[0] = 12;
    const ON_NurbsSurface empty;
    // The surfaces themselves, not copies: a copy leaves out arrays shorter than its counts.
    const ON_NurbsSurface* surfaces[] = {&empty,    &tooFewPoints,    &withoutKnots,         &weightZero,
                                         &orderOne, &beyondItsArrays, &strideBeyondItsPoints};
    for (const ON_NurbsSurface* surface : surfaces)
    {
        driver.progress.clear();
        EXPECT_EQ(NVKSWON::CreateSketchFromSurface(Doc(), *surface, 1.0, 1), 1);
        EXPECT_THAT(driver.ProgressLines(),
                    ElementsAre("Construct(\"Creating curves\", \"\", 0, 100, null)", "SetMax(0)",
                                "StartProgress()", "EndProgress()", "Destroy()"));
    }
    EXPECT_TRUE(host.Journal().empty());
}

TEST_F(SketchWireframes, BrepsAreDrawnAsTheirEdgeCurves)
{
    EXPECT_EQ(NVKSWON::CreateSketchFromBrep(Doc(), TwoEdgeBrep(), 2.0, 0), 1);
    EXPECT_EQ(NVKSWON::CreateSketchFromBrep(Doc(), ON_Brep(), 2.0, 0), 1);
    ASSERT_EQ(host.Journal().size(), 2u);
    EXPECT_EQ(host.Journal()[0], "doc1.CreateSketchLine(2, 0, 0, -2, 0, 0) -> S_OK, line1");
    EXPECT_EQ(OperationOf(host.Journal()[1]), "CreateSketchArc");
    EXPECT_THAT(Entities().at(1).integers, ElementsAre(1));
}

TEST_F(SketchWireframes, ArraysDrawEveryElementInOneWindow)
{
    ON_ClassArray<ON_NurbsSurface> surfaces;
    surfaces.Append(MakeGridSurface(4, 4));
    surfaces.Append(MakeGridSurface(3, 6));
    ON_ClassArray<ON_Brep> breps;
    breps.Append(TwoEdgeBrep());
    breps.Append(ON_Brep());
    breps.Append(TwoEdgeBrep());
    const std::string inner = "Construct(\"Creating curves\", \"\", 0, 100, null)";
    const struct
    {
        std::string name;
        std::function<int(int progress)> draw;
        size_t entities;
        std::vector<std::string> window;
    } cases[] = {
        {"surfaces",
         [&](int progress) { return NVKSWON::CreateSketchFromSurfaces(Doc(), surfaces, 1.0, progress); },
         22,
         {"Construct(\"Creating surface curves\", \"\", 0, 100, null)", "SetMax(2)", "StartProgress()",
          "StepIt(1)", inner, "Destroy()", "StepIt(1)", inner, "Destroy()", "EndProgress()", "Destroy()"}},
        {"breps",
         [&](int progress) { return NVKSWON::CreateSketchFromBreps(Doc(), breps, 1.0, progress); },
         4,
         {"Construct(\"Creating brep curves\", \"\", 0, 100, null)", "SetMax(3)", "StartProgress()",
          "StepIt(1)", inner, "Destroy()", "StepIt(1)", inner, "Destroy()", "StepIt(1)", inner, "Destroy()",
          "EndProgress()", "Destroy()"}},
        {"no surfaces",
         [&](int progress) {
             return NVKSWON::CreateSketchFromSurfaces(Doc(), ON_ClassArray<ON_NurbsSurface>(), 1.0, progress);
         },
         0,
         {"Construct(\"Creating surface curves\", \"\", 0, 100, null)", "SetMax(0)", "StartProgress()",
          "EndProgress()", "Destroy()"}},
        {"no breps",
         [&](int progress)
         { return NVKSWON::CreateSketchFromBreps(Doc(), ON_ClassArray<ON_Brep>(), 1.0, progress); },
         0,
         {"Construct(\"Creating brep curves\", \"\", 0, 100, null)", "SetMax(0)", "StartProgress()",
          "EndProgress()", "Destroy()"}},
    };
    for (const auto& c : cases)
    {
        driver.progress.clear();
        const size_t before = Entities().size();
        EXPECT_EQ(c.draw(1), 1) << c.name;
        EXPECT_EQ(Entities().size() - before, c.entities) << c.name;
        EXPECT_THAT(driver.ProgressLines(), ElementsAreArray(c.window)) << c.name;
    }
}
