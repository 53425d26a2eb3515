#include "sim/EntityInterfaces.h"
#include "sim/Host.h"
#include "win32_testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace
{
struct NewPart
{
    IPartDoc* part = nullptr;
    IModelDoc* doc = nullptr;
    explicit NewPart(ISldWorks* app)
    {
        app->NewPartDocument(&part);
        app->GetActiveDocument(&doc);
    }
    ~NewPart()
    {
        if (doc)
            doc->Release();
        if (part)
            part->Release();
    }
};
} // namespace

TEST(SimulatedHost, JournalNamesObjectsAndFormatsArgumentsExactly)
{
    sim::Host host;
    {
        NewPart p(host.Application());
        p.doc->SetLengthUnit(3);
        ITemporaryBody* body = nullptr;
        p.part->CreateTemporaryBody(&body);
        const double points[9] = {0, 0, 0, 0.0254, 0, 0, 0, 1, 0};
        const double normal[3] = {-0.0, 0, 1};
        body->AddPlanarFace(3, points, normal);
        IBody* made = nullptr;
        body->MakeBody(&made);
        made->Release();
        body->Release();
        ISketchSegment* line = nullptr;
        p.doc->CreateSketchLine(0, 0, 0, 0.1, 1e-300, -2.5, &line);
        line->Release();
    }
    EXPECT_THAT(host.Journal(),
                ElementsAre("app.NewPartDocument() -> S_OK, part1", "app.GetActiveDocument() -> S_OK, doc1",
                            "doc1.SetLengthUnit(3) -> S_OK", "part1.CreateTemporaryBody() -> S_OK, tbody1",
                            "tbody1.AddPlanarFace(3, [0, 0, 0, 0.0254, 0, 0, 0, 1, 0], [-0, 0, 1]) -> S_OK",
                            "tbody1.MakeBody() -> S_OK, body1",
                            "doc1.CreateSketchLine(0, 0, 0, 0.1, 1e-300, -2.5) -> S_OK, line1"));
    EXPECT_EQ(host.LiveReferences(), 0);
    const sim::Document& doc = *host.GetModel().documents.at(0);
    EXPECT_EQ(doc.title, L"Part1");
    EXPECT_EQ(doc.lengthUnit, 3);
    ASSERT_EQ(doc.bodies.size(), 1u);
    EXPECT_EQ(doc.bodies[0]->planarFaces.at(0).points[3], 0.0254);
    EXPECT_EQ(doc.SketchEntityCount(sim::SketchEntityKind::Line), 1u);
}

TEST(SimulatedHost, InjectedFailuresHitTheNthCallOnly)
{
    sim::Host host;
    host.FailCall("NewPartDocument", 2, E_FAIL);
    host.FailCallWithoutObject("GetActiveDocument", 1);
    ISldWorks* app = host.Application();
    IPartDoc* first = nullptr;
    IPartDoc* second = nullptr;
    EXPECT_EQ(app->NewPartDocument(&first), S_OK);
    EXPECT_EQ(app->NewPartDocument(&second), E_FAIL);
    EXPECT_EQ(second, nullptr);
    IModelDoc* doc = nullptr;
    EXPECT_EQ(app->GetActiveDocument(&doc), S_OK);
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(host.GetModel().documents.size(), 1u);
    EXPECT_EQ(host.CallCount("NewPartDocument"), 2);
    EXPECT_THAT(host.Journal(), ElementsAre("app.NewPartDocument() -> S_OK, part1", "app.NewPartDocument() -> E_FAIL",
                                            "app.GetActiveDocument() -> S_OK, null"));
    EXPECT_EQ(host.LiveReferences(), 1);
    first->Release();
    EXPECT_EQ(host.LiveReferences(), 0);
}

TEST(SimulatedHost, InterfacesOfOneDocumentKeepTheirNamesAndIdentity)
{
    sim::Host host;
    NewPart p(host.Application());
    IPartDoc* again = nullptr;
    p.doc->QueryInterface(IID_IPartDoc, reinterpret_cast<void**>(&again));
    EXPECT_EQ(again, p.part);
    IAssemblyDoc* assembly = nullptr;
    EXPECT_EQ(p.doc->QueryInterface(IID_IAssemblyDoc, reinterpret_cast<void**>(&assembly)), E_NOINTERFACE);
    EXPECT_EQ(host.Journal().at(2), "doc1.QueryInterface(IPartDoc) -> S_OK, part1");
    EXPECT_EQ(host.LiveReferences(), 3);
    again->Release();
    EXPECT_EQ(host.LiveReferences(), 2);
}

