#include "HostPartFixture.h"
#include "JournalText.h"
#include "SurfaceFixtures.h"

#include "NVKSWON.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;

namespace
{
ON_NurbsSurface RationalPatch()
{
    ON_NurbsSurface surface;
    surface.Create(3, true, 2, 2, 2, 2);
    surface.MakeClampedUniformKnotVector(0);
    surface.MakeClampedUniformKnotVector(1);
    surface.SetCV(0, 0, ON_4dPoint(0, 0, 0, 1));
    surface.SetCV(1, 0, ON_4dPoint(2, 0, 0, 2));
    surface.SetCV(0, 1, ON_4dPoint(0, 1, 1, 0.5));
    surface.SetCV(1, 1, ON_4dPoint(4, 4, 4, 4));
    return surface;
}

ON_NurbsSurface FlatPatch()
{
    return ClampedSurface(2, 2, 2, 2, [](int i, int j) { return ON_3dPoint(i, j, 0); });
}

ON_PlaneSurface WorldPlane()
{
    return ON_PlaneSurface(ON_Plane(ON_origin, ON_zaxis));
}

ON_ClassArray<ON_NurbsCurve> UnitSquare()
{
    return Curves({ClampedCurve(2, {{0, 0, 0}, {1, 0, 0}}), ClampedCurve(2, {{1, 0, 0}, {1, 1, 0}}),
                   ClampedCurve(2, {{1, 1, 0}, {0, 1, 0}}), ClampedCurve(2, {{0, 1, 0}, {0, 0, 0}})});
}

// A surface of neither kind the host takes.
struct OtherSurface : ON_Surface
{
    ON_Interval Domain(int) const override { return ON_Interval(0, 1); }
    ON_3dPoint PointAt(double, double) const override { return ON_origin; }
    bool IsValid() const override { return true; }
    bool Transform(const ON_Xform&) override { return true; }
    bool GetBoundingBox(ON_BoundingBox&, bool) const override { return false; }
};
} // namespace

TEST(HostSurfaces, NurbsSurfaceArraysAsTheHostTakesThem)
{
    const struct
    {
        const char* name;
        ON_NurbsSurface surface;
        double scale;
        std::vector<std::string> journal;
    } cases[] = {
        {"3 x 5: counts v then u, control points u fastest, bounds unscaled",
         ClampedSurface(3, 4, 3, 5, [](int i, int j) { return ON_3dPoint(i, j, 1); }),
         2.0,
         {"tbody1.CreateBSplineSurface([3, 4, 5, 3, 0, 0, 3, 0], [0, 0, 0, 1, 1, 1], [0, 0, 0, 0, 1, 2, 2, "
          "2, 2], "
          "[0, 0, 2, 2, 0, 2, 4, 0, 2, 0, 2, 2, 2, 2, 2, 4, 2, 2, 0, 4, 2, 2, 4, 2, 4, 4, 2, "
          "0, 6, 2, 2, 6, 2, 4, 6, 2, 0, 8, 2, 2, 8, 2, 4, 8, 2]) -> S_OK, surface1",
          "tbody1.BoundSurface(1, 1, [0, 1, 0, 2]) -> S_OK"}},
        {"clamped cubic: eight knots, never scaled",
         ClampedSurface(
             4, 4, 4, 4, [](int i, int j) { return ON_3dPoint(1000 * i, 1000 * j, 250); }, 0.5),
         0.001,
         {"tbody1.CreateBSplineSurface([4, 4, 4, 4, 0, 0, 3, 0], [0, 0, 0, 0, 0.5, 0.5, 0.5, 0.5], "
          "[0, 0, 0, 0, 0.5, 0.5, 0.5, 0.5], [0, 0, 0.25, 1, 0, 0.25, 2, 0, 0.25, 3, 0, 0.25, 0, 1, 0.25, 1, "
          "1, "
          "0.25, 2, 1, 0.25, 3, 1, 0.25, 0, 2, 0.25, 1, 2, 0.25, 2, 2, 0.25, 3, 2, 0.25, 0, 3, 0.25, 1, 3, "
          "0.25, "
          "2, 3, 0.25, 3, 3, 0.25]) -> S_OK, surface1",
          "tbody1.BoundSurface(1, 1, [0, 0.5, 0, 0.5]) -> S_OK"}},
        {"rational: divided by the weights, which are not sent",
         RationalPatch(),
         1.0,
         {"tbody1.CreateBSplineSurface([2, 2, 2, 2, 0, 0, 3, 0], [0, 0, 1, 1], [0, 0, 1, 1], "
          "[0, 0, 0, 1, 0, 0, 0, 2, 2, 1, 1, 1]) -> S_OK, surface1",
          "tbody1.BoundSurface(1, 1, [0, 1, 0, 1]) -> S_OK"}},
    };
    for (const auto& c : cases)
    {
        HostPart h(true);
        const ON_ClassArray<ON_NurbsCurve> noLoop;
        EXPECT_EQ(NVKSWON::CreateSurface(h.body, c.surface, noLoop, c.scale), 1) << c.name;
        EXPECT_THAT(h.host.Journal(), ElementsAreArray(c.journal)) << c.name;
    }
}

