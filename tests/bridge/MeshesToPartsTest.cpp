#include "JournalText.h"
#include "MeshFixtures.h"

#include "NVKSWON.h"

#include "sim/Host.h"
#include "ui/ScriptedDriver.h"
#include "win32_testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cstring>

using testing::ElementsAre;
using testing::ElementsAreArray;

namespace
{
ON_ClassArray<ON_Mesh> Meshes(std::initializer_list<ON_Mesh> meshes)
{
    ON_ClassArray<ON_Mesh> array;
    for (const ON_Mesh& m : meshes)
        array.Append(m);
    return array;
}

class MeshesToParts : public testing::Test
{
protected:
    void TearDown() override
    {
        EXPECT_EQ(host.LiveReferences(), 0) << "the bridge kept a host reference";
        EXPECT_EQ(platform::LiveBstrCount(), bstrsBefore);
    }

    int Import(ON_ClassArray<ON_Mesh>& meshes, int unit, int mode, int multiBody, int progress = 0)
    {
        ui::ScopedDriver scope(driver);
        return NVKSWON::CreatePartFromMeshes(host.Application(), meshes, unit, mode, multiBody, progress);
    }

    sim::Host host;
    ui::ScriptedDriver driver;
    long bstrsBefore = platform::LiveBstrCount();
};
} // namespace

TEST_F(MeshesToParts, SolidRoadSendsEveryFaceScaledWithItsNormal)
{
    auto meshes = Meshes({UnitTriangle(), SquareQuad()});
    ASSERT_EQ(Import(meshes, LengthUnitInches, ImportAsSolid, 1), 1);
    EXPECT_THAT(
        host.Journal(),
        ElementsAre(
            "app.NewPartDocument() -> S_OK, part1", "app.GetActiveDocument() -> S_OK, doc1",
            "doc1.PrepareFirst(1) -> S_OK", "doc1.PrepareSecond(0) -> S_OK", "doc1.SetLengthUnit(3) -> S_OK",
            "part1.CreateTemporaryBody() -> S_OK, tbody1",
            "tbody1.AddPlanarFace(3, [0, 0, 0, 0.0254, 0, 0, 0, 0.0254, 0], [-0, 0, 1]) -> S_OK",
            "tbody1.MakeBody() -> S_OK, body1", "part1.CreateTemporaryBody() -> S_OK, tbody2",
            // the quad is split: (a, b, c) and (a, c, d)
            "tbody2.AddPlanarFace(3, [0.0508, 0, 0, 0.0508, 0.0508, 0, 0, 0.0508, 0], [-0, 0, 1]) -> S_OK",
            "tbody2.AddPlanarFace(3, [0.0508, 0, 0, 0, 0.0508, 0, 0, 0, 0], [0, -0, 1]) -> S_OK",
            "tbody2.MakeBody() -> S_OK, body2", "doc1.FinishSecond() -> S_OK", "doc1.FinishThird() -> S_OK"));
    ASSERT_EQ(host.GetModel().documents.size(), 1u);
    EXPECT_EQ(host.GetModel().documents[0]->bodies.size(), 2u);
}

TEST_F(MeshesToParts, SketchRoadDrawsOneLinePerTopologicalEdge)
{
    // Two triangles with vertices of their own that share an edge: five lines, in topology order.
    ON_Mesh shared =
        MakeMesh({{1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2}, {3, 4, 5}});
    auto meshes = Meshes({shared, SquareQuad()});
    ASSERT_EQ(Import(meshes, LengthUnitMeters, ImportAs3DSketch, 1), 1);
    EXPECT_THAT(host.Journal(),
                ElementsAre("app.NewPartDocument() -> S_OK, part1", "app.GetActiveDocument() -> S_OK, doc1",
                            "doc1.PrepareFirst(1) -> S_OK", "doc1.PrepareSecond(0) -> S_OK",
                            "doc1.SetLengthUnit(2) -> S_OK", "doc1.ToggleSketch3D(0) -> S_OK",
                            "doc1.CreateSketchLine(0, 0, 0, 0, 1, 0) -> S_OK, line1",
                            "doc1.CreateSketchLine(0, 0, 0, 1, 0, 0) -> S_OK, line2",
                            "doc1.CreateSketchLine(0, 1, 0, 1, 0, 0) -> S_OK, line3",
                            "doc1.CreateSketchLine(0, 1, 0, 1, 1, 0) -> S_OK, line4",
                            "doc1.CreateSketchLine(1, 0, 0, 1, 1, 0) -> S_OK, line5",
                            // a quad gives its four sides and no diagonal
                            "doc1.CreateSketchLine(0, 0, 0, 0, 2, 0) -> S_OK, line6",
                            "doc1.CreateSketchLine(0, 0, 0, 2, 0, 0) -> S_OK, line7",
                            "doc1.CreateSketchLine(0, 2, 0, 2, 2, 0) -> S_OK, line8",
                            "doc1.CreateSketchLine(2, 0, 0, 2, 2, 0) -> S_OK, line9",
                            "doc1.FinishFirst() -> S_OK", "doc1.ToggleSketch3D(0) -> S_OK",
                            "doc1.FinishSecond() -> S_OK", "doc1.FinishThird() -> S_OK"));
}

