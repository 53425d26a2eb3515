// What the reader makes of well-formed files of both forms.
#include "StlFileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace
{
struct ExpectedMesh
{
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<int, 3>> triangles;
};

struct ReadCase
{
    const char* name;
    std::string bytes;
    std::vector<ExpectedMesh> meshes;
};

const ExpectedMesh kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

uint32_t Bits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::vector<ReadCase> ReadCases()
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::string twoFacetSolid =
        BinaryStl("solid part", 2, {kCorners, {1, 0, 0, 1, 1, 0, -0.0f, -0.0f, 0}});
    const ExpectedMesh shared{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {{0, 1, 2}, {1, 3, 0}}};
    return {
        {"AsciiOneFacet", "solid t\n" + kFacet + "endsolid t\n", {kTriangle}},
        {"AsciiAnyCaseAnyWhiteSpace",
         "\xEF\xBB\xBF \r\n SOLID Name With Spaces\r\n\tFacet NORMAL 0 0 1\rOUTER   LOOP\r\n"
         "VERTEX\t0 0 0\r\v"
         "vertex 1 0 0\fVertex 0\t1 0\r\nENDLOOP EndFacet\r\nEndSolid other name",
         {kTriangle}},
        {"AsciiSharedCornersMergedInFirstAppearanceOrderMinusZeroIsZero",
         "solid s\n" + kFacet +
             "facet normal 0 0 1\nouter loop\nvertex 1 0 0\nvertex 1 1 0\nvertex -0 -0 0\nendloop\nendfacet\n"
             "endsolid s\n",
         {shared}},
        {"AsciiOneMeshPerSolidEmptySolidsGiveNone",
         "solid a\n" + kFacet + "endsolid a\nsolid empty\nendsolid empty\nsolid b\n" + kFacet +
             "endsolid b\n",
         {kTriangle, kTriangle}},
        {"AsciiWithoutFacetsGivesNoMesh", "solid empty\nendsolid\n", {}},
        {"AsciiFacetKeywordsMayBeMissing",
         "solid m\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\nendloop\nendfacet\n"
         "outer loop\nfacet normal 0 0 1\nvertex 1 0 0\nvertex 1 1 0\nvertex 0 0 0\nendloop\n"
         "facet normal 0 0 1\nvertex 0 1 0\nvertex 1 1 0\nvertex 0 0 0\nendsolid\n",
         {{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {{0, 1, 2}, {1, 3, 0}, {2, 3, 0}}}}},
        {"AsciiNonFiniteNormalsAreNotUsed",
         "solid n\nfacet normal nan -inf 1.#QNAN\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\n"
         "endloop\nendfacet\nfacet normal -nan(ind) 1.#INF -1.#IND00\nouter loop\nvertex 0 0 0\nvertex 1 0 "
         "0\n"
         "vertex 0 1 0\nendloop\nendfacet\nendsolid\n",
         {{kTriangle.vertices, {{0, 1, 2}, {0, 1, 2}}}}},
        {"AsciiNumbersInEveryFormStrtodReads",
         "solid f\nfacet normal 0 0 1\nouter loop\nvertex +1.5 .5 5.\nvertex 1E+003 0x1.8p1 -0X1P-2\n"
         "vertex 1e-50 -1e-4000 2.5e0000000000000000000001\nendloop\nendfacet\nendsolid\n",
         {{{{1.5f, 0.5f, 5}, {1000, 3, -0.25f}, {0, -0.0f, 25}}, {{0, 1, 2}}}}},
        {"AsciiNumbersCorrectlyRounded",
         "solid r\nfacet normal 0 0 1\nouter loop\nvertex 0.1 16777217 1.000000059604644775390625\n"
         "vertex 1.00000005960464477539062500001 3.4028235e38 1.4e-45\nvertex 0 0 0\nendloop\nendfacet\n"
         "endsolid\n",
         {{{{0.1f, 16777216.0f, 1.0f},
            {std::nextafter(1.0f, 2.0f), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::denorm_min()},
            {0, 0, 0}},
           {{0, 1, 2}}}}},
        {"BinaryWhoseHeaderBeginsWithSolid", twoFacetSolid, {shared}},
        {"BinaryWithExtraBytesAfterItsRecords", twoFacetSolid + "\n\0junk", {shared}},
        {"BinaryStoredNormalAndAttributeWordAreNotUsed",
         BinaryStl("", 1, {kCorners}, {nan, nan, nan}, 0xFFFF),
         {kTriangle}},
        {"BinaryOfZeroTrianglesGivesNoMesh", BinaryStl("solid empty", 0, {}), {}},
        {"BinaryCountZeroWithRecordsReadsNone", BinaryStl("", 0, {kCorners}), {}},
    };
}

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class ReadTable : public testing::TestWithParam<ReadCase>
{
};

