#include "opennurbs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
ON_Mesh Triangles(const std::vector<ON_3fPoint>& corners)
{
    ON_Mesh mesh;
    for (const ON_3fPoint& v : corners)
    {
        mesh.m_V.Append(v);
    }
    for (int i = 0; i + 2 < int(corners.size()); i += 3)
    {
        mesh.SetTriangle(mesh.FaceCount(), i, i + 1, i + 2);
    }
    return mesh;
}

const std::vector<ON_3fPoint> kUnitTriangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};

std::vector<int> Indices(const ON_Mesh& mesh)
{
    std::vector<int> indices;
    for (int fi = 0; fi < mesh.FaceCount(); fi++)
    {
        indices.insert(indices.end(), mesh.m_F[fi].vi, mesh.m_F[fi].vi + 4);
    }
    return indices;
}
} // namespace

TEST(MeshAppend, ShiftsFacesAndKeepsOnlyCompletePerVertexArrays)
{
    ON_Mesh mesh;
    ON_Mesh coloured = Triangles(kUnitTriangle);
    for (int i = 0; i < 3; i++)
    {
        coloured.m_C.Append(ON_Color(i, 0, 0));
    }
    mesh.Append(coloured);
    EXPECT_EQ(mesh.m_C.Count(), 3);
    mesh.Append(coloured);
    EXPECT_EQ(mesh.VertexCount(), 6);
    EXPECT_EQ(mesh.m_C.Count(), 6);
    EXPECT_EQ(Indices(mesh), (std::vector<int>{0, 1, 2, 2, 3, 4, 5, 5}));

    // One colour for the whole mesh is not per vertex: it is dropped.
    ON_Mesh single = Triangles(kUnitTriangle);
    single.m_C.Append(ON_Color(9, 9, 9));
    single.Append(Triangles(kUnitTriangle));
    EXPECT_EQ(single.m_C.Count(), 0);
    mesh.Append(Triangles(kUnitTriangle));
    EXPECT_EQ(mesh.m_C.Count(), 0);
    EXPECT_EQ(mesh.FaceCount(), 3);
}

TEST(MeshAppend, DropsTheTopologyAndRefusesItself)
{
    ON_Mesh mesh = Triangles(kUnitTriangle);
    EXPECT_EQ(mesh.Topology().m_tope.Count(), 3);
    mesh.Append(Triangles({{5, 0, 0}, {6, 0, 0}, {5, 1, 0}}));
    EXPECT_EQ(mesh.Topology().m_tope.Count(), 6);
    mesh.Append(mesh);
    EXPECT_EQ(mesh.VertexCount(), 6);
    EXPECT_TRUE(mesh.IsValid());
}

TEST(MeshCombine, MergedVerticesComeInDescendingOrder)
{
    ON_Mesh mesh = Triangles(
        {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {5, 5, 5}, {6, 5, 5}, {5, 6, 5}});
    mesh.m_C.Append(ON_Color(1, 2, 3));
    mesh.Topology();
    ASSERT_TRUE(mesh.CombineIdenticalVertices(true, true));
    const std::vector<ON_3fPoint> expected = {{6, 5, 5}, {5, 6, 5}, {5, 5, 5}, {1, 1, 0},
                                              {1, 0, 0}, {0, 1, 0}, {0, 0, 0}};
    ASSERT_EQ(mesh.VertexCount(), 7);
    for (int i = 0; i < 7; i++)
    {
        EXPECT_EQ(mesh.m_V[i], expected[i]) << i;
    }
    EXPECT_EQ(Indices(mesh), (std::vector<int>{6, 4, 5, 5, 4, 3, 5, 5, 2, 0, 1, 1}));
    EXPECT_EQ(mesh.m_C.Count(), 0);
    EXPECT_EQ(mesh.Topology().m_topv.Count(), 7);
    EXPECT_TRUE(mesh.IsValid());
}

