#include "BitExact.h"

#include <cmath>

namespace
{
ON_Mesh Triangle(const ON_3dPoint& a, const ON_3dPoint& b, const ON_3dPoint& c)
{
    ON_Mesh mesh;
    mesh.SetVertex(0, a);
    mesh.SetVertex(1, b);
    mesh.SetVertex(2, c);
    mesh.SetTriangle(0, 0, 1, 2);
    return mesh;
}
} // namespace

TEST(MeshFace, ShapeAndValidityLookOnlyAtIndices)
{
    const struct
    {
        ON_MeshFace face;
        int vertex_count;
        bool triangle;
        bool valid;
    } cases[] = {
        {{{0, 1, 2, 2}}, 3, true, true},   {{{0, 1, 2, 0}}, 3, false, false},
        {{{0, 1, 2, 1}}, 3, false, false}, {{{2, 1, 0, 0}}, 3, true, true},
        {{{0, 1, 3, 3}}, 3, true, false},  {{{0, 0, 1, 2}}, 3, false, false},
        {{{-1, 1, 2, 2}}, 3, true, false}, {{{0, 1, 2, 3}}, 4, false, true},
    };
    for (const auto& c : cases)
    {
        const ON_MeshFace& f = c.face;
        EXPECT_EQ(f.IsTriangle(), c.triangle) << f.vi[0] << f.vi[1] << f.vi[2] << f.vi[3];
        EXPECT_EQ(f.IsQuad(), !c.triangle) << f.vi[0] << f.vi[1] << f.vi[2] << f.vi[3];
        EXPECT_EQ(f.IsValid(c.vertex_count), c.valid) << f.vi[0] << f.vi[1] << f.vi[2] << f.vi[3];
    }
}

TEST(Mesh, SetVertexAndSetTriangleOverwriteOrAppendOnly)
{
    ON_Mesh mesh(1, 3, false, false);
    EXPECT_EQ(mesh.VertexCount(), 0);
    EXPECT_GE(mesh.m_V.Capacity(), 3);
    EXPECT_EQ(mesh.m_N.Capacity(), 0);
    for (int i = 0; i < 3; i++)
    {
        EXPECT_TRUE(mesh.SetVertex(i, ON_3dPoint(i, 0.1, 0)));
    }
    EXPECT_EQ(mesh.m_V[1].y, 0.1f);
    EXPECT_FALSE(mesh.SetVertex(5, ON_3dPoint(0, 0, 0)));
    EXPECT_EQ(mesh.VertexCount(), 3);
    EXPECT_TRUE(mesh.SetVertex(3, ON_3dPoint(0, 0, 0)));
    EXPECT_EQ(mesh.VertexCount(), 4);

    EXPECT_TRUE(mesh.SetTriangle(0, 0, 1, 2));
    // An invalid face is stored all the same.
    EXPECT_FALSE(mesh.SetTriangle(1, 0, 0, 1));
    EXPECT_EQ(mesh.FaceCount(), 2);
    EXPECT_FALSE(mesh.SetQuad(3, 0, 1, 2, 3));
    EXPECT_EQ(mesh.FaceCount(), 2);
    EXPECT_TRUE(mesh.SetQuad(1, 0, 1, 2, 3));
    EXPECT_TRUE(mesh.m_F[1].IsQuad());
}

TEST(Mesh, CopyAndAssignmentNeverCarryTheTopology)
{
    ON_Mesh source = Triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    ASSERT_EQ(source.Topology().m_tope.Count(), 3);

    ON_Mesh copy(source);
    // Moving a vertex of the copy first shows whether the copy builds its own topology.
    copy.SetVertex(2, ON_3dPoint(1, 0, 0));
    EXPECT_EQ(copy.Topology().m_topv.Count(), 2);
    EXPECT_EQ(copy.VertexCount(), 3);
    EXPECT_EQ(copy.FaceCount(), 1);

    ON_Mesh assigned = Triangle({5, 5, 5}, {6, 5, 5}, {5, 6, 5});
    assigned.Topology();
    assigned = source;
    assigned.SetVertex(1, ON_3dPoint(0, 0, 0));
    EXPECT_EQ(assigned.Topology().m_topv.Count(), 2);
    EXPECT_EQ(source.Topology().m_topv.Count(), 3);
    EXPECT_TRUE(source.Topology().IsValid());
}