TEST(SimulatedHost, LeanModeKeepsCountsButNoJournalOrGeometry)
{
    sim::Host host;
    host.SetLean(true);
    NewPart p(host.Application());
    p.doc->ToggleSketch3D(0);
    const long held = host.LiveReferences();
    ISketchSegment* lines[3] = {};
    for (ISketchSegment*& line : lines)
    {
        EXPECT_EQ(p.doc->CreateSketchLine(0, 0, 0, 1, 1, 1, &line), S_OK);
        ASSERT_NE(line, nullptr);
    }
    // Every line handed out is a counted reference, though a lean host need not make an object each.
    EXPECT_EQ(host.LiveReferences(), held + 3);
    for (ISketchSegment* line : lines)
        line->Release();
    EXPECT_EQ(host.LiveReferences(), held);
    p.doc->ToggleSketch3D(0);
    EXPECT_TRUE(host.Journal().empty());
    const sim::Document& doc = *host.GetModel().documents.at(0);
    EXPECT_EQ(doc.SketchEntityCount(sim::SketchEntityKind::Line), 3u);
    EXPECT_TRUE(doc.sketches.at(0)->entities.empty());
    EXPECT_EQ(host.CallCount("CreateSketchLine"), 3);
}

TEST(SimulatedHost, StringsCrossAsBstrsThatTheCallerFrees)
{
    const long before = platform::LiveBstrCount();
    sim::Host host;
    host.SetRevision(L"20.1 \"x\"");
    BSTR revision = nullptr;
    host.Application()->GetRevisionNumber(&revision);
    EXPECT_EQ(std::wstring(revision), L"20.1 \"x\"");
    SysFreeString(revision);
    host.SetRevision(nullptr);
    host.Application()->GetRevisionNumber(&revision);
    EXPECT_EQ(revision, nullptr);
    EXPECT_THAT(host.Journal(), ElementsAre("app.GetRevisionNumber() -> S_OK, \"20.1 \\\"x\\\"\"",
                                            "app.GetRevisionNumber() -> S_OK, null"));
    EXPECT_EQ(platform::LiveBstrCount(), before);
}

TEST(SimulatedHost, SurfacesTakeArraysSizedByTheirCountsAndAnswerForTheLastOne)
{
    sim::Host host;
    {
        NewPart p(host.Application());
        ITemporaryBody* body = nullptr;
        p.part->CreateTemporaryBody(&body);
        // Linear in u (2 points), quadratic in v (3 points).
        const LONG properties[8] = {2, 3, 3, 2, 0, 0, 3, 0};
        const double uKnots[4] = {0, 0, 1, 1};
        const double vKnots[6] = {0, 0, 0, 1, 1, 1};
        const double points[18] = {0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1, 1, 0, 2, 0, 1, 2, 0};
        IHostSurface* surface = nullptr;
        EXPECT_EQ(body->CreateBSplineSurface(properties, uKnots, vKnots, points, &surface), S_OK);
        short trimmed = -1;
        body->IsSurfaceTrimmed(&trimmed);
        EXPECT_EQ(trimmed, 0);
        const LONG orders[2] = {2, 2}, dimensions[2] = {-3, 3}, periodic[2] = {0, 0}, knotCounts[2] = {4, 4},
                   counts[2] = {2, 2};
        const double knots[8] = {0, 0, 1, 1, 0, 0, 1, 1};
        const double corners[12] = {0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 2, 0};
        EXPECT_EQ(surface->AddTrimmingLoop(2, orders, dimensions, periodic, knotCounts, counts, knots, corners, nullptr),
                  S_OK);
        body->IsSurfaceTrimmed(&trimmed);
        EXPECT_EQ(trimmed, 1);
        surface->Release();
        const double root[3] = {0, 0, -1}, normal[3] = {0, 0, -1}, bounds[4] = {0, 1, 0, 2};
        EXPECT_EQ(body->CreatePlanarSurface(root, normal, &surface), S_OK);
        EXPECT_EQ(body->BoundSurface(1, 1, bounds), S_OK);
        surface->Release();
        IBody* made = nullptr;
        body->MakeBody(&made);
        made->Release();
        body->Release();
    }
    const std::vector<std::string> journal = host.Journal();
    EXPECT_THAT(std::vector<std::string>(journal.begin() + 2, journal.end()),
                ElementsAre("part1.CreateTemporaryBody() -> S_OK, tbody1",
                            "tbody1.CreateBSplineSurface([2, 3, 3, 2, 0, 0, 3, 0], [0, 0, 1, 1], [0, 0, 0, 1, 1, 1], "
                            "[0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1, 1, 0, 2, 0, 1, 2, 0]) -> S_OK, surface1",
                            "tbody1.IsSurfaceTrimmed() -> S_OK, 0",
                            "surface1.AddTrimmingLoop(2, [2, 2], [-3, 3], [0, 0], [4, 4], [2, 2], "
                            "[0, 0, 1, 1, 0, 0, 1, 1], [0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 2, 0], null) -> S_OK",
                            "tbody1.IsSurfaceTrimmed() -> S_OK, 1",
                            "tbody1.CreatePlanarSurface([0, 0, -1], [0, 0, -1]) -> S_OK, surface2",
                            "tbody1.BoundSurface(1, 1, [0, 1, 0, 2]) -> S_OK", "tbody1.MakeBody() -> S_OK, body1"));
    EXPECT_EQ(host.LiveReferences(), 0);
    const sim::Body& made = *host.GetModel().documents.at(0)->bodies.at(0);
    ASSERT_EQ(made.surfaces.size(), 2u);
    EXPECT_EQ(made.surfaces[0].controlPoints.size(), 18u);
    EXPECT_EQ(made.surfaces[0].loops.at(0).dimensions, (std::vector<LONG>{-3, 3}));
    EXPECT_TRUE(made.surfaces[0].bounds.empty());
    EXPECT_TRUE(made.surfaces[1].planar);
    EXPECT_EQ(made.surfaces[1].bounds, (std::vector<double>{0, 1, 0, 2}));
}

