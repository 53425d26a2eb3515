#include "JournalText.h"
#include "MeshFixtures.h"
#include "SurfaceFixtures.h"

#include "NVKSWON.h"

#include "sim/Host.h"
#include "ui/ScriptedDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing::ElementsAre;
using testing::ElementsAreArray;

namespace
{
// The journal with the geometry calls shortened to "object.Operation", so that the preparing,
// finishing, unit and toggle calls stand out with their arguments.
std::vector<std::string> Outline(const std::vector<std::string>& journal)
{
    std::vector<std::string> lines;
    for (const std::string& line : journal)
    {
        const std::string operation = OperationOf(line);
        const bool geometry = operation.rfind("CreateSketch", 0) == 0 ||
                              operation == "CreateBSplineSurface" || operation == "BoundSurface" ||
                              operation == "MakeBody";
        lines.push_back(geometry ? line.substr(0, line.find('(')) : line);
    }
    return lines;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<std::string> Repeat(const std::string& line, int count)
{
    return std::vector<std::string>(size_t(count), line);
}

// One of each kind: a point, a straight curve, a 2 x 2 surface (six iso-lines), a brep of one
// straight edge, a triangle (three lines).
int FilledDocument(sim::Host& host, int type, int progress = 0, int unit = LengthUnitMeters)
{
    ON_3dPointArray points;
    points.Append(ON_3dPoint(1, 2, 3));
    ON_ClassArray<ON_NurbsCurve> curves = Curves({ClampedCurve(2, {{0, 0, 0}, {1, 0, 0}})});
    ON_ClassArray<ON_NurbsSurface> surfaces;
    surfaces.Append(MakeGridSurface(2, 2));
    ON_ClassArray<ON_Brep> breps;
    ON_Brep& brep = breps.AppendNew();
    brep.NewVertex(ON_3dPoint(0, 0, 0));
    brep.NewVertex(ON_3dPoint(0, 0, 1));
    brep.NewEdge(brep.m_V[0], brep.m_V[1],
                 brep.AddEdgeCurve(new ON_LineCurve(ON_Line(brep.m_V[0].point, brep.m_V[1].point))));
    ON_ClassArray<ON_Mesh> meshes;
    meshes.Append(UnitTriangle());
    return NVKSWON::CreateDocument(host.Application(), type, unit, &points, &curves, &surfaces, &breps,
                                   &meshes, progress);
}

class NewDocuments : public testing::Test
{
protected:
    void TearDown() override { EXPECT_EQ(host.LiveReferences(), 0) << "the bridge kept a host reference"; }

    int PartFromSurface(int mode, int unit = LengthUnitMeters, double thickness = 0.0, int progress = 0)
    {
        return NVKSWON::CreatePartFromSurface(host.Application(), MakeGridSurface(4, 4), unit, mode,
                                              thickness, 1, progress);
    }

    sim::Host host;
    ui::ScriptedDriver driver;
    ui::ScopedDriver scope{driver};
};

const std::vector<std::string> kFilling = Join({{"doc1.CreateSketchPoint", "doc1.CreateSketchLine"},
                                                Repeat("doc1.CreateSketchLine", 6),
                                                {"doc1.CreateSketchLine"},
                                                Repeat("doc1.CreateSketchLine", 3)});
} // namespace

TEST_F(NewDocuments, PartFromSurfacePreparesAndFinishesByMode)
{
    const std::vector<std::string> open = {"app.NewPartDocument() -> S_OK, part1",
                                           "app.GetActiveDocument() -> S_OK, doc1",
                                           "doc1.PrepareFirst(1) -> S_OK", "doc1.SetLengthUnit(2) -> S_OK"};
    const std::vector<std::string> finish = {"doc1.FinishSecond() -> S_OK", "doc1.FinishThird() -> S_OK"};
    const struct
    {
        int mode;
        std::vector<std::string> outline;
    } cases[] = {
        {ImportAsSolid, Join({open,
                              {"part1.CreateTemporaryBody() -> S_OK, tbody1", "tbody1.CreateBSplineSurface",
                               "tbody1.BoundSurface", "tbody1.MakeBody"},
                              finish})},
        {ImportAs3DSketch, Join({open,
                                 {"doc1.ToggleSketch3D(0) -> S_OK", "doc1.PrepareSecond(0) -> S_OK"},
                                 Repeat("doc1.CreateSketchLine", 10),
                                 {"doc1.FinishFirst() -> S_OK", "doc1.ToggleSketch3D(0) -> S_OK"},
                                 finish})},
        {2, Join({open, finish})},
        {-1, Join({open, finish})},
    };
    for (const auto& c : cases)
    {
        sim::Host caseHost;
        EXPECT_EQ(NVKSWON::CreatePartFromSurface(caseHost.Application(), MakeGridSurface(4, 4),
                                                 LengthUnitMeters, c.mode, 0.0, 0, 0),
                  1)
            << "mode " << c.mode;
        EXPECT_THAT(Outline(caseHost.Journal()), ElementsAreArray(c.outline)) << "mode " << c.mode;
        ASSERT_EQ(caseHost.GetModel().documents.size(), 1u);
        EXPECT_EQ(caseHost.GetModel().documents[0]->bodies.size(), c.mode == ImportAsSolid ? 1u : 0u);
        EXPECT_EQ(caseHost.LiveReferences(), 0) << "mode " << c.mode;
    }
}

TEST_F(NewDocuments, PartFromSurfaceScalesWhatItMakesAndShowsProgressOnlyForTheSketch)
{
    const double inch = 0.0254;
    ASSERT_EQ(PartFromSurface(ImportAsSolid, LengthUnitInches, 0.5, 1), 1);
    const sim::Body& body = *host.GetModel().documents.at(0)->bodies.at(0);
    ASSERT_EQ(body.surfaces.size(), 6u); // the surface, four walls and the bottom
    EXPECT_THAT(body.surfaces[0].controlPoints, testing::Contains(3 * inch));
    EXPECT_THAT(body.surfaces[0].bounds, ElementsAre(0, 1, 0, 1));
    EXPECT_TRUE(driver.progress.empty());

    ASSERT_EQ(PartFromSurface(ImportAs3DSketch, LengthUnitInches, 0.5, 1), 1);
    const sim::Sketch& sketch = *host.GetModel().documents.at(1)->sketches.at(0);
    EXPECT_TRUE(sketch.is3D);
    EXPECT_THAT(sketch.entities.at(4).values, ElementsAre(0, 3 * inch, 0, 3 * inch, 3 * inch, 0));
    std::vector<std::string> window = {"Construct(\"Creating curves\", \"\", 0, 100, null)", "SetMax(10)",
                                       "StartProgress()"};
    window.insert(window.end(), 10, "StepIt(1)");
    window.insert(window.end(), {"EndProgress()", "Destroy()"});
    EXPECT_THAT(driver.ProgressLines(), ElementsAreArray(window));

    // A unit outside 0 to 4 leaves the document's unit alone and scales by 1.
    ASSERT_EQ(PartFromSurface(ImportAs3DSketch, 7), 1);
    const sim::Document& unscaled = *host.GetModel().documents.at(2);
    EXPECT_FALSE(unscaled.lengthUnitSet);
    EXPECT_THAT(unscaled.sketches.at(0)->entities.at(4).values, ElementsAre(0, 3, 0, 3, 3, 0));
}

TEST_F(NewDocuments, PartFromSurfaceFailuresAndWhatStillRuns)
{
    const struct
    {
        std::string operation;
        bool withoutObject;
        int mode;
        const wchar_t* error;
        bool finished;
    } cases[] = {
        {"NewPartDocument", true, ImportAsSolid, L"Unable to create part", false},
        {"GetActiveDocument", true, ImportAs3DSketch, L"Unable to retrieve active model", false},
        {"CreateTemporaryBody", false, ImportAsSolid, L"Unable to create new body", true},
        {"MakeBody", false, ImportAsSolid, L"Unable to create body from surface", true},
    };
    for (const auto& c : cases)
    {
        sim::Host caseHost;
        if (c.withoutObject)
            caseHost.FailCallWithoutObject(c.operation, 1);
        else
            caseHost.FailCall(c.operation, 1, E_FAIL);
        NVKSWON::SetError(L"");
        EXPECT_EQ(NVKSWON::CreatePartFromSurface(caseHost.Application(), MakeGridSurface(4, 4),
                                                 LengthUnitMeters, c.mode, 0.0, 0, 0),
                  0)
            << c.operation;
        EXPECT_EQ(NVKSWON::GetError(), c.error) << c.operation;
        EXPECT_EQ(caseHost.CallCount("FinishSecond"), c.finished ? 1 : 0) << c.operation;
        EXPECT_EQ(caseHost.CallCount("FinishThird"), c.finished ? 1 : 0) << c.operation;
        EXPECT_EQ(caseHost.LiveReferences(), 0) << c.operation;
    }
}

TEST_F(NewDocuments, DocumentPreparesFillsAndFinishesByType)
{
    const std::vector<std::string> prepare = {"app.GetActiveDocument() -> S_OK, doc1",
                                              "doc1.PrepareFirst(1) -> S_OK",
                                              "doc1.SetLengthUnit(2) -> S_OK"};
    const std::vector<std::string> toggle = {"doc1.ToggleSketch3D(0) -> S_OK"};
    const std::vector<std::string> second = {"doc1.PrepareSecond(0) -> S_OK"};
    const std::vector<std::string> finish = {"doc1.FinishSecond() -> S_OK", "doc1.FinishFirst() -> S_OK"};
    const struct
    {
        int type;
        std::vector<std::string> outline;
        sim::DocumentType made; // or the active document when nothing is made
        bool sketch3D;
    } cases[] = {
        {0,
         Join({{"app.NewPartDocument() -> S_OK, part1"}, prepare, toggle, second, kFilling, finish, toggle}),
         sim::DocumentType::Part, true},
        {1,
         Join({{"app.NewAssemblyDocument() -> S_OK, asm1"},
               prepare,
               toggle,
               second,
               kFilling,
               finish,
               toggle}),
         sim::DocumentType::Assembly, true},
        {2,
         Join({{"app.NewDrawingDocument(11, 0, 11, 0, 0) -> S_OK, drw1"}, prepare, second, kFilling, finish}),
         sim::DocumentType::Drawing, false},
        {3, Join({prepare, second, kFilling, finish}), sim::DocumentType::Part, false},
        {-1, Join({prepare, second, kFilling, finish}), sim::DocumentType::Part, false},
    };
    for (const auto& c : cases)
    {
        sim::Host caseHost;
        if (c.type < 0 || c.type > 2)
            caseHost.GetModel().AddDocument(sim::DocumentType::Part);
        EXPECT_EQ(FilledDocument(caseHost, c.type), 1) << "type " << c.type;
        EXPECT_THAT(Outline(caseHost.Journal()), ElementsAreArray(c.outline)) << "type " << c.type;
        ASSERT_EQ(caseHost.GetModel().documents.size(), 1u) << "type " << c.type;
        const sim::Document& document = *caseHost.GetModel().documents[0];
        EXPECT_EQ(document.type, c.made) << "type " << c.type;
        ASSERT_EQ(document.sketches.size(), 1u) << "type " << c.type;
        EXPECT_EQ(document.sketches[0]->is3D, c.sketch3D) << "type " << c.type;
        EXPECT_EQ(document.openSketch, nullptr) << "type " << c.type;
        EXPECT_EQ(caseHost.LiveReferences(), 0) << "type " << c.type;
    }
}

TEST_F(NewDocuments, DocumentWithoutGeometryStillOpensAndClosesItsSketch)
{
    EXPECT_EQ(NVKSWON::CreateDocument(host.Application(), 0, LengthUnitInches, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, 1),
              1);
    EXPECT_THAT(host.Journal(),
                ElementsAre("app.NewPartDocument() -> S_OK, part1", "app.GetActiveDocument() -> S_OK, doc1",
                            "doc1.PrepareFirst(1) -> S_OK", "doc1.SetLengthUnit(3) -> S_OK",
                            "doc1.ToggleSketch3D(0) -> S_OK", "doc1.PrepareSecond(0) -> S_OK",
                            "doc1.FinishSecond() -> S_OK", "doc1.FinishFirst() -> S_OK",
                            "doc1.ToggleSketch3D(0) -> S_OK"));
    EXPECT_TRUE(driver.progress.empty());
}

TEST_F(NewDocuments, DocumentGeometryReachesTheHostScaledByTheUnit)
{
    sim::Host inMeters;
    ASSERT_EQ(FilledDocument(inMeters, 0), 1);
    ASSERT_EQ(FilledDocument(host, 0, 0, LengthUnitInches), 1);
    const auto& metres = inMeters.GetModel().documents.at(0)->sketches.at(0)->entities;
    const auto& inches = host.GetModel().documents.at(0)->sketches.at(0)->entities;
    ASSERT_EQ(inches.size(), metres.size());
    ASSERT_EQ(inches.size(), kFilling.size());
    for (size_t k = 0; k < inches.size(); k++)
    {
        std::vector<double> scaled;
        for (double value : metres[k].values)
            scaled.push_back(value * 0.0254);
        EXPECT_EQ(inches[k].values, scaled) << "entity " << k;
    }
}

TEST_F(NewDocuments, DocumentFillersShowTheirOwnWindowsAndTheirResultsAreNotRead)
{
    // Every entity is refused; the document is still prepared, filled and finished.
    for (const char* operation : {"CreateSketchPoint", "CreateSketchLine"})
        for (int nth = 1; nth <= 20; nth++)
            host.FailCall(operation, nth, E_FAIL);
    EXPECT_EQ(FilledDocument(host, 0, 1), 1);
    EXPECT_EQ(host.CallCount("FinishFirst"), 1);
    std::vector<std::string> constructed;
    for (const std::string& line : driver.ProgressLines())
        if (line.rfind("Construct(", 0) == 0)
            constructed.push_back(line.substr(11, line.find('"', 11) - 11));
    EXPECT_THAT(constructed, ElementsAre("Creating points", "Creating curves", "Creating surface curves",
                                         "Creating curves", "Creating brep curves", "Creating curves",
                                         "Creating meshes", "Creating mesh"));
}

TEST_F(NewDocuments, AMeshThatCannotBeDrawnStopsTheMeshesButNotTheDocument)
{
    ON_ClassArray<ON_Mesh> meshes;
    meshes.Append(MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 5}}));
    meshes.Append(UnitTriangle());
    EXPECT_EQ(NVKSWON::CreateDocument(host.Application(), 0, LengthUnitMeters, nullptr, nullptr, nullptr,
                                      nullptr, &meshes, 1),
              1);
    // The triangle after the broken mesh is not drawn; the document is still finished.
    EXPECT_THAT(host.Journal(),
                ElementsAre("app.NewPartDocument() -> S_OK, part1", "app.GetActiveDocument() -> S_OK, doc1",
                            "doc1.PrepareFirst(1) -> S_OK", "doc1.SetLengthUnit(2) -> S_OK",
                            "doc1.ToggleSketch3D(0) -> S_OK", "doc1.PrepareSecond(0) -> S_OK",
                            "doc1.FinishSecond() -> S_OK", "doc1.FinishFirst() -> S_OK",
                            "doc1.ToggleSketch3D(0) -> S_OK"));
    // Its window was started and is only destroyed, never ended.
    EXPECT_THAT(driver.ProgressLines(),
                ElementsAre("Construct(\"Creating meshes\", \"\", 0, 100, null)", "SetMax(2)",
                            "StartProgress()", "StepIt(1)", "Destroy()"));
}