TEST(HostSurfaces, PlaneSurfaceSendsItsOriginAndNormalNotItsExtents)
{
    HostPart h(true);
    ON_PlaneSurface plane(ON_Plane(ON_3dPoint(1, 2, 3), ON_3dVector(0, 0, 2)));
    plane.SetExtents(0, ON_Interval(5, 6), true);
    const ON_ClassArray<ON_NurbsCurve> noLoop;
    EXPECT_EQ(NVKSWON::CreateSurface(h.body, plane, noLoop, 0.5), 1);
    EXPECT_THAT(h.host.Journal(),
                ElementsAre("tbody1.CreatePlanarSurface([0.5, 1, 1.5], [0, 0, 1]) -> S_OK, surface1",
                            "tbody1.BoundSurface(1, 1, [5, 6, 0, 1]) -> S_OK"));
}

TEST(HostSurfaces, TrimmingLoopArrays)
{
    ON_NurbsCurve rational;
    rational.Create(3, true, 3, 3);
    rational.MakeClampedUniformKnotVector();
    rational.SetCV(0, ON_4dPoint(0, 0, 0, 1));
    rational.SetCV(1, ON_4dPoint(1, 1, 0, 0.5));
    rational.SetCV(2, ON_4dPoint(4, 0, 0, 2));

    ON_NurbsCurve periodic;
    periodic.Create(3, false, 3, 5);
    const ON_3dPoint wrapped[5] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, 0, 0}};
    for (int i = 0; i < 5; ++i)
    {
        periodic.m_knot[i + 1] = i;
        periodic.SetCV(i, wrapped[i]);
    }
    periodic.m_knot[0] = -1;
    ASSERT_TRUE(periodic.IsPeriodic());

    const struct
    {
        const char* name;
        ON_ClassArray<ON_NurbsCurve> loop;
        double scale;
        const char* line;
    } cases[] = {
        {"one rational curve: -3, divided by its weights", Curves({rational}), 2.0,
         "surface1.AddTrimmingLoop(1, [3], [-3], [0], [6], [3], [0, 0, 0, 1, 1, 1], [0, 0, 0, 4, 4, 0, 4, 0, "
         "0], "
         "null) -> S_OK"},
        {"four lines: -3, 3, 3, 3", UnitSquare(), 2.0,
         "surface1.AddTrimmingLoop(4, [2, 2, 2, 2], [-3, 3, 3, 3], [0, 0, 0, 0], [4, 4, 4, 4], [2, 2, 2, 2], "
         "[0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1], "
         "[0, 0, 0, 2, 0, 0, 2, 0, 0, 2, 2, 0, 2, 2, 0, 0, 2, 0, 0, 2, 0, 0, 0, 0], null) -> S_OK"},
        {"periodic and clamped: flags and knot counts per curve",
         Curves({periodic, ClampedCurve(2, {{0, 0, 0}, {0, 0, 1}})}), 1.0,
         "surface1.AddTrimmingLoop(2, [3, 2], [-3, 3], [1, 0], [8, 4], [5, 2], "
         "[-1, -1, 0, 1, 2, 3, 4, 4, 0, 0, 1, 1], "
         "[0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1], null) -> S_OK"},
    };
    for (const auto& c : cases)
    {
        HostPart h(true);
        EXPECT_EQ(NVKSWON::CreateSurface(h.body, WorldPlane(), c.loop, c.scale), 1) << c.name;
        EXPECT_THAT(h.host.Journal(),
                    ElementsAre("tbody1.CreatePlanarSurface([0, 0, 0], [0, 0, 1]) -> S_OK, surface1", c.line,
                                "tbody1.IsSurfaceTrimmed() -> S_OK, 1"))
            << c.name;
    }
}