TEST(MeshCombine, NothingToMergeLeavesTheMeshAlone)
{
    ON_Mesh mesh = Triangles({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    mesh.m_C.Append(ON_Color(1, 2, 3));
    EXPECT_FALSE(mesh.CombineIdenticalVertices(true, true));
    EXPECT_EQ(mesh.m_C.Count(), 1);
    EXPECT_EQ(mesh.m_V[0], ON_3fPoint(0, 0, 0));
    ON_Mesh empty;
    EXPECT_FALSE(empty.CombineIdenticalVertices(true, true));
}

TEST(MeshCombine, AttributesKeepVerticesApartUnlessIgnored)
{
    ON_Mesh mesh = Triangles({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-0.0f, 0, 0}, {0, -1, 0}, {1, 0, 0}});
    for (int i = 0; i < 6; i++)
    {
        mesh.m_N.Append(i == 3 ? ON_3fVector(1, 0, 0) : ON_3fVector(0, 0, 1));
    }
    ON_Mesh kept(mesh);
    // Only (1,0,0) merges: the two origins have different normals.
    ASSERT_TRUE(kept.CombineIdenticalVertices(false, false));
    EXPECT_EQ(kept.VertexCount(), 5);
    EXPECT_EQ(kept.m_N.Count(), 5);

    ASSERT_TRUE(mesh.CombineIdenticalVertices(true, false));
    ASSERT_EQ(mesh.VertexCount(), 4);
    // The origin (-0 joins +0) gets the unit sum of both normals.
    const float h = float(1 / std::sqrt(2.0));
    EXPECT_EQ(mesh.m_N[2], ON_3fVector(h, 0, h));
    EXPECT_TRUE(mesh.IsValid());
}

TEST(MeshCombine, LargeMeshIsCompactedAndLosesCollapsedFaces)
{
    // A 10 x 10 grid of triangles with vertices of their own, plus one sliver that the merge
    // collapses; 601 vertices leave a capacity of 1024.
    std::vector<ON_3fPoint> corners;
    for (int i = 0; i < 10; i++)
    {
        for (int j = 0; j < 10; j++)
        {
            const float x = float(i), y = float(j);
            corners.insert(corners.end(), {{x, y, 0}, {x + 1, y, 0}, {x + 1, y + 1, 0}});
            corners.insert(corners.end(), {{x, y, 0}, {x + 1, y + 1, 0}, {x, y + 1, 0}});
        }
    }
    ON_Mesh large = Triangles(corners);
    large.m_V.Append(ON_3fPoint(0, 0, 0));
    large.SetTriangle(large.FaceCount(), 0, 600, 1);
    ASSERT_EQ(large.FaceCount(), 201);
    ASSERT_EQ(large.m_V.Capacity(), 1024);
    ON_Mesh small = Triangles(kUnitTriangle);
    small.m_V.Append(ON_3fPoint(0, 0, 0));
    small.SetTriangle(1, 0, 3, 1);

    ASSERT_TRUE(large.CombineIdenticalVertices(true, true));
    EXPECT_EQ(large.VertexCount(), 121);
    EXPECT_EQ(large.FaceCount(), 200);
    EXPECT_EQ(large.m_V.Capacity(), 121);
    EXPECT_TRUE(large.IsValid());

    ASSERT_TRUE(small.CombineIdenticalVertices(true, true));
    EXPECT_EQ(small.FaceCount(), 2);
    EXPECT_FALSE(small.IsValid());
}

TEST(MeshValidity, ChecksIndicesAndArrayCountsNotShapes)
{
    const float nan = std::nanf("");
    const float inf = INFINITY;
    const struct
    {
        const char* name;
        std::vector<ON_3fPoint> corners;
        int colours;
        int normals;
        bool valid;
    } cases[] = {
        {"triangle", kUnitTriangle, 0, 0, true},
        {"one colour for the mesh", kUnitTriangle, 1, 0, true},
        {"coincident corners", {{0, 0, 0}, {0, 0, 0}, {1, 1, 1}}, 0, 0, true},
        {"collinear corners", {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, 0, 0, true},
        {"NaN coordinate", {{0, 0, 0}, {1, 0, 0}, {nan, 1, 0}}, 0, 0, true},
        {"infinite coordinate", {{0, 0, 0}, {1, 0, 0}, {inf, 1, 0}}, 0, 0, false},
        {"normals for some vertices", kUnitTriangle, 0, 2, false},
        {"no faces", {}, 0, 0, false},
    };
    for (const auto& c : cases)
    {
        ON_Mesh mesh = Triangles(c.corners);
        for (int i = 0; i < c.colours; i++)
        {
            mesh.m_C.Append(ON_Color(255, 255, 255));
        }
        for (int i = 0; i < c.normals; i++)
        {
            mesh.m_N.Append(ON_3fVector(0, 0, 1));
        }
        EXPECT_EQ(mesh.IsValid(), c.valid) << c.name;
    }

    ON_Mesh bad_face = Triangles(kUnitTriangle);
    bad_face.SetTriangle(1, 0, 0, 1);
    ON_TextLog log;
    EXPECT_FALSE(bad_face.IsValid(&log));
    EXPECT_EQ(log.Text(), "ON_Mesh.m_F[1] is not a valid mesh face.\n");
    ON_Mesh long_normal = Triangles(kUnitTriangle);
    for (int i = 0; i < 3; i++)
    {
        long_normal.m_N.Append(ON_3fVector(0, 0, 1.01f));
    }
    EXPECT_FALSE(long_normal.IsValid());
}
