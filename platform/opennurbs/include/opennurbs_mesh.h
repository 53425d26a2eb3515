#pragma once

#include "opennurbs_array.h"
#include "opennurbs_color.h"
#include "opennurbs_geometry.h"
#include "opennurbs_mesh_topology.h"
#include "opennurbs_point.h"

class ON_TextLog;
class ON_Xform;

// Four vertex indices; a triangle repeats its third index (a, b, c, c).
struct ON_MeshFace
{
    int vi[4];

    // Only vi[2] and vi[3] are compared.
    bool IsTriangle() const { return vi[2] == vi[3]; }
    bool IsQuad() const { return vi[2] != vi[3]; }
    // Indices in [0, mesh_vertex_count), three distinct corners, and a fourth that is either the
    // third again or distinct from the first two. Positions are not looked at. Inline: the
    // topology asks it of every face.
    bool IsValid(int mesh_vertex_count) const
    {
        for (int index : vi)
        {
            if (index < 0 || index >= mesh_vertex_count)
            {
                return false;
            }
        }
        if (vi[0] == vi[1] || vi[1] == vi[2] || vi[2] == vi[0])
        {
            return false;
        }
        return vi[2] == vi[3] || (vi[0] != vi[3] && vi[1] != vi[3]);
    }
    // The unit normal from the diagonals, (V[vi2]-V[vi0]) x (V[vi3]-V[vi1]).
    bool ComputeFaceNormal(const ON_3fPoint* V, ON_3dVector& normal) const;
};

struct ON_SurfaceCurvature
{
    double k1;
    double k2;
};

// A polygon mesh of single-precision vertices with optional per-vertex data; a per-vertex array
// counts only when it has exactly one entry per vertex (m_FN: per face).
class ON_Mesh : public ON_Geometry
{
public:
    ON_Mesh() = default;
    // Only reserves room; every count stays 0.
    ON_Mesh(int face_capacity, int vertex_capacity, bool has_vertex_normals, bool has_texture_coordinates);
    // Copies the data but never the topology: a copy builds its own on first use.
    ON_Mesh(const ON_Mesh& src);
    ON_Mesh& operator=(const ON_Mesh& src);
    ~ON_Mesh() override = default;

    // Empties every array and drops the topology.
    void Destroy();

    int VertexCount() const { return m_V.Count(); }
    int FaceCount() const { return m_F.Count(); }
    bool HasVertexNormals() const { return HasPerVertex(m_N.Count()); }
    bool HasFaceNormals() const { return m_F.Count() > 0 && m_FN.Count() == m_F.Count(); }
    bool HasTextureCoordinates() const { return HasPerVertex(m_T.Count()); }
    bool HasSurfaceParameters() const { return HasPerVertex(m_S.Count()); }
    bool HasPrincipalCurvatures() const { return HasPerVertex(m_K.Count()); }
    // A single colour for the whole mesh does not count.
    bool HasVertexColors() const { return HasPerVertex(m_C.Count()); }

    // Stores the point as floats: overwrites vertex i, or appends when i == VertexCount().
    // Returns false, changing nothing, for any other i.
    bool SetVertex(int i, const ON_3dPoint& p);
    bool SetVertex(int i, const ON_3fPoint& p);
    // Overwrites face fi, or appends when fi == FaceCount(); any other fi returns false and
    // stores nothing. A stored face returns its IsValid(VertexCount()), so an invalid face is
    // stored all the same. The topology is not updated.
    bool SetQuad(int fi, int a, int b, int c, int d);
    bool SetTriangle(int fi, int a, int b, int c);

    // Adds m's vertices and its faces (indices shifted; no vertex sharing). A per-vertex array
    // survives only when it was full (or the mesh had no vertices) and m's is full too; others
    // are destroyed. m_FN follows the same rule by faces. Appending a mesh to itself does nothing.
    void Append(const ON_Mesh& m);

    // Merges vertices that are equal by position (as floats, -0 == +0) and by the attributes not
    // ignored. The merged vertices come in DESCENDING (x, y, z) order. Ignoring texture
    // coordinates empties m_T, m_C and m_K. A mesh left with much spare room is compacted, which
    // culls the faces the merge collapsed. False when nothing merged (the mesh is untouched).
    bool CombineIdenticalVertices(bool ignore_vertex_normals = false,
                                  bool ignore_texture_coordinates = false);

    // At least one face and three vertices, m_N/m_T/m_S empty or per vertex, every face valid,
    // unit vertex normals, a finite vertex box. Colours, face normals and curvatures are not
    // checked, nor are corner positions.
    bool IsValid(ON_TextLog* text_log = nullptr) const;

    // Vertices in double precision, stored as floats; normals by the inverse transpose (and
    // recomputed for a singular xform). The topology is dropped only for a singular xform.
    // False for a mesh without vertices.
    bool Transform(const ON_Xform& xform) override;
    // The box of the vertices; NaN coordinates are skipped.
    bool GetBoundingBox(ON_BoundingBox& bbox, bool grow = false) const override;

    bool ComputeFaceNormals();
    // Each vertex normal is the unitized sum of the normals of the faces around it.
    bool ComputeVertexNormals();

    // The cached topology, built on first use. A failed build (no vertices) is not cached.
    const ON_MeshTopology& Topology() const;
    void DestroyTopology();

    ON_SimpleArray<ON_3fPoint> m_V;
    ON_SimpleArray<ON_MeshFace> m_F;
    ON_SimpleArray<ON_3fVector> m_N;
    ON_SimpleArray<ON_3fVector> m_FN;
    ON_SimpleArray<ON_2fPoint> m_T;
    ON_SimpleArray<ON_2dPoint> m_S;
    ON_SimpleArray<ON_SurfaceCurvature> m_K;
    ON_SimpleArray<ON_Color> m_C;

private:
    friend class ON_MeshTopology;

    bool HasPerVertex(int count) const { return count > 0 && count == m_V.Count(); }
    // Drops faces with two corners at one position (a quad with one such pair becomes a
    // triangle) and unused vertices, keeping the order, and shrinks the arrays to fit.
    void Compact();

    mutable ON_MeshTopology m_top;
};