// The journal of each layout and mode, assembled step by step: the unit triangle in millimetres.
TEST_F(MeshesToParts, CallSequencePerModeAndPartLayout)
{
    using Lines = std::vector<std::string>;
    auto join = [](std::initializer_list<Lines> parts)
    {
        Lines all;
        for (const Lines& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    auto open = [](int n)
    {
        const std::string doc = "doc" + std::to_string(n);
        return Lines{"app.NewPartDocument() -> S_OK, part" + std::to_string(n),
                     "app.GetActiveDocument() -> S_OK, " + doc, doc + ".PrepareFirst(1) -> S_OK",
                     doc + ".PrepareSecond(0) -> S_OK", doc + ".SetLengthUnit(0) -> S_OK"};
    };
    auto finish = [](int n)
    {
        const std::string doc = "doc" + std::to_string(n);
        return Lines{doc + ".FinishSecond() -> S_OK", doc + ".FinishThird() -> S_OK"};
    };
    auto solid = [](int part, int body)
    {
        const std::string tbody = "tbody" + std::to_string(body);
        return Lines{"part" + std::to_string(part) + ".CreateTemporaryBody() -> S_OK, " + tbody,
                     tbody + ".AddPlanarFace(3, [0, 0, 0, 0.001, 0, 0, 0, 0.001, 0], [-0, 0, 1]) -> S_OK",
                     tbody + ".MakeBody() -> S_OK, body" + std::to_string(body)};
    };
    auto lines = [](int doc, int firstLine)
    {
        const std::string d = "doc" + std::to_string(doc);
        auto line = [&](int k, const char* coordinates) {
            return d + ".CreateSketchLine(" + coordinates + ") -> S_OK, line" + std::to_string(firstLine + k);
        };
        return Lines{line(0, "0, 0, 0, 0, 0.001, 0"), line(1, "0, 0, 0, 0.001, 0, 0"),
                     line(2, "0, 0.001, 0, 0.001, 0, 0")};
    };
    auto toggle = [](int n) { return Lines{"doc" + std::to_string(n) + ".ToggleSketch3D(0) -> S_OK"}; };
    auto closeSketch = [](int n)
    {
        const std::string doc = "doc" + std::to_string(n);
        return Lines{doc + ".FinishFirst() -> S_OK", doc + ".ToggleSketch3D(0) -> S_OK"};
    };
    struct Case
    {
        int multiBody;
        int mode;
        int meshCount;
        Lines journal;
    };
    const Case cases[] = {
        {1, ImportAsSolid, 2, join({open(1), solid(1, 1), solid(1, 2), finish(1)})},
        {1, ImportAs3DSketch, 2,
         join({open(1), toggle(1), lines(1, 1), lines(1, 4), closeSketch(1), finish(1)})},
        {1, 2, 2, join({open(1), finish(1)})},
        {1, ImportAsSolid, 0, join({open(1), finish(1)})},
        {1, ImportAs3DSketch, 0, join({open(1), toggle(1), closeSketch(1), finish(1)})},
        {0, ImportAsSolid, 2, join({open(1), solid(1, 1), finish(1), open(2), solid(2, 2), finish(2)})},
        {0, ImportAs3DSketch, 2,
         join({open(1), toggle(1), lines(1, 1), closeSketch(1), finish(1), open(2), toggle(2), lines(2, 4),
               closeSketch(2), finish(2)})},
        {0, 2, 2, join({open(1), finish(1), open(2), finish(2)})},
        {0, -1, 1, join({open(1), finish(1)})},
        {0, ImportAsSolid, 0, {}},
        {0, ImportAs3DSketch, 0, {}},
    };
    for (const Case& c : cases)
    {
        sim::Host caseHost;
        ON_ClassArray<ON_Mesh> meshes;
        for (int i = 0; i < c.meshCount; ++i)
            meshes.Append(UnitTriangle());
        ui::ScopedDriver scope(driver);
        EXPECT_EQ(NVKSWON::CreatePartFromMeshes(caseHost.Application(), meshes, 0, c.mode, c.multiBody, 0),
                  1);
        EXPECT_THAT(caseHost.Journal(), ElementsAreArray(c.journal))
            << "multibody " << c.multiBody << ", mode " << c.mode << ", meshes " << c.meshCount;
        EXPECT_EQ(caseHost.GetModel().documents.size(), size_t(c.multiBody ? 1 : c.meshCount));
        EXPECT_EQ(caseHost.LiveReferences(), 0);
    }
}

TEST_F(MeshesToParts, UnitsScaleWidenedFloatsAndOnlyValidUnitsAreSet)
{
    struct Case
    {
        int unit;
        double factor;
        bool unitSet;
    };
    const double feet = std::bit_cast<double>(uint64_t(0x3FD381D7DBF487FC));
    const Case cases[] = {{0, 0.001, true}, {1, 0.01, true}, {2, 1.0, true},  {3, 0.0254, true},
                          {4, feet, true},  {5, 1.0, false}, {-1, 1.0, false}};
    const float tenth = 0.1f; // not 0.1: the float nearest to it
    for (const Case& c : cases)
    {
        sim::Host caseHost;
        auto meshes = Meshes({MakeMesh({{tenth, 2, 3}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})});
        ASSERT_EQ(NVKSWON::CreatePartFromMeshes(caseHost.Application(), meshes, c.unit, ImportAsSolid, 1, 0),
                  1);
        const sim::Document& doc = *caseHost.GetModel().documents.at(0);
        EXPECT_EQ(doc.lengthUnitSet, c.unitSet) << "unit " << c.unit;
        if (c.unitSet)
        {
            EXPECT_EQ(doc.lengthUnit, c.unit);
        }
        const sim::PlanarFace& face = doc.bodies.at(0)->planarFaces.at(0);
        EXPECT_EQ(face.points[0], double(tenth) * c.factor) << "unit " << c.unit;
        EXPECT_EQ(face.points[1], 2 * c.factor) << "unit " << c.unit;
        EXPECT_EQ(face.points[2], 3 * c.factor) << "unit " << c.unit;
    }
    double factor = 0;
    sim::Host caseHost;
    IPartDoc* part = nullptr;
    caseHost.Application()->NewPartDocument(&part);
    IModelDoc* doc = nullptr;
    caseHost.Application()->GetActiveDocument(&doc);
    EXPECT_EQ(HostUtils::SetDocumentUnits(doc, 4, &factor), 1);
    EXPECT_NE(factor, 0.3048); // twelve inches in double arithmetic, not the nearest double
    EXPECT_EQ(std::bit_cast<uint64_t>(factor), 0x3FD381D7DBF487FCu);
    doc->Release();
    part->Release();
}

// Unsplit, as a caller other than the import may hand it: a quad goes with its four points and the
// normal of its first three, here not the normal of the others (the quad is not planar).
TEST_F(MeshesToParts, SolidFromMeshSendsAQuadWithFourPointsAndTheNormalOfItsFirstThree)
{
    ON_Mesh mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}}, {{0, 1, 2, 3}, {0, 1, 2}});
    IPartDoc* part = nullptr;
    host.Application()->NewPartDocument(&part);
    host.ClearJournal();
    EXPECT_EQ(NVKSWON::CreateSolidFromMesh(part, mesh, 2.0, 0), 1);
    EXPECT_THAT(
        host.Journal(),
        ElementsAre("part1.CreateTemporaryBody() -> S_OK, tbody1",
                    "tbody1.AddPlanarFace(4, [0, 0, 0, 2, 0, 0, 2, 2, 0, 0, 2, 2], [-0, 0, 1]) -> S_OK",
                    "tbody1.AddPlanarFace(3, [0, 0, 0, 2, 0, 0, 2, 2, 0], [-0, 0, 1]) -> S_OK",
                    "tbody1.MakeBody() -> S_OK, body1"));
    part->Release();
}

