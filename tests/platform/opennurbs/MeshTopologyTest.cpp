#include "opennurbs.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace
{
struct Face
{
    int a, b, c, d;
};

ON_Mesh MakeMesh(const std::vector<ON_3fPoint>& vertices, const std::vector<Face>& faces)
{
    ON_Mesh mesh;
    for (const ON_3fPoint& v : vertices)
    {
        mesh.m_V.Append(v);
    }
    for (const Face& f : faces)
    {
        mesh.m_F.Append(ON_MeshFace{{f.a, f.b, f.c, f.d}});
    }
    return mesh;
}

// The edge as the lines it stands for: positions of the first member of each end.
std::vector<std::vector<float>> EdgeLines(const ON_Mesh& mesh)
{
    const ON_MeshTopology& top = mesh.Topology();
    std::vector<std::vector<float>> lines;
    for (int ei = 0; ei < top.m_tope.Count(); ei++)
    {
        const ON_3fPoint& a = mesh.m_V[top.m_topv[top.m_tope[ei].m_topvi[0]].m_vi[0]];
        const ON_3fPoint& b = mesh.m_V[top.m_topv[top.m_tope[ei].m_topvi[1]].m_vi[0]];
        lines.push_back({a.x, a.y, a.z, b.x, b.y, b.z});
    }
    return lines;
}
} // namespace