TEST(Mesh, DestroyEmptiesEverything)
{
    ON_Mesh mesh = Triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    mesh.m_C.Append(ON_Color(1, 2, 3));
    mesh.Topology();
    mesh.Destroy();
    EXPECT_EQ(mesh.VertexCount(), 0);
    EXPECT_EQ(mesh.FaceCount(), 0);
    EXPECT_EQ(mesh.m_C.Count(), 0);
    EXPECT_EQ(mesh.Topology().m_topv.Count(), 0);
    EXPECT_FALSE(mesh.Topology().IsValid());
}

TEST(Mesh, MinusQuarterTurnMapsYUpExactly)
{
    ON_Mesh mesh = Triangle({1, 2, 3}, {0, 1, 0}, {0.1, 0.2, 0.3});
    mesh.m_N.Append(ON_3fVector(0, 0, 1));
    mesh.m_N.Append(ON_3fVector(0, 0, 1));
    mesh.m_N.Append(ON_3fVector(0, 0, 1));
    const int edges_before = mesh.Topology().m_tope.Count();
    ASSERT_TRUE(mesh.Rotate(-1.5707963267948966, ON_3dVector(1, 0, 0), ON_3dPoint(0, 0, 0)));
    EXPECT_EQ(mesh.m_V[0], ON_3fPoint(1, 3, -2));
    EXPECT_EQ(mesh.m_V[1], ON_3fPoint(0, 0, -1));
    EXPECT_EQ(mesh.m_V[2], ON_3fPoint(0.1f, 0.3f, -0.2f));
    EXPECT_TRUE(BitExact(ON_3dVector(mesh.m_N[0]), ON_3dVector(0, 1, 0)));
    // A rotation keeps the topology that was built before it.
    EXPECT_EQ(mesh.Topology().m_tope.Count(), edges_before);
    EXPECT_TRUE(mesh.Topology().IsValid());
}

TEST(Mesh, TransformOfEmptyMeshFailsAndSingularDropsTopology)
{
    ON_Mesh empty;
    EXPECT_FALSE(empty.Rotate(1.0, ON_zaxis, ON_origin));
    EXPECT_TRUE(empty.Rotate(0.0, ON_zaxis, ON_origin));
    EXPECT_FALSE(empty.BoundingBox().IsValid());
    EXPECT_EQ(empty.BoundingBox().m_min, ON_3dPoint(1, 0, 0));
    EXPECT_EQ(empty.BoundingBox().m_max, ON_3dPoint(-1, 0, 0));

    ON_Mesh mesh = Triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 1});
    mesh.ComputeFaceNormals();
    mesh.Topology();
    ON_Xform flatten(1.0);
    flatten[2][2] = 0.0;
    ASSERT_TRUE(mesh.Transform(flatten));
    EXPECT_EQ(mesh.m_V[2], ON_3fPoint(0, 1, 0));
    EXPECT_EQ(mesh.m_FN[0], ON_3fVector(0, 0, 1));
    // Built again from the flattened vertices.
    EXPECT_TRUE(mesh.Topology().IsValid());

    ON_Xform mirror(1.0);
    mirror[0][0] = -1.0;
    mesh.m_N.SetCount(0);
    for (int i = 0; i < 3; i++)
    {
        mesh.m_N.Append(ON_3fVector(0, 0, 1));
    }
    ASSERT_TRUE(mesh.Transform(mirror));
    // A mirrored normal stays on the side that the (now reversed) winding gives.
    EXPECT_EQ(mesh.m_N[0], ON_3fVector(0, 0, -1));
    EXPECT_EQ(mesh.m_FN[0], ON_3fVector(0, 0, -1));
}

TEST(Mesh, BoundingBoxSkipsNaN)
{
    ON_Mesh mesh = Triangle({0, 0, 0}, {1, 2, 3}, {std::nan(""), 9, 9});
    const ON_BoundingBox box = mesh.BoundingBox();
    EXPECT_EQ(box.m_min, ON_3dPoint(0, 0, 0));
    EXPECT_EQ(box.m_max, ON_3dPoint(1, 2, 3));
}

TEST(Color, ClampsAndPacksAsCOLORREFWithAlphaOnTop)
{
    ON_Color c;
    EXPECT_EQ(c.m_color, 0u);
    EXPECT_EQ(ON_Color(255, 255, 255).m_color, 0x00FFFFFFu);
    c.SetRGBA(300, -5, 127, 191);
    EXPECT_EQ(c.m_color, 0xBF7F00FFu);
    EXPECT_EQ(c.Red(), 255);
    EXPECT_EQ(c.Green(), 0);
    EXPECT_EQ(c.Blue(), 127);
    EXPECT_EQ(c.Alpha(), 191);
    static_assert(sizeof(ON_Color) == 4);
}