TEST_F(NewDocuments, DocumentFailuresLeaveTheirText)
{
    const struct
    {
        int type;
        std::string operation;
        bool activeBefore;
        const wchar_t* error;
        size_t documents;
    } cases[] = {
        {0, "NewPartDocument", false, L"Unable to create part", 0},
        {1, "NewAssemblyDocument", false, L"Unable to create assembly", 0},
        {2, "NewDrawingDocument", false, L"Unable to create drawing", 0},
        {0, "GetActiveDocument", false, L"Unable to retrieve active model", 1},
        {2, "GetActiveDocument", false, L"Unable to retrieve active model", 1},
        {3, "GetActiveDocument", true, L"Unable to retrieve active model", 1},
        {-1, "", false, L"Unable to retrieve active model", 0},
    };
    for (const auto& c : cases)
    {
        sim::Host caseHost;
        if (c.activeBefore)
            caseHost.GetModel().AddDocument(sim::DocumentType::Part);
        if (!c.operation.empty())
            caseHost.FailCallWithoutObject(c.operation, 1);
        NVKSWON::SetError(L"");
        EXPECT_EQ(FilledDocument(caseHost, c.type), 0) << c.operation << ", type " << c.type;
        EXPECT_EQ(NVKSWON::GetError(), c.error) << c.operation << ", type " << c.type;
        EXPECT_EQ(caseHost.GetModel().documents.size(), c.documents) << c.operation << ", type " << c.type;
        EXPECT_EQ(caseHost.CallCount("PrepareFirst"), 0) << c.operation << ", type " << c.type;
        EXPECT_EQ(caseHost.LiveReferences(), 0) << c.operation << ", type " << c.type;
    }
}
