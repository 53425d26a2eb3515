#include "NVKSWON.h"

#include "sim/EntityInterfaces.h"
#include "sim/Host.h"
#include "ui/ScriptedDriver.h"
#include "win32_testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

using testing::ElementsAre;

namespace
{
using Faces = std::vector<std::vector<float>>;

// One face holding two triangles that share the edge (1, 0, 0)-(0, 1, 0), bit for bit.
const Faces kSquare = {{0, 0, 0, 1, 0, 0, 0, 1, 0, /**/ 1, 0, 0, 1, 1, 0, 0, 1, 0}};
const Faces kTriangle = {{0, 0, 0, 1, 0, 0, 0, 1, 0}};

std::vector<std::string> Names(const CStringArray& names)
{
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        out.push_back(ui::Utf8(std::wstring((LPCWSTR)names[i])));
    return out;
}

// A held interface of the host, released at the end of the scope.
template <class Interface> struct Held
{
    Interface* p = nullptr;
    ~Held()
    {
        if (p)
            p->Release();
    }
    Interface* operator->() const { return p; }
};

class MeshesFromHost : public testing::Test
{
protected:
    void SetUp() override { NVKSWON::SetError(L"-"); }
    void TearDown() override
    {
        EXPECT_EQ(host.LiveReferences(), 0) << "the bridge kept a host reference";
        EXPECT_EQ(platform::LiveBstrCount(), bstrsBefore);
    }

    // A part document with its interface held for the test; the journal starts after it.
    sim::Document& Part(const std::wstring& title, Held<IPartDoc>& part)
    {
        sim::Document& doc = model.AddDocument(sim::DocumentType::Part);
        doc.title = title;
        Held<IModelDoc> modelDoc{sim::ModelDocInterface(host, doc)};
        modelDoc->QueryInterface(IID_IPartDoc, (void**)&part.p);
        host.ClearJournal();
        return doc;
    }

    std::string Error() const { return ui::Utf8(std::wstring((LPCWSTR)NVKSWON::GetError())); }

    sim::Host host;
    sim::Model& model = host.GetModel();
    long bstrsBefore = platform::LiveBstrCount();
};
} // namespace

