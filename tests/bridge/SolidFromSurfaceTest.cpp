#include "HostPartFixture.h"
#include "JournalText.h"
#include "SurfaceFixtures.h"

#include "NVKSWON.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using testing::ElementsAre;
using testing::ElementsAreArray;

namespace
{
// A bilinear height field over the rectangle (0, 0) to (2, 3): corners SW (0, 0, 1), SE (2, 0, 2),
// NE (2, 3, 3), NW (0, 3, 2); u along +x, v along +y, the lowest control point at z = 1.
ON_NurbsSurface Tilted()
{
    return ClampedSurface(2, 2, 2, 2, [](int i, int j) { return ON_3dPoint(2 * i, 3 * j, 1 + i + j); });
}

// The three lines of one trimmed plane surface of four straight edges, as the host writes them.
std::vector<std::string> Wall(int surface, const std::string& root, const std::string& normal,
                              const std::string& knots, const std::string& points)
{
    const std::string name = "surface" + std::to_string(surface);
    return {
        "tbody1.CreatePlanarSurface(" + root + ", " + normal + ") -> S_OK, " + name,
        name + ".AddTrimmingLoop(4, [2, 2, 2, 2], [-3, 3, 3, 3], [0, 0, 0, 0], [4, 4, 4, 4], [2, 2, 2, 2], " +
            knots + ", " + points + ", null) -> S_OK",
        "tbody1.IsSurfaceTrimmed() -> S_OK, 1"};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::vector<std::string> kTop = {
    "part1.CreateTemporaryBody() -> S_OK, tbody1",
    // Scale 2 on the coordinates, never on knots or bounds.
    "tbody1.CreateBSplineSurface([2, 2, 2, 2, 0, 0, 3, 0], [0, 0, 1, 1], [0, 0, 1, 1], "
    "[0, 0, 2, 4, 0, 4, 0, 6, 4, 4, 6, 6]) -> S_OK, surface1",
    "tbody1.BoundSurface(1, 1, [0, 1, 0, 1]) -> S_OK"};
const std::vector<std::string> kMade = {"tbody1.MakeBody() -> S_OK, body1"};
} // namespace

TEST(SolidFromSurface, FlatBottomSlab)
{
    HostPart h;
    ASSERT_EQ(NVKSWON::CreateSolidFromSurface(h.part, Tilted(), 1.0, 1, 2.0), 1);
    // Walls south, east, north, west: top edge, vertical at the first corner, bottom edge,
    // vertical at the next corner. The bottom edges lie at zmin - thickness = 0 under the top
    // corners; the straight edges take their lengths as knots.
    EXPECT_THAT(h.host.Journal(),
                ElementsAreArray(Join(
                    {kTop,
                     Wall(2, "[0, 0, 2]", "[0, -1, 0]", "[0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 2, 2, 0, 0, 2, 2]",
                          "[0, 0, 2, 4, 0, 4, 0, 0, 2, 0, 0, 0, 0, 0, 0, 4, 0, 0, 4, 0, 4, 4, 0, 0]"),
                     Wall(3, "[4, 0, 4]", "[1, 0, 0]", "[0, 0, 1, 1, 0, 0, 2, 2, 0, 0, 3, 3, 0, 0, 3, 3]",
                          "[4, 0, 4, 4, 6, 6, 4, 0, 4, 4, 0, 0, 4, 0, 0, 4, 6, 0, 4, 6, 6, 4, 6, 0]"),
                     Wall(4, "[0, 6, 4]", "[0, 1, 0]", "[0, 0, 1, 1, 0, 0, 3, 3, 0, 0, 2, 2, 0, 0, 2, 2]",
                          "[0, 6, 4, 4, 6, 6, 4, 6, 6, 4, 6, 0, 0, 6, 0, 4, 6, 0, 0, 6, 4, 0, 6, 0]"),
                     Wall(5, "[0, 0, 2]", "[-1, 0, 0]", "[0, 0, 1, 1, 0, 0, 2, 2, 0, 0, 3, 3, 0, 0, 1, 1]",
                          "[0, 0, 2, 0, 6, 4, 0, 6, 4, 0, 6, 0, 0, 0, 0, 0, 6, 0, 0, 0, 2, 0, 0, 0]"),
                     // The bottom: the four bottom edges in order, its normal down.
                     Wall(6, "[0, 0, 0]", "[0, 0, -1]", "[0, 0, 2, 2, 0, 0, 3, 3, 0, 0, 2, 2, 0, 0, 3, 3]",
                          "[0, 0, 0, 4, 0, 0, 4, 0, 0, 4, 6, 0, 0, 6, 0, 4, 6, 0, 0, 0, 0, 0, 6, 0]"),
                     kMade})));
}

TEST(SolidFromSurface, FlatBottomLiesBelowTheLowestControlPoint)
{
    // Corners at z = 1 and a middle control point at z = -2: the surface dips below its corners,
    // and the bottom goes under the box of its control points, not under the corners.
    const ON_NurbsSurface dip =
        ClampedSurface(3, 3, 3, 3, [](int i, int j) { return ON_3dPoint(i, j, i == 1 && j == 1 ? -2 : 1); });
    HostPart h;
    ASSERT_EQ(NVKSWON::CreateSolidFromSurface(h.part, dip, 1.0, 1, 1.0), 1);
    const std::vector<std::string> journal = h.host.Journal();
    ASSERT_GE(journal.size(), 4u);
    EXPECT_THAT(std::vector<std::string>(journal.end() - 4, journal.end()),
                ElementsAreArray(Join(
                    {Wall(6, "[0, 0, -3]", "[0, 0, -1]", "[0, 0, 2, 2, 0, 0, 2, 2, 0, 0, 2, 2, 0, 0, 2, 2]",
                          "[0, 0, -3, 2, 0, -3, 2, 0, -3, 2, 2, -3, 0, 2, -3, 2, 2, -3, 0, 0, -3, 0, 2, -3]"),
                     kMade})));
}

TEST(SolidFromSurface, SurfaceBottomSlab)
{
    HostPart h;
    ASSERT_EQ(NVKSWON::CreateSolidFromSurface(h.part, Tilted(), 1.0, 0, 2.0), 1);
    // The bottom edges are the top edges one lower, so every vertical is 1 long.
    const std::string knots = "[0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1]";
    EXPECT_THAT(h.host.Journal(),
                ElementsAreArray(Join(
                    {kTop,
                     Wall(2, "[0, 0, 2]", "[0, -1, 0]", knots,
                          "[0, 0, 2, 4, 0, 4, 0, 0, 2, 0, 0, 0, 0, 0, 0, 4, 0, 2, 4, 0, 4, 4, 0, 2]"),
                     Wall(3, "[4, 0, 4]", "[1, 0, 0]", knots,
                          "[4, 0, 4, 4, 6, 6, 4, 0, 4, 4, 0, 2, 4, 0, 2, 4, 6, 4, 4, 6, 6, 4, 6, 4]"),
                     Wall(4, "[0, 6, 4]", "[0, 1, 0]", knots,
                          "[0, 6, 4, 4, 6, 6, 4, 6, 6, 4, 6, 4, 0, 6, 2, 4, 6, 4, 0, 6, 4, 0, 6, 2]"),
                     Wall(5, "[0, 0, 2]", "[-1, 0, 0]", knots,
                          "[0, 0, 2, 0, 6, 4, 0, 6, 4, 0, 6, 2, 0, 0, 0, 0, 6, 2, 0, 0, 2, 0, 0, 0]"),
                     // The surface itself, lower by the thickness, bounded and not trimmed.
                     {"tbody1.CreateBSplineSurface([2, 2, 2, 2, 0, 0, 3, 0], [0, 0, 1, 1], [0, 0, 1, 1], "
                      "[0, 0, 0, 4, 0, 2, 0, 6, 2, 4, 6, 4]) -> S_OK, surface6",
                      "tbody1.BoundSurface(1, 1, [0, 1, 0, 1]) -> S_OK"},
                     kMade})));
}

TEST(SolidFromSurface, NoSlabWithoutAPositiveThickness)
{
    for (const double thickness : {0.0, -1.0, std::nan("")})
    {
        HostPart h;
        EXPECT_EQ(NVKSWON::CreateSolidFromSurface(h.part, Tilted(), thickness, 1, 2.0), 1) << thickness;
        EXPECT_THAT(h.host.Journal(), ElementsAreArray(Join({kTop, kMade}))) << thickness;
    }
}

TEST(SolidFromSurface, FailuresOfTheBodyTheTopAndTheMaking)
{
    const struct
    {
        const char* operation;
        bool withoutObject;
        const wchar_t* error;
        std::vector<std::string> calls;
    } cases[] = {
        {"CreateTemporaryBody", false, L"Unable to create new body", {"part1.CreateTemporaryBody"}},
        {"CreateTemporaryBody", true, L"Unable to create new body", {"part1.CreateTemporaryBody"}},
        // No slab and no body after the top surface failed.
        {"CreateBSplineSurface",
         false,
         L"Unable to create nurbs surface",
         {"part1.CreateTemporaryBody", "tbody1.CreateBSplineSurface"}},
        {"BoundSurface",
         false,
         L"Unable to create bounded surface",
         {"part1.CreateTemporaryBody", "tbody1.CreateBSplineSurface", "tbody1.BoundSurface"}},
        {"MakeBody",
         false,
         L"Unable to create body from surface",
         {"part1.CreateTemporaryBody", "tbody1.CreateBSplineSurface", "tbody1.BoundSurface",
          "tbody1.MakeBody"}},
    };
    for (const auto& c : cases)
    {
        HostPart h;
        h.FailFirst(c.operation, c.withoutObject);
        NVKSWON::SetError(L"");
        EXPECT_EQ(NVKSWON::CreateSolidFromSurface(h.part, Tilted(), 0.0, 1, 1.0), 0) << c.operation;
        EXPECT_EQ(NVKSWON::GetError(), c.error) << c.operation;
        EXPECT_THAT(CallsOf(h.host.Journal()), ElementsAreArray(c.calls)) << c.operation;
    }
}

TEST(SolidFromSurface, AFailingSlabSurfaceStopsTheRestAndTheBodyIsStillMade)
{
    const struct
    {
        int flatBottom;
        const char* operation;
        int nth;
        const wchar_t* error;
        int planarCalls;
        int loopCalls;
    } cases[] = {
        {1, "CreatePlanarSurface", 1, L"Unable to create plane surface", 1, 0},
        {1, "CreatePlanarSurface", 3, L"Unable to create plane surface", 3, 2},
        {1, "CreatePlanarSurface", 5, L"Unable to create plane surface", 5, 4},
        {1, "AddTrimmingLoop", 2, L"Unable to add trimming loop", 2, 2},
        {1, "IsSurfaceTrimmed", 4, L"Unable to create trimmed surface", 4, 4},
        // The other bottom is the second B-spline surface.
        {0, "CreateBSplineSurface", 2, L"Unable to create nurbs surface", 4, 4},
    };
    for (const auto& c : cases)
    {
        HostPart h;
        h.host.FailCall(c.operation, c.nth, E_FAIL);
        NVKSWON::SetError(L"");
        const std::string what = std::string(c.operation) + " " + std::to_string(c.nth);
        EXPECT_EQ(NVKSWON::CreateSolidFromSurface(h.part, Tilted(), 1.0, c.flatBottom, 1.0), 1) << what;
        EXPECT_EQ(NVKSWON::GetError(), c.error) << what;
        EXPECT_EQ(h.host.CallCount("CreatePlanarSurface"), c.planarCalls) << what;
        EXPECT_EQ(h.host.CallCount("AddTrimmingLoop"), c.loopCalls) << what;
        EXPECT_EQ(h.host.CallCount("MakeBody"), 1) << what;
        EXPECT_EQ(h.host.Journal().back(), "tbody1.MakeBody() -> S_OK, body1") << what;
    }
}

TEST(SolidFromSurface, ASurfaceItCannotReadMakesNothing)
{
    ON_NurbsSurface broken = Tilted();
    broken.m_cv_count[0] = 1;
    {
        HostPart h;
        NVKSWON::SetError(L"");
        EXPECT_EQ(NVKSWON::CreateSolidFromSurface(h.part, broken, 1.0, 1, 1.0), 0);
        EXPECT_EQ(NVKSWON::GetError(), L"Invalid nurbs surface");
        EXPECT_THAT(h.host.Journal(), ElementsAre("part1.CreateTemporaryBody() -> S_OK, tbody1"));
    }
    HostPart h(true);
    NVKSWON::SetError(L"");
    EXPECT_EQ(NVKSWON::CreateSlabSurfaces(h.body, broken, 1.0, 1, 1.0), 0);
    EXPECT_EQ(NVKSWON::GetError(), L"Invalid nurbs surface");
    EXPECT_TRUE(h.host.Journal().empty());
}