TEST(MeshTopology, TwoTrianglesGiveFiveEdgesInPositionOrder)
{
    const ON_Mesh mesh = MakeMesh({{1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                                  {{0, 1, 2, 2}, {3, 4, 5, 5}});
    const ON_MeshTopology& top = mesh.Topology();
    ASSERT_TRUE(top.IsValid());
    ASSERT_EQ(top.m_topv.Count(), 4);
    const int expected_map[] = {2, 1, 0, 2, 3, 1};
    for (int vi = 0; vi < 6; vi++)
    {
        EXPECT_EQ(top.m_topv_map[vi], expected_map[vi]) << vi;
    }
    EXPECT_EQ(top.m_topv[2].m_v_count, 2);

    const std::vector<std::vector<float>> expected = {
        {0, 0, 0, 0, 1, 0}, {0, 0, 0, 1, 0, 0}, {0, 1, 0, 1, 0, 0}, {0, 1, 0, 1, 1, 0}, {1, 0, 0, 1, 1, 0}};
    EXPECT_EQ(EdgeLines(mesh), expected);

    const ON_MeshTopologyEdge& shared = top.m_tope[2];
    ASSERT_EQ(shared.m_topf_count, 2);
    EXPECT_EQ(shared.m_topfi[0], 0);
    EXPECT_EQ(shared.m_topfi[1], 1);
    const ON_MeshTopologyVertex& corner = top.m_topv[1];
    ASSERT_EQ(corner.m_tope_count, 3);
    EXPECT_EQ(corner.m_topei[0], 0);
    EXPECT_EQ(corner.m_topei[1], 2);
    EXPECT_EQ(corner.m_topei[2], 3);

    // Face 0, side by side: (0,0,0)->(1,0,0) is edge 1 forward, (1,0,0)->(0,1,0) edge 2 reversed,
    // (0,1,0)->(0,0,0) edge 0 reversed; side 3 repeats side 2.
    const ON_MeshTopologyFace& f = top.m_topf[0];
    const int topei[] = {1, 2, 0, 0};
    const char reve[] = {0, 1, 1, 0};
    for (int j = 0; j < 4; j++)
    {
        EXPECT_EQ(f.m_topei[j], topei[j]) << j;
        EXPECT_EQ(f.m_reve[j], reve[j]) << j;
    }
}

TEST(MeshTopology, QuadGivesFourEdgesAndNoDiagonal)
{
    const ON_Mesh mesh = MakeMesh({{2, 0, 0}, {2, 2, 0}, {0, 2, 0}, {0, 0, 0}}, {{0, 1, 2, 3}});
    ASSERT_TRUE(mesh.Topology().IsValid());
    const std::vector<std::vector<float>> expected = {
        {0, 0, 0, 0, 2, 0}, {0, 0, 0, 2, 0, 0}, {0, 2, 0, 2, 2, 0}, {2, 0, 0, 2, 2, 0}};
    EXPECT_EQ(EdgeLines(mesh), expected);
}

TEST(MeshTopology, NegativeZeroJoinsPositiveZero)
{
    const ON_Mesh mesh = MakeMesh({{-0.0f, 0, -1}, {1, 0, 0}, {0, 0, -1}}, {});
    const ON_MeshTopology& top = mesh.Topology();
    ASSERT_EQ(top.m_topv.Count(), 2);
    EXPECT_EQ(top.m_topv_map[0], top.m_topv_map[2]);
    EXPECT_EQ(top.m_topv[0].m_v_count, 2);
    // Vertices without faces: valid, without edges.
    EXPECT_TRUE(top.IsValid());
    EXPECT_EQ(top.m_tope.Count(), 0);
}

TEST(MeshTopology, ValidityOfSingleTriangles)
{
    const struct
    {
        std::vector<ON_3fPoint> corners;
        int topv_count;
        int edge_count;
        bool valid;
    } cases[] = {
        {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, 3, 3, true},
        {{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, 3, 3, true},
        {{{0, 0, 0}, {0, 0, 0}, {2, 2, 2}}, 2, 1, false},
        {{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}, 1, 0, false},
        {{{1, 0, 0}, {float(1 + 1e-12), 0, 0}, {0, 1, 0}}, 2, 1, false},
        {{{1, 0, 0}, {float(1 + 1e-6), 0, 0}, {0, 1, 0}}, 3, 3, true},
    };
    for (const auto& c : cases)
    {
        const ON_Mesh mesh = MakeMesh(c.corners, {{0, 1, 2, 2}});
        const ON_MeshTopology& top = mesh.Topology();
        EXPECT_EQ(top.m_topv.Count(), c.topv_count) << c.corners[1].x;
        EXPECT_EQ(top.m_tope.Count(), c.edge_count) << c.corners[1].x;
        EXPECT_EQ(top.IsValid(), c.valid) << c.corners[1].x;
    }
}

TEST(MeshTopology, InvalidFacesAreSkippedAndLeftZero)
{
    const ON_Mesh mesh =
        MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}}, {{0, 1, 2, 2}, {0, 0, 3, 3}, {0, 1, 7, 7}});
    const ON_MeshTopology& top = mesh.Topology();
    EXPECT_EQ(top.m_tope.Count(), 3);
    EXPECT_EQ(top.m_topf.Count(), 3);
    for (int fi = 1; fi < 3; fi++)
    {
        for (int j = 0; j < 4; j++)
        {
            EXPECT_EQ(top.m_topf[fi].m_topei[j], 0);
            EXPECT_EQ(top.m_topf[fi].m_reve[j], 0);
        }
    }
    EXPECT_TRUE(top.IsValid());
}

TEST(MeshTopology, EmptyMeshFailsEveryTime)
{
    ON_Mesh mesh;
    EXPECT_EQ(mesh.Topology().m_topv.Count(), 0);
    EXPECT_FALSE(mesh.Topology().IsValid());
    mesh.SetVertex(0, ON_3dPoint(1, 2, 3));
    // The failed build was not cached.
    EXPECT_EQ(mesh.Topology().m_topv.Count(), 1);
    EXPECT_TRUE(mesh.Topology().IsValid());
}