TEST_F(MeshesFromHost, BodyFacesBecomeOneCombinedTriangleMesh)
{
    struct Case
    {
        const char* what;
        Faces faces;
        const char* failing; // an operation made to fail on its first call
        int result;
        int vertices, faceCount;
        const char* error;
    };
    const Case cases[] = {
        {"shared edge", kSquare, nullptr, 1, 4, 2, "-"},
        {"faces share corners", {kTriangle[0], {1, 0, 0, 1, 1, 0, 0, 1, 0}}, nullptr, 1, 4, 2, "-"},
        {"degenerate triangle dropped",
         {{0, 0, 0, 0, 0, 0, 1, 1, 1, /**/ 0, 0, 0, 1, 0, 0, 0, 1, 0}},
         nullptr,
         1,
         3,
         1,
         "-"},
        {"first face's count fails",
         {kTriangle[0], {5, 5, 5, 6, 5, 5, 5, 6, 5}},
         "GetTriangleCount",
         1,
         3,
         1,
         "-"},
        {"triangles fail", kSquare, "GetTriangles", 0, 9, 9, "[NVKSWON::GetMeshFromBody] Invalid mesh"},
        {"face without triangles", {{}}, nullptr, 0, 9, 9, "[NVKSWON::GetMeshFromBody] Invalid mesh"},
        {"no face", {}, nullptr, 0, 9, 9, "Unable to get first face of body"},
        {"first face fails", kSquare, "GetFirstFace", 0, 9, 9, "Unable to get first face of body"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        host.ClearFailures();
        if (c.failing)
            host.FailCall(c.failing, host.CallCount(c.failing) + 1);
        NVKSWON::SetError(L"-");
        sim::Document& doc = model.AddDocument(sim::DocumentType::Part);
        Held<IBody> body{sim::BodyInterface(host, model.AddBody(doc.bodies, L"Body1", c.faces))};
        // A failed read leaves the receiving mesh as it was: nine vertices, nine faces.
        ON_Mesh mesh;
        for (int i = 0; i < 9; ++i)
        {
            mesh.SetVertex(i, ON_3dPoint(i, 0, 0));
            mesh.SetTriangle(i, 0, 1, 2);
        }
        EXPECT_EQ(NVKSWON::GetMeshFromBody(body.p, mesh), c.result);
        EXPECT_EQ(mesh.VertexCount(), c.vertices);
        EXPECT_EQ(mesh.FaceCount(), c.faceCount);
        EXPECT_EQ(mesh.m_N.Count() + mesh.m_T.Count() + mesh.m_C.Count(), 0);
        EXPECT_EQ(Error(), c.error);
    }
}

TEST_F(MeshesFromHost, EachFaceIsReadOnceAndReleasedBeforeTheNext)
{
    sim::Document& doc = model.AddDocument(sim::DocumentType::Part);
    Held<IBody> body{sim::BodyInterface(host, model.AddBody(doc.bodies, L"Body1", {kTriangle[0], {}}))};
    ON_Mesh mesh;
    ASSERT_EQ(NVKSWON::GetMeshFromBody(body.p, mesh), 1);
    EXPECT_THAT(host.Journal(),
                ElementsAre("body1.GetFirstFace() -> S_OK, face1_1", "face1_1.GetTriangleCount() -> S_OK, 1",
                            "face1_1.GetTriangles(0) -> S_OK, [0, 0, 0, 1, 0, 0, 0, 1, 0]",
                            "face1_1.GetNextFace() -> S_OK, face1_2", "face1_2.GetTriangleCount() -> S_OK, 0",
                            // Only a failed count spares the read; none to read is still asked.
                            "face1_2.GetTriangles(0) -> S_OK, []", "face1_2.GetNextFace() -> S_OK, null"));
    EXPECT_EQ(mesh.FaceCount(), 1);
}

TEST_F(MeshesFromHost, AppendTriangleAddsThreeVerticesOrNothing)
{
    ON_Mesh mesh;
    EXPECT_EQ(NVKSWON::AppendTriangle(mesh, ON_3dPoint(0, 0, 0), ON_3dPoint(1, 0, 0), ON_3dPoint(0, 1, 0)),
              1);
    // The same corners again share nothing with what is there.
    EXPECT_EQ(NVKSWON::AppendTriangle(mesh, ON_3dPoint(0, 0, 0), ON_3dPoint(1, 0, 0), ON_3dPoint(0, 1, 0)),
              1);
    EXPECT_EQ(NVKSWON::AppendTriangle(mesh, ON_3dPoint(0, 0, 0), ON_3dPoint(0, 0, 0), ON_3dPoint(0, 1, 0)),
              0);
    EXPECT_EQ(NVKSWON::AppendTriangle(mesh, ON_3dPoint(2, 2, 2), ON_3dPoint(2, 2, 2), ON_3dPoint(2, 2, 2)),
              0);
    EXPECT_EQ(mesh.VertexCount(), 6);
    ASSERT_EQ(mesh.FaceCount(), 2);
    EXPECT_EQ(mesh.m_F[1].vi[0], 3);
    EXPECT_TRUE(mesh.m_F[1].IsTriangle());
    EXPECT_EQ(mesh.m_V[4].x, 1.0f);
}

TEST_F(MeshesFromHost, PartMeshesAreNamedAfterTheTitleAndColouredByTheMaterial)
{
    Held<IPartDoc> part;
    sim::Document& doc = Part(L"bracket.old.prt", part);
    doc.materialValues = sim::MaterialValues{1, 0.5, 0, 0, 0, 0, 0, 0.25, 0, 0};
    model.AddBody(doc.bodies, L"Body1", kSquare);
    model.AddBody(doc.bodies, L"Sheet1", kTriangle, 1);
    ON_ClassArray<ON_Mesh> meshes;
    CStringArray names;
    ASSERT_EQ(NVKSWON::GetPartMeshes(part.p, meshes, &names, 0), 1);
    EXPECT_THAT(
        host.Journal(),
        ElementsAre("part1.QueryInterface(ITitledModelDoc) -> S_OK, titled1",
                    "titled1.GetTitle() -> S_OK, \"bracket.old.prt\"",
                    "part1.GetMaterialValues() -> S_OK, [1, 0.5, 0, 0, 0, 0, 0, 0.25, 0, 0]",
                    "part1.GetBodies(0, 0) -> S_OK, bodies1", "bodies1.Next(1, null) -> S_OK, body1",
                    "body1.GetFirstFace() -> S_OK, face1_1", "face1_1.GetTriangleCount() -> S_OK, 2",
                    "face1_1.GetTriangles(0) -> S_OK, [0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0]",
                    "face1_1.GetNextFace() -> S_OK, null", "body1.GetName() -> S_OK, \"Body1\"",
                    "bodies1.Next(1, null) -> S_FALSE, null", "part1.GetBodies(1, 0) -> S_OK, bodies2",
                    "bodies2.Next(1, null) -> S_OK, body2", "body2.GetFirstFace() -> S_OK, face2_1",
                    "face2_1.GetTriangleCount() -> S_OK, 1",
                    "face2_1.GetTriangles(0) -> S_OK, [0, 0, 0, 1, 0, 0, 0, 1, 0]",
                    "face2_1.GetNextFace() -> S_OK, null", "body2.GetName() -> S_OK, \"Sheet1\"",
                    "bodies2.Next(1, null) -> S_FALSE, null"));
    EXPECT_THAT(Names(names), ElementsAre("bracket.old-Body1", "bracket.old-Sheet1"));
    ASSERT_EQ(meshes.Count(), 2);
    EXPECT_EQ(meshes[0].VertexCount(), 4);
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_EQ(meshes[i].m_C.Count(), 1) << "one colour for the whole mesh";
        EXPECT_EQ(meshes[i].m_C[0], ON_Color(255, 127, 0, 191));
    }

    // A second call appends after the first.
    ASSERT_EQ(NVKSWON::GetPartMeshes(part.p, meshes, &names, 0), 1);
    EXPECT_EQ(meshes.Count(), 4);
    EXPECT_EQ(names.GetSize(), 4);
}

