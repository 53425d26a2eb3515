#pragma once

#include "opennurbs_array.h"

class ON_Mesh;

// Mesh vertices that share one position.
struct ON_MeshTopologyVertex
{
    int m_v_count;
    // The m_v_count mesh vertices at this position.
    const int* m_vi;
    int m_tope_count;
    // The edges that start or end here, in ascending edge index.
    const int* m_topei;
};

// One edge between two topological vertices, m_topvi[0] < m_topvi[1].
struct ON_MeshTopologyEdge
{
    int m_topvi[2];
    int m_topf_count;
    // The faces using this edge, ascending; a face using the edge twice is listed twice.
    const int* m_topfi;
};

// The edges of one mesh face. Side j runs from corner (j+3)%4 to corner j; m_reve[j] is 1 when
// the edge runs the other way. A triangle repeats side 2 as side 3. A face whose sides do not
// give three (triangle) or four (quad) distinct edges is all zeros.
struct ON_MeshTopologyFace
{
    int m_topei[4];
    char m_reve[4];
};

// The connectivity of a mesh by vertex position (exact float equality, -0 == +0). Topological
// vertices are ordered by ascending (x, y, z); edges by (m_topvi[0], m_topvi[1]). Faces that
// fail ON_MeshFace::IsValid contribute no edges.
//
// A mesh keeps its topology inside itself and builds it on first use (ON_Mesh::Topology). The
// lists point into storage owned by the topology, so it moves with its mesh; m_mesh is refreshed
// by every ON_Mesh::Topology call rather than trusted across moves.
class ON_MeshTopology
{
public:
    ON_MeshTopology() = default;
    ON_MeshTopology(const ON_MeshTopology&) = delete;
    ON_MeshTopology& operator=(const ON_MeshTopology&) = delete;

    // Checks the tables against the mesh they were built from: the maps, every back-reference and
    // every face's sides. A mesh with faces needs at least three edges.
    bool IsValid() const;

    const ON_Mesh* m_mesh = nullptr;
    ON_SimpleArray<int> m_topv_map;
    ON_SimpleArray<ON_MeshTopologyVertex> m_topv;
    ON_SimpleArray<ON_MeshTopologyEdge> m_tope;
    ON_SimpleArray<ON_MeshTopologyFace> m_topf;

private:
    friend class ON_Mesh;

    // Builds the tables for mesh; false (and left empty) when it has no vertices.
    bool Create(const ON_Mesh& mesh);
    void CreateVertices(const ON_Mesh& mesh);
    void CreateEdges(const ON_Mesh& mesh);
    void LinkVerticesToEdges();
    void ResolveFaces(const ON_Mesh& mesh);
    void Destroy();
    bool IsVertexTableValid(const ON_Mesh& mesh) const;
    bool IsEdgeTableValid() const;
    bool IsFaceTableValid(const ON_Mesh& mesh) const;

    bool m_created = false;
    // The storage m_vi, m_topei and m_topfi point into.
    ON_SimpleArray<int> m_vi_pool;
    ON_SimpleArray<int> m_topei_pool;
    ON_SimpleArray<int> m_topfi_pool;
};