TEST_P(ReadTable, GivesTheExpectedMeshes)
{
    const ReadCase& c = GetParam();
    TempFolder folder;
    const ReadResult read = ReadStl(folder.Write("case.stl", c.bytes));
    ASSERT_EQ(read.result, 1) << read.error;
    EXPECT_EQ(read.error, L"");
    ASSERT_EQ(read.meshes.Count(), int(c.meshes.size()));
    for (int m = 0; m < read.meshes.Count(); ++m)
    {
        const ON_Mesh& mesh = read.meshes[m];
        const ExpectedMesh& expected = c.meshes[size_t(m)];
        ASSERT_EQ(mesh.VertexCount(), int(expected.vertices.size())) << "mesh " << m;
        for (int v = 0; v < mesh.VertexCount(); ++v)
        {
            const std::array<float, 3>& e = expected.vertices[size_t(v)];
            // Bit patterns, so that a value one unit in the last place off fails.
            EXPECT_EQ(Bits(mesh.m_V[v].x), Bits(e[0])) << "mesh " << m << " vertex " << v;
            EXPECT_EQ(Bits(mesh.m_V[v].y), Bits(e[1])) << "mesh " << m << " vertex " << v;
            EXPECT_EQ(Bits(mesh.m_V[v].z), Bits(e[2])) << "mesh " << m << " vertex " << v;
        }
        ASSERT_EQ(mesh.FaceCount(), int(expected.triangles.size())) << "mesh " << m;
        for (int f = 0; f < mesh.FaceCount(); ++f)
        {
            const ON_MeshFace& face = mesh.m_F[f];
            const std::array<int, 3>& e = expected.triangles[size_t(f)];
            EXPECT_EQ((std::array<int, 4>{face.vi[0], face.vi[1], face.vi[2], face.vi[3]}),
                      (std::array<int, 4>{e[0], e[1], e[2], e[2]}))
                << "mesh " << m << " face " << f;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(KzSTL, ReadTable, testing::ValuesIn(ReadCases()),
                         [](const testing::TestParamInfo<ReadCase>& info)
                         { return std::string(info.param.name); });

TEST(KzSTL, AppendsToWhatTheArrayHolds)
{
    TempFolder folder;
    const auto path =
        folder.Write("two.stl", "solid a\n" + kFacet + "endsolid\nsolid b\n" + kFacet + "endsolid\n");
    ON_ClassArray<ON_Mesh> meshes;
    meshes.AppendNew().m_V.Append(ON_3fPoint(7, 8, 9));
    ASSERT_EQ(KzSTL::STLToMesh(WidePath(path), meshes), 1);
    ASSERT_EQ(meshes.Count(), 3);
    EXPECT_EQ(meshes[0].VertexCount(), 1);
    EXPECT_EQ(meshes[1].FaceCount(), 1);
    EXPECT_EQ(meshes[2].FaceCount(), 1);
}

TEST(KzSTL, OpensAPathOfAnyTextAsUtf8)
{
    TempFolder folder;
    folder.Write("W\xC3\xBCrfel_\xE7\xAB\x8B\xE6\x96\xB9\xF0\x9F\xA7\x8A.stl",
                 "solid u\n" + kFacet + "endsolid\n");
    const CString path = WidePath(folder.Path()) + L"/W\u00FCrfel_\u7ACB\u65B9\U0001F9CA.stl";
    ON_ClassArray<ON_Mesh> meshes;
    EXPECT_EQ(KzSTL::STLToMesh(path, meshes), 1) << (const wchar_t*)KzSTL::GetError();
    EXPECT_EQ(meshes.Count(), 1);
}
} // namespace