TEST_F(MeshesToParts, FacesWithoutAPlaneGetAZeroNormal)
{
    auto meshes = Meshes({MakeMesh({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {5, 5, 5}}, {{0, 1, 2}, {3, 3, 0}})});
    ASSERT_EQ(Import(meshes, 2, ImportAsSolid, 1), 1);
    const auto& faces = host.GetModel().documents.at(0)->bodies.at(0)->planarFaces;
    ASSERT_EQ(faces.size(), 2u);
    for (const sim::PlanarFace& face : faces)
        EXPECT_THAT(face.normal, ElementsAre(0.0, 0.0, 0.0));
}

TEST_F(MeshesToParts, AMeshWithoutFacesStillAsksForItsBody)
{
    auto meshes = Meshes({MakeMesh({{0, 0, 0}}, {})});
    EXPECT_EQ(Import(meshes, 2, ImportAsSolid, 1), 1);
    EXPECT_EQ(host.CallCount("AddPlanarFace"), 0);
    EXPECT_EQ(host.CallCount("MakeBody"), 1);
}

TEST_F(MeshesToParts, FailuresReportTheirTextAndKeepWhatWasMade)
{
    struct Case
    {
        const char* name;
        std::function<void(sim::Host&)> arrange;
        int mode;
        int multiBody;
        const wchar_t* error;
        size_t documents;
        size_t bodies; // in the first document
        int finishSecondCalls;
    };
    const Case cases[] = {
        {"no part, multibody", [](sim::Host& h) { h.FailCallWithoutObject("NewPartDocument", 1); }, 0, 1,
         L"Unable to create part", 0, 0, 0},
        {"no second part, one per mesh", [](sim::Host& h) { h.FailCall("NewPartDocument", 2); }, 0, 0,
         L"Unable to create new part", 1, 1, 1},
        {"no active document", [](sim::Host& h) { h.FailCallWithoutObject("GetActiveDocument", 1); }, 0, 1,
         L"Unable to retrieve active model", 1, 0, 0},
        {"no temporary body", [](sim::Host& h) { h.FailCall("CreateTemporaryBody", 2); }, 0, 1,
         L"Unable to create new body", 1, 1, 1},
        {"temporary body without object",
         [](sim::Host& h) { h.FailCallWithoutObject("CreateTemporaryBody", 1); }, 0, 1,
         L"Unable to create new body", 1, 0, 1},
        {"second body not made", [](sim::Host& h) { h.FailCall("MakeBody", 2); }, 0, 1,
         L"Unable to create body from surfaces", 1, 1, 1},
        {"second body not made, one per mesh", [](sim::Host& h) { h.FailCall("MakeBody", 2); }, 0, 0,
         L"Unable to create body from surfaces", 2, 1, 2},
        {"no active document on the sketch road", [](sim::Host& h) { h.FailCall("GetActiveDocument", 1); }, 1,
         1, L"Unable to retrieve active model", 1, 0, 0},
    };
    for (const Case& c : cases)
    {
        sim::Host caseHost;
        c.arrange(caseHost);
        auto meshes = Meshes({UnitTriangle(), SquareQuad(), UnitTriangle()});
        EXPECT_EQ(NVKSWON::CreatePartFromMeshes(caseHost.Application(), meshes, 3, c.mode, c.multiBody, 0), 0)
            << c.name;
        EXPECT_EQ(NVKSWON::GetError(), c.error) << c.name;
        EXPECT_EQ(caseHost.GetModel().documents.size(), c.documents) << c.name;
        if (c.documents)
        {
            EXPECT_EQ(caseHost.GetModel().documents[0]->bodies.size(), c.bodies) << c.name;
            EXPECT_EQ(caseHost.GetModel().documents[0]->openSketch, nullptr)
                << c.name << ": sketch left open";
        }
        EXPECT_EQ(caseHost.CallCount("FinishSecond"), c.finishSecondCalls) << c.name;
        EXPECT_EQ(caseHost.LiveReferences(), 0) << c.name;
    }
    // A part whose active document could not be had keeps its unit unset.
    sim::Host caseHost;
    caseHost.FailCallWithoutObject("GetActiveDocument", 1);
    auto meshes = Meshes({UnitTriangle()});
    NVKSWON::CreatePartFromMeshes(caseHost.Application(), meshes, 3, 0, 1, 0);
    EXPECT_FALSE(caseHost.GetModel().documents.at(0)->lengthUnitSet);
}