TEST(HostSurfaces, HostRefusalsSetTheirTextAndStopThere)
{
    const struct
    {
        const char* operation;
        bool withoutObject;
        bool nurbs;
        bool trimmed;
        const wchar_t* error;
        std::vector<std::string> calls;
    } cases[] = {
        {"CreateBSplineSurface",
         false,
         true,
         true,
         L"Unable to create nurbs surface",
         {"tbody1.CreateBSplineSurface"}},
        {"CreateBSplineSurface",
         true,
         true,
         false,
         L"Unable to create valid nurbs surface",
         {"tbody1.CreateBSplineSurface"}},
        {"CreatePlanarSurface",
         false,
         false,
         true,
         L"Unable to create plane surface",
         {"tbody1.CreatePlanarSurface"}},
        {"CreatePlanarSurface",
         true,
         false,
         false,
         L"Unable to create valid plane surface",
         {"tbody1.CreatePlanarSurface"}},
        {"AddTrimmingLoop",
         false,
         true,
         true,
         L"Unable to add trimming loop",
         {"tbody1.CreateBSplineSurface", "surface1.AddTrimmingLoop"}},
        {"IsSurfaceTrimmed",
         false,
         false,
         true,
         L"Unable to create trimmed surface",
         {"tbody1.CreatePlanarSurface", "surface1.AddTrimmingLoop", "tbody1.IsSurfaceTrimmed"}},
        // The host answers S_OK with the flag 0.
        {"IsSurfaceTrimmed",
         true,
         false,
         true,
         L"Unable to create trimmed surface",
         {"tbody1.CreatePlanarSurface", "surface1.AddTrimmingLoop", "tbody1.IsSurfaceTrimmed"}},
        {"BoundSurface",
         false,
         true,
         false,
         L"Unable to create bounded surface",
         {"tbody1.CreateBSplineSurface", "tbody1.BoundSurface"}},
    };
    for (const auto& c : cases)
    {
        HostPart h(true);
        h.FailFirst(c.operation, c.withoutObject);
        NVKSWON::SetError(L"");
        const ON_ClassArray<ON_NurbsCurve> loop = c.trimmed ? UnitSquare() : ON_ClassArray<ON_NurbsCurve>();
        const int result = c.nurbs ? NVKSWON::CreateSurface(h.body, FlatPatch(), loop, 1.0)
                                   : NVKSWON::CreateSurface(h.body, WorldPlane(), loop, 1.0);
        const std::string what =
            std::string(c.operation) + (c.withoutObject ? " without object" : " failing");
        EXPECT_EQ(result, 0) << what;
        EXPECT_EQ(NVKSWON::GetError(), c.error) << what;
        EXPECT_THAT(CallsOf(h.host.Journal()), ElementsAreArray(c.calls)) << what;
    }
}