TEST_F(MeshesFromHost, PartNameAndColourRules)
{
    struct Case
    {
        const wchar_t* title;
        bool titleInterface;
        const char* failing;
        std::optional<sim::MaterialValues> material;
        const char* name;
        ON_Color colour;
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {L"bracket.old.prt", true, nullptr, std::nullopt, "bracket.old-Body1", ON_Color(255, 255, 255, 0)},
        {L"bracket", true, nullptr, sim::MaterialValues{0, 0, 1, 0, 0, 0, 0, 1, 0, 0}, "-Body1",
         ON_Color(0, 0, 255, 0)},
        {L"", true, nullptr, std::nullopt, "-Body1", ON_Color(255, 255, 255, 0)},
        {L"bracket.prt", false, nullptr, std::nullopt, "Part-Body1", ON_Color(255, 255, 255, 0)},
        {L"bracket.prt", true, "GetTitle", std::nullopt, "Part-Body1", ON_Color(255, 255, 255, 0)},
        {L"a.prt", true, "GetName", std::nullopt, "a-Body", ON_Color(255, 255, 255, 0)},
        // Values out of range are held to 0..255, even where the product does not fit an int.
        {L"a.prt", true, nullptr, sim::MaterialValues{2, -1, 1e300, 0, 0, 0, 0, -1, 0, 0}, "a-Body1",
         ON_Color(255, 0, 255, 255)},
        {L"a.prt", true, nullptr, sim::MaterialValues{nan, 0.999, -1e300, 0, 0, 0, 0, nan, 0, 0}, "a-Body1",
         ON_Color(0, 254, 0, 0)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        host.ClearFailures();
        if (c.failing)
            host.FailCall(c.failing, host.CallCount(c.failing) + 1);
        Held<IPartDoc> part;
        sim::Document& doc = Part(c.title, part);
        doc.hasTitleInterface = c.titleInterface;
        doc.materialValues = c.material;
        model.AddBody(doc.bodies, L"Body1", kTriangle);
        ON_ClassArray<ON_Mesh> meshes;
        CStringArray names;
        ASSERT_EQ(NVKSWON::GetPartMeshes(part.p, meshes, &names, -1), 1);
        EXPECT_THAT(Names(names), ElementsAre(c.name));
        ASSERT_EQ(meshes.Count(), 1);
        ASSERT_EQ(meshes[0].m_C.Count(), 1);
        EXPECT_EQ(meshes[0].m_C[0], c.colour);
    }
}

TEST_F(MeshesFromHost, PartBodiesThatGiveNoMeshAreSkipped)
{
    Held<IPartDoc> part;
    sim::Document& doc = Part(L"p.prt", part);
    model.AddBody(doc.bodies, L"Empty", {});
    model.AddBody(doc.bodies, L"Hidden", kTriangle).visible = false;
    ON_ClassArray<ON_Mesh> meshes;
    CStringArray names;
    // Visible bodies only: the hidden one is not even offered.
    EXPECT_EQ(NVKSWON::GetPartMeshes(part.p, meshes, &names, 1), 0);
    EXPECT_EQ(Error(), "Unable to get part bodies");
    EXPECT_EQ(meshes.Count(), 0);
    EXPECT_EQ(names.GetSize(), 0);

    // All bodies, and no names: the empty body is skipped and leaves its message behind.
    EXPECT_EQ(NVKSWON::GetPartMeshes(part.p, meshes, nullptr, 0), 1);
    EXPECT_EQ(meshes.Count(), 1);
    EXPECT_EQ(Error(), "Unable to get first face of body");

    // An enumeration that answers without a body, and one that cannot be had.
    host.FailCallWithoutObject("Next", host.CallCount("Next") + 1);
    host.FailCall("GetBodies", host.CallCount("GetBodies") + 2);
    EXPECT_EQ(NVKSWON::GetPartMeshes(part.p, meshes, &names, 0), 1);
    EXPECT_EQ(meshes.Count(), 2);
    EXPECT_THAT(Names(names), ElementsAre("p-Hidden"));
}

namespace
{
// An assembly "top" (no bodies of its own) over bolt-1 (one body) and plate-1 (two bodies, and
// below it washer-1), each component showing its own part.
struct Assembly
{
    sim::Document* assembly;
    sim::Document *boltPart, *platePart;
    sim::Component *top, *bolt, *plate, *washer;

    explicit Assembly(sim::Model& model)
    {
        boltPart = &model.AddDocument(sim::DocumentType::Part);
        platePart = &model.AddDocument(sim::DocumentType::Part);
        assembly = &model.AddDocument(sim::DocumentType::Assembly);
        top = &model.SetRootComponent(*assembly, L"top", assembly);
        bolt = &model.AddChild(*top, L"bolt-1", boltPart);
        plate = &model.AddChild(*top, L"plate-1", platePart);
        washer = &model.AddChild(*plate, L"washer-1", boltPart);
        model.AddBody(bolt->bodies, L"Body1", kTriangle);
        model.AddBody(plate->bodies, L"Body1", kTriangle);
        model.AddBody(plate->bodies, L"Body2", kTriangle, 1);
        model.AddBody(washer->bodies, L"Body1", kTriangle);
    }
};
} // namespace

TEST_F(MeshesFromHost, ComponentTreeIsWalkedDepthFirstWithOwnNamesAndColours)
{
    Assembly a(model);
    a.bolt->materialValues = sim::MaterialValues{1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    a.platePart->materialValues = sim::MaterialValues{0, 1, 0, 0, 0, 0, 0, 0.5, 0, 0};
    Held<IComponent> top{sim::ComponentInterface(host, *a.top)};
    ON_ClassArray<ON_Mesh> meshes;
    CStringArray names;
    names.Add(L"kept");
    EXPECT_EQ(NVKSWON::GetComponentTreeMeshes(top.p, meshes, &names), 2);
    EXPECT_THAT(Names(names), ElementsAre("kept", "bolt-1", "plate-1-Body1", "plate-1-Body2", "washer-1"));
    ASSERT_EQ(meshes.Count(), 4);
    const ON_Color expected[] = {ON_Color(255, 0, 0, 255), ON_Color(0, 255, 0, 127), ON_Color(0, 255, 0, 127),
                                 ON_Color(255, 255, 255, 0)};
    for (int i = 0; i < 4; ++i)
    {
        ASSERT_EQ(meshes[i].m_C.Count(), 1);
        EXPECT_EQ(meshes[i].m_C[0], expected[i]) << i;
    }
    // The root gave no mesh of its own; the walk went on and its message stays behind.
    EXPECT_EQ(Error(), "Unable to get component bodies");

    // The calls for the bolt: its meshes first, then where it is placed and what colour it has.
    const auto journal = host.Journal();
    const auto first = std::find(journal.begin(), journal.end(), "comp2.GetName() -> S_OK, \"bolt-1\"");
    ASSERT_NE(first, journal.end());
    EXPECT_THAT(
        std::vector<std::string>(first, first + 15),
        ElementsAre("comp2.GetName() -> S_OK, \"bolt-1\"", "comp2.GetName() -> S_OK, \"bolt-1\"",
                    "comp2.GetBodies(0) -> S_OK, bodies3", "bodies3.Next(1, null) -> S_OK, body1",
                    "body1.GetFirstFace() -> S_OK, face1_1", "face1_1.GetTriangleCount() -> S_OK, 1",
                    "face1_1.GetTriangles(0) -> S_OK, [0, 0, 0, 1, 0, 0, 0, 1, 0]",
                    "face1_1.GetNextFace() -> S_OK, null", "body1.GetName() -> S_OK, \"Body1\"",
                    "bodies3.Next(1, null) -> S_FALSE, null", "comp2.GetBodies(1) -> S_OK, bodies4",
                    "bodies4.Next(1, null) -> S_FALSE, null", "comp2.GetModelDoc() -> S_OK, doc1",
                    "doc1.GetLengthUnit() -> S_OK, 0",
                    "comp2.GetTransform() -> S_OK, [1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0]"));
    EXPECT_TRUE(std::find(journal.begin(), journal.end(), "comp1.GetChildren() -> S_OK, [comp2, comp3]") !=
                journal.end());

    // Without names the same meshes come.
    ON_ClassArray<ON_Mesh> unnamed;
    EXPECT_EQ(NVKSWON::GetComponentTreeMeshes(top.p, unnamed, nullptr), 2);
    EXPECT_EQ(unnamed.Count(), 4);
}

TEST_F(MeshesFromHost, EachComponentIsPlacedByItsOwnTransformAlone)
{
    Assembly a(model);
    a.assembly->lengthUnit = 2;
    a.bolt->transform = {0, 1, 0, -1, 0, 0, 0, 0, 1, 0.1, 0, 0, 1, 0, 0, 0};
    a.plate->transform = {1, 0, 0, 0, 1, 0, 0, 0, 1, 5, 6, 7, 1, 0, 0, 0};
    a.boltPart->lengthUnit = 0; // millimetres: the meshes still come in metres
    Held<IComponent> top{sim::ComponentInterface(host, *a.top)};
    ON_ClassArray<ON_Mesh> meshes;
    NVKSWON::GetComponentTreeMeshes(top.p, meshes, nullptr);
    ASSERT_EQ(meshes.Count(), 4);
    // The bolt's (1, 0, 0) turns to (0, 1, 0) and moves by 0.1 along x.
    const ON_Mesh& bolt = meshes[0];
    bool found = false;
    for (int i = 0; i < bolt.VertexCount(); ++i)
        found |= bolt.m_V[i] == ON_3fPoint(0.1f, 1, 0);
    EXPECT_TRUE(found);
    ON_BoundingBox box;
    meshes[1].GetBoundingBox(box);
    EXPECT_EQ(box.m_min, ON_3dPoint(5, 6, 7));
    // The washer below the plate keeps its own (identity) placement.
    meshes[3].GetBoundingBox(box);
    EXPECT_EQ(box.m_min, ON_3dPoint(0, 0, 0));
    EXPECT_EQ(box.m_max, ON_3dPoint(1, 1, 0));
}

TEST_F(MeshesFromHost, ComponentFallbacksAndFailures)
{
    struct Case
    {
        const char* what;
        const char* failing;
        int nth;
        bool noModelDoc;
        int children;
        std::vector<std::string> names;
        ON_Color boltColour;
    };
    const ON_Color white(255, 255, 255, 0), partBlue(0, 0, 255, 0);
    const std::vector<Case> cases = {
        {"part's colour",
         nullptr,
         0,
         false,
         2,
         {"bolt-1", "plate-1-Body1", "plate-1-Body2", "washer-1"},
         partBlue},
        {"no model document",
         nullptr,
         0,
         true,
         2,
         {"bolt-1", "plate-1-Body1", "plate-1-Body2", "washer-1"},
         white},
        {"part material fails",
         "GetMaterialValues",
         2,
         false,
         2,
         {"bolt-1", "plate-1-Body1", "plate-1-Body2", "washer-1"},
         white},
        // The bolt's first name request fails: its single mesh takes the default.
        {"name fails",
         "GetName",
         3,
         false,
         2,
         {"Component", "plate-1-Body1", "plate-1-Body2", "washer-1"},
         partBlue},
        {"no child count", "GetChildCount", 1, false, 0, {}, white},
        {"children fail", "GetChildren", 1, false, 2, {}, white},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        sim::Host caseHost;
        sim::Model& caseModel = caseHost.GetModel();
        Assembly a(caseModel);
        a.boltPart->materialValues = sim::MaterialValues{0, 0, 1, 0, 0, 0, 0, 1, 0, 0};
        if (c.noModelDoc)
            a.bolt->modelDoc = nullptr;
        if (c.failing)
            caseHost.FailCall(c.failing, c.nth);
        ON_ClassArray<ON_Mesh> meshes;
        CStringArray names;
        {
            Held<IComponent> top{sim::ComponentInterface(caseHost, *a.top)};
            EXPECT_EQ(NVKSWON::GetComponentTreeMeshes(top.p, meshes, &names), c.children);
        }
        EXPECT_EQ(Names(names), c.names);
        if (meshes.Count() > 0)
        {
            EXPECT_EQ(meshes[0].m_C[0], c.boltColour);
        }
        EXPECT_EQ(caseHost.LiveReferences(), 0);
    }
}

TEST_F(MeshesFromHost, DocumentsStartFromEmptyArrays)
{
    struct Case
    {
        const char* what;
        sim::DocumentType type;
        bool withTree;
        const char* failing;
        int result;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {"part", sim::DocumentType::Part, false, nullptr, 1, {"Part1-Body1"}},
        {"assembly", sim::DocumentType::Assembly, true, nullptr, 1, {"bolt-1"}},
        {"assembly without root", sim::DocumentType::Assembly, false, nullptr, 0, {}},
        {"no configuration", sim::DocumentType::Assembly, true, "GetActiveConfiguration", 0, {}},
        {"drawing", sim::DocumentType::Drawing, false, nullptr, 0, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        sim::Host caseHost;
        sim::Model& caseModel = caseHost.GetModel();
        sim::Document& doc = caseModel.AddDocument(c.type);
        doc.title = L"Part1.SLDPRT";
        if (c.type == sim::DocumentType::Part)
            caseModel.AddBody(doc.bodies, L"Body1", kTriangle);
        if (c.withTree)
            caseModel.AddBody(caseModel.SetRootComponent(doc, L"bolt-1", nullptr).bodies, L"B", kTriangle);
        if (c.failing)
            caseHost.FailCall(c.failing, 1);
        NVKSWON::SetError(L"-");
        ON_ClassArray<ON_Mesh> meshes;
        meshes.Append(ON_Mesh());
        CStringArray names;
        names.Add(L"old");
        EXPECT_EQ(NVKSWON::GetActiveDocumentMeshes(caseHost.Application(), meshes, &names), c.result);
        EXPECT_EQ(Names(names), c.names);
        EXPECT_EQ(meshes.Count(), int(c.names.size()));
        EXPECT_EQ(Error(), c.result ? "-" : "Unable to extract meshes from document");
        EXPECT_EQ(caseHost.LiveReferences(), 0);
        const auto journal = caseHost.Journal();

        // Without names the same meshes come, again from an empty array.
        caseHost.ClearFailures();
        if (c.failing)
            caseHost.FailCall(c.failing, 2);
        EXPECT_EQ(NVKSWON::GetActiveDocumentMeshes(caseHost.Application(), meshes, nullptr), c.result);
        EXPECT_EQ(meshes.Count(), int(c.names.size()));
        EXPECT_EQ(caseHost.LiveReferences(), 0);
        if (c.type == sim::DocumentType::Part)
        {
            EXPECT_EQ(journal.at(5), "part1.GetBodies(0, -1) -> S_OK, bodies1") << "all bodies";
        }
        if (c.type == sim::DocumentType::Assembly)
        {
            EXPECT_EQ(journal.at(3), "asm1.PrepareAssembly(0) -> S_OK, 0");
        }
    }
}

TEST_F(MeshesFromHost, NoActiveDocumentLeavesTheArraysAlone)
{
    ON_ClassArray<ON_Mesh> meshes;
    meshes.Append(ON_Mesh());
    CStringArray names;
    names.Add(L"old");
    EXPECT_EQ(NVKSWON::GetActiveDocumentMeshes(host.Application(), meshes, &names), 0);
    EXPECT_EQ(Error(), "Unable to retrieve active model");
    EXPECT_EQ(meshes.Count(), 1);
    EXPECT_EQ(names.GetSize(), 1);
    EXPECT_THAT(host.Journal(), ElementsAre("app.GetActiveDocument2() -> S_OK, null"));
}