TEST_F(MeshesToParts, TheErrorTextSurvivesALaterSuccess)
{
    host.FailCall("MakeBody", 1);
    auto meshes = Meshes({UnitTriangle()});
    EXPECT_EQ(Import(meshes, 2, ImportAsSolid, 1), 0);
    EXPECT_EQ(Import(meshes, 2, ImportAsSolid, 1), 1);
    EXPECT_EQ(NVKSWON::GetError(), L"Unable to create body from surfaces");
}

TEST_F(MeshesToParts, AMeshNamingVerticesOutsideItselfIsRefusedBeforeAnyFace)
{
    for (int mode : {ImportAsSolid, ImportAs3DSketch})
    {
        sim::Host caseHost;
        auto meshes =
            Meshes({UnitTriangle(), MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 1, 5}})});
        EXPECT_EQ(NVKSWON::CreatePartFromMeshes(caseHost.Application(), meshes, 2, mode, 1, 0), 0);
        EXPECT_EQ(NVKSWON::GetError(), L"Mesh has a face with a vertex index outside its vertex list");
        EXPECT_EQ(caseHost.CallCount("CreateTemporaryBody"), mode == ImportAsSolid ? 1 : 0);
        EXPECT_EQ(caseHost.CallCount("AddPlanarFace"),
                  mode == ImportAsSolid ? 1 : 0); // the first mesh's only
        EXPECT_EQ(caseHost.CallCount("CreateSketchLine"), mode == ImportAs3DSketch ? 3 : 0);
        EXPECT_EQ(caseHost.CallCount("FinishThird"), 1);
        EXPECT_EQ(caseHost.LiveReferences(), 0);
    }
}