TEST(HostSurfaces, InputsItCannotReadAreRefusedBeforeTheHost)
{
    // Each breaks a readable surface or curve in one way.
    const std::vector<std::pair<const char*, std::function<void(ON_NurbsSurface&)>>> brokenSurfaces = {
        {"order below 2", [](ON_NurbsSurface& s) { s.m_order[0] = 1; }},
        {"fewer CVs than the order", [](ON_NurbsSurface& s) { s.m_cv_count[1] = 1; }},
        {"no knots", [](ON_NurbsSurface& s) { delete[] s.m_knot[1], s.m_knot[1] = nullptr; }},
        {"no CVs", [](ON_NurbsSurface& s) { delete[] s.m_cv, s.m_cv = nullptr; }},
        {"weight 0", [](ON_NurbsSurface& s) { s = RationalPatch(), s.SetCV(1, 1, ON_4dPoint(1, 1, 1, 0)); }},
    };
    for (const auto& [name, breakIt] : brokenSurfaces)
    {
        HostPart h(true);
        ON_NurbsSurface surface = FlatPatch();
        breakIt(surface);
        NVKSWON::SetError(L"");
        const ON_ClassArray<ON_NurbsCurve> noLoop;
        EXPECT_EQ(NVKSWON::CreateSurface(h.body, surface, noLoop, 1.0), 0) << name;
        EXPECT_EQ(NVKSWON::GetError(), L"Invalid nurbs surface") << name;
        EXPECT_THAT(h.host.Journal(), IsEmpty()) << name;
    }

    const std::vector<std::pair<const char*, std::function<void(ON_NurbsCurve&)>>> brokenCurves = {
        {"order below 2", [](ON_NurbsCurve& c) { c.m_order = 1; }},
        {"fewer CVs than the order", [](ON_NurbsCurve& c) { c.m_cv_count = 1; }},
        {"no knots", [](ON_NurbsCurve& c) { delete[] c.m_knot, c.m_knot = nullptr; }},
        {"weight 0", [](ON_NurbsCurve& c)
         { c.Create(3, true, 2, 2), c.MakeClampedUniformKnotVector(), c.SetCV(1, ON_4dPoint(1, 0, 0, 0)); }},
    };
    for (const auto& [name, breakIt] : brokenCurves)
    {
        HostPart h(true);
        ON_ClassArray<ON_NurbsCurve> loop = UnitSquare();
        breakIt(loop[2]);
        NVKSWON::SetError(L"");
        EXPECT_EQ(NVKSWON::CreateSurface(h.body, WorldPlane(), loop, 1.0), 0) << name;
        EXPECT_EQ(NVKSWON::GetError(), L"Invalid trimming loop curve") << name;
        EXPECT_THAT(h.host.Journal(),
                    ElementsAre("tbody1.CreatePlanarSurface([0, 0, 0], [0, 0, 1]) -> S_OK, surface1"))
            << name;
    }

    HostPart h(true);
    NVKSWON::SetError(L"");
    const ON_ClassArray<ON_NurbsCurve> noLoop;
    EXPECT_EQ(NVKSWON::CreateSurface(h.body, OtherSurface(), noLoop, 1.0), 0);
    EXPECT_EQ(NVKSWON::GetError(), L"Unsupported surface type");
    EXPECT_THAT(h.host.Journal(), IsEmpty());

    // A loop without curves has no first curve to mark.
    IHostSurface* surface = nullptr;
    const double origin[3] = {0, 0, 0}, normal[3] = {0, 0, 1};
    ASSERT_EQ(h.body->CreatePlanarSurface(origin, normal, &surface), S_OK);
    h.host.ClearJournal();
    NVKSWON::SetError(L"");
    EXPECT_EQ(NVKSWON::AddTrimmingLoop(surface, noLoop, 1.0), 0);
    EXPECT_EQ(NVKSWON::GetError(), L"Unable to add trimming loop");
    EXPECT_THAT(h.host.Journal(), IsEmpty());
    surface->Release();
}