TEST(SimulatedHost, SurfaceRefusalsOnRequestAndAfterTheBodyIsMade)
{
    sim::Host host;
    host.FailCall("CreatePlanarSurface", 1, E_FAIL);
    host.FailCallWithoutObject("CreatePlanarSurface", 2);
    host.FailCallWithoutObject("IsSurfaceTrimmed", 1);
    NewPart p(host.Application());
    ITemporaryBody* body = nullptr;
    p.part->CreateTemporaryBody(&body);
    const double root[3] = {0, 0, 0}, normal[3] = {0, 0, 1};
    IHostSurface* surface = nullptr;
    EXPECT_EQ(body->CreatePlanarSurface(root, normal, &surface), E_FAIL);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(body->CreatePlanarSurface(root, normal, &surface), S_OK);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(body->CreatePlanarSurface(root, normal, &surface), S_OK);
    const LONG one[1] = {2}, dimension[1] = {-3}, zero[1] = {0}, knotCount[1] = {4};
    const double knots[4] = {0, 0, 1, 1}, ends[6] = {0, 0, 0, 1, 0, 0};
    surface->AddTrimmingLoop(1, one, dimension, zero, knotCount, one, knots, ends, nullptr);
    short trimmed = -1;
    EXPECT_EQ(body->IsSurfaceTrimmed(&trimmed), S_OK);
    EXPECT_EQ(trimmed, 0);
    IBody* made = nullptr;
    body->MakeBody(&made);
    made->Release();
    body->Release();
    EXPECT_EQ(surface->AddTrimmingLoop(1, one, dimension, zero, knotCount, one, knots, ends, nullptr), E_FAIL);
    surface->Release();
    EXPECT_EQ(host.GetModel().documents.at(0)->bodies.at(0)->surfaces.size(), 2u);
    EXPECT_EQ(host.LiveReferences(), 2);
}

TEST(SimulatedHost, ReadBackWritesOnlyTheWholeRecordsItReports)
{
    // Stray values beyond the last whole triangle or line are neither counted nor written.
    sim::Host host;
    sim::Model& model = host.GetModel();
    sim::Document& part = model.AddDocument(sim::DocumentType::Part);
    sim::Body& body = model.AddBody(part.bodies, L"Body1", {{0, 0, 0, 1, 0, 0, 0, 1, 0, 7}});
    sim::Sketch sketch;
    sketch.lineRecords = std::vector<double>(13, 1.0);
    IBody* pBody = sim::BodyInterface(host, body);
    ISketch* pSketch = sim::SketchInterface(host, sketch);
    IFace* face = nullptr;
    pBody->GetFirstFace(&face);
    LONG count = 0;
    face->GetTriangleCount(&count);
    std::vector<float> corners(size_t(9 * count) + 1, -1.0f);
    face->GetTriangles(0, corners.data());
    EXPECT_EQ(corners.back(), -1.0f);
    pSketch->GetLineCount(&count);
    std::vector<double> lines(size_t(12 * count) + 1, -1.0);
    pSketch->GetLines(lines.data());
    EXPECT_EQ(lines.back(), -1.0);
    EXPECT_EQ(count, 1);
    face->Release();
    pBody->Release();
    pSketch->Release();
    EXPECT_EQ(host.LiveReferences(), 0);
}