TEST_F(MeshesToParts, AStaleTopologyNamingVerticesOutsideItsMeshIsRefusedBeforeAnyLine)
{
    // The topology was built while the mesh had a second triangle, which it lost afterwards: a mesh
    // keeps its topology through direct edits of its vertices and faces.
    auto meshes =
        Meshes({UnitTriangle(), MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}, {6, 5, 5}, {5, 6, 5}},
                                         {{0, 1, 2}, {3, 4, 5}})});
    meshes[1].Topology();
    meshes[1].m_F.SetCount(1);
    meshes[1].m_V.SetCount(3);
    EXPECT_EQ(Import(meshes, 2, ImportAs3DSketch, 1), 0);
    EXPECT_EQ(NVKSWON::GetError(), L"Mesh has an edge with a vertex outside its vertex list");
    EXPECT_EQ(host.CallCount("CreateSketchLine"), 3); // the first mesh's only
    EXPECT_EQ(host.CallCount("ToggleSketch3D"), 2);   // the sketch is closed all the same
}

TEST_F(MeshesToParts, ProgressWindowsAreMadeEitherWayAndShownOnlyWithTheFlag)
{
    auto meshes = Meshes({UnitTriangle(), SquareQuad()});
    ASSERT_EQ(Import(meshes, 2, ImportAsSolid, 1, 1), 1);
    EXPECT_THAT(driver.ProgressLines(),
                ElementsAre("Construct(\"Creating solid\", \"\", 0, 100, null)", "SetMax(1)",
                            "StartProgress()", "StepIt(1)",
                            "SetStatus(\"Creating body from surfaces. This may take several minutes...\")",
                            "EndProgress()", "Destroy()", "Construct(\"Creating solid\", \"\", 0, 100, null)",
                            "SetMax(2)", "StartProgress()", "StepIt(1)", "StepIt(1)",
                            "SetStatus(\"Creating body from surfaces. This may take several minutes...\")",
                            "EndProgress()", "Destroy()"));
    driver.progress.clear();
    ASSERT_EQ(Import(meshes, 2, ImportAsSolid, 1, 0), 1);
    EXPECT_THAT(driver.ProgressLines(),
                ElementsAre("Construct(\"Creating solid\", \"\", 0, 100, null)", "Destroy()",
                            "Construct(\"Creating solid\", \"\", 0, 100, null)", "Destroy()"));
    driver.progress.clear();
    // The sketch road counts topological edges: three of the triangle, four of the quad.
    ASSERT_EQ(Import(meshes, 2, ImportAs3DSketch, 0, 1), 1);
    EXPECT_THAT(driver.ProgressLines(),
                ElementsAre("Construct(\"Creating mesh\", \"\", 0, 100, null)", "SetMax(3)",
                            "StartProgress()", "StepIt(1)", "StepIt(1)", "StepIt(1)", "EndProgress()",
                            "Destroy()", "Construct(\"Creating mesh\", \"\", 0, 100, null)", "SetMax(4)",
                            "StartProgress()", "StepIt(1)", "StepIt(1)", "StepIt(1)", "StepIt(1)",
                            "EndProgress()", "Destroy()"));
    driver.progress.clear();
    ASSERT_EQ(Import(meshes, 2, ImportAs3DSketch, 0, 0), 1);
    EXPECT_THAT(driver.ProgressLines(),
                ElementsAre("Construct(\"Creating mesh\", \"\", 0, 100, null)", "Destroy()",
                            "Construct(\"Creating mesh\", \"\", 0, 100, null)", "Destroy()"));
    driver.progress.clear();
    sim::Host caseHost;
    IPartDoc* part = nullptr;
    caseHost.Application()->NewPartDocument(&part);
    IModelDoc* doc = nullptr;
    caseHost.Application()->GetActiveDocument(&doc);
    {
        ui::ScopedDriver scope(driver);
        EXPECT_EQ(NVKSWON::CreateSketchFromMeshes(doc, meshes, 1.0, 1), 1);
    }
    EXPECT_THAT(driver.ProgressLines(),
                ElementsAre("Construct(\"Creating meshes\", \"\", 0, 100, null)", "SetMax(2)",
                            "StartProgress()", "StepIt(1)",
                            "Construct(\"Creating mesh\", \"\", 0, 100, null)", "Destroy()", "StepIt(1)",
                            "Construct(\"Creating mesh\", \"\", 0, 100, null)", "Destroy()", "EndProgress()",
                            "Destroy()"));
    doc->Release();
    part->Release();
}