TEST(MeshTopology, SurvivesTheMeshBeingRelocatedByItsArray)
{
    ON_ClassArray<ON_Mesh> meshes;
    meshes.AppendNew() = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2, 2}});
    ASSERT_TRUE(meshes[0].Topology().IsValid());
    for (int i = 0; i < 20; i++)
    {
        meshes.Append(meshes[0]);
    }
    EXPECT_TRUE(meshes[0].Topology().IsValid());
    EXPECT_EQ(meshes[0].Topology().m_tope.Count(), 3);
    EXPECT_TRUE(meshes[20].Topology().IsValid());
}

TEST(MeshTopology, NaNVerticesStandAlone)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const ON_Mesh mesh =
        MakeMesh({{nan, 0, 0}, {nan, 0, 0}, {0, 1, 0}, {0, 0, 0}}, {{0, 1, 2, 2}, {3, 0, 2, 2}});
    const ON_MeshTopology& top = mesh.Topology();
    EXPECT_EQ(top.m_topv.Count(), 4);
    EXPECT_EQ(top.m_topv_map[2], 1);
    EXPECT_EQ(top.m_topv_map[3], 0);
}

// A hub with many edges is sorted otherwise than an ordinary vertex; the order must not change.
TEST(MeshTopology, FanHubEdgesRunInRimOrderWithTheirFacesAscending)
{
    constexpr int kRim = 20; // 40 sides filed under the hub
    std::vector<ON_3fPoint> vertices = {{0, 0, 0}};
    std::vector<Face> faces;
    for (int i = 0; i < kRim; i++)
    {
        // Rim vertices in descending position, so that topological order reverses mesh order.
        vertices.push_back({1, float(kRim - i), 0});
        faces.push_back({0, 1 + i, 1 + (i + 1) % kRim, 1 + (i + 1) % kRim});
    }
    const ON_Mesh mesh = MakeMesh(vertices, faces);
    const ON_MeshTopology& top = mesh.Topology();
    ASSERT_TRUE(top.IsValid());
    ASSERT_EQ(top.m_tope.Count(), 2 * kRim);
    for (int k = 0; k < kRim; k++)
    {
        // Edge k runs from the hub to the rim vertex at y = k + 1, mesh vertex kRim - k, which
        // faces kRim - k - 1 and kRim - k - 2 (mod kRim) share.
        const ON_MeshTopologyEdge& edge = top.m_tope[k];
        EXPECT_EQ(edge.m_topvi[0], 0) << k;
        EXPECT_EQ(edge.m_topvi[1], k + 1) << k;
        EXPECT_EQ(top.m_topv[edge.m_topvi[1]].m_vi[0], kRim - k) << k;
        const int a = kRim - k - 1, b = (2 * kRim - k - 2) % kRim;
        ASSERT_EQ(edge.m_topf_count, 2) << k;
        EXPECT_EQ(edge.m_topfi[0], std::min(a, b)) << k;
        EXPECT_EQ(edge.m_topfi[1], std::max(a, b)) << k;
    }
}

TEST(MeshTopology, FaceUsingAnEdgeTwiceIsListedTwiceAndLeftZero)
{
    // The fourth corner stands where the second does: sides 3->0 and 0->1 are one edge.
    const ON_Mesh mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 0, 0}}, {{0, 1, 2, 3}});
    const ON_MeshTopology& top = mesh.Topology();
    ASSERT_EQ(top.m_tope.Count(), 2);
    const ON_MeshTopologyEdge& twice = top.m_tope[0];
    EXPECT_EQ(twice.m_topvi[0], 0);
    EXPECT_EQ(twice.m_topvi[1], 1);
    ASSERT_EQ(twice.m_topf_count, 2);
    EXPECT_EQ(twice.m_topfi[0], 0);
    EXPECT_EQ(twice.m_topfi[1], 0);
    EXPECT_EQ(top.m_tope[1].m_topf_count, 2);
    for (int j = 0; j < 4; j++)
    {
        EXPECT_EQ(top.m_topf[0].m_topei[j], 0) << j;
        EXPECT_EQ(top.m_topf[0].m_reve[j], 0) << j;
    }
}