// Every host call of a reference import fails in turn, once with an HRESULT and, where an object
// comes back, once without the object: the bridge reports what it must and releases everything.
TEST_F(MeshesToParts, FailureSweepOverTheReferenceImport)
{
    auto meshes = Meshes({UnitTriangle(), SquareQuad()});
    std::vector<std::string> reference;
    {
        sim::Host referenceHost;
        ASSERT_EQ(NVKSWON::CreatePartFromMeshes(referenceHost.Application(), meshes, 3, ImportAsSolid, 1, 0),
                  1);
        reference = referenceHost.Journal();
    }
    std::map<std::string, int> seen;
    for (const std::string& line : reference)
    {
        const std::string operation = OperationOf(line);
        const int nth = ++seen[operation];
        const bool hasObject =
            line.rfind(", ") != std::string::npos && line.find("-> S_OK, ") != std::string::npos;
        for (bool withoutObject : {false, true})
        {
            if (withoutObject && !hasObject)
                continue;
            sim::Host caseHost;
            if (withoutObject)
                caseHost.FailCallWithoutObject(operation, nth);
            else
                caseHost.FailCall(operation, nth, E_FAIL);
            NVKSWON::SetError(L"");
            const int result =
                NVKSWON::CreatePartFromMeshes(caseHost.Application(), meshes, 3, ImportAsSolid, 1, 0);
            const std::string what =
                operation + " #" + std::to_string(nth) + (withoutObject ? " without object" : "");
            std::wstring expected;
            if (operation == "NewPartDocument")
                expected = L"Unable to create part";
            else if (operation == "GetActiveDocument")
                expected = L"Unable to retrieve active model";
            else if (operation == "CreateTemporaryBody")
                expected = L"Unable to create new body";
            else if (operation == "MakeBody" && !withoutObject)
                expected = L"Unable to create body from surfaces";
            EXPECT_EQ(result, expected.empty() ? 1 : 0) << what;
            EXPECT_EQ(NVKSWON::GetError(), CString(expected.c_str())) << what;
            EXPECT_EQ(caseHost.LiveReferences(), 0) << what;
        }
    }
    EXPECT_EQ(seen["AddPlanarFace"], 3);
}
