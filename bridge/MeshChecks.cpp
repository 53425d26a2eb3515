#include "MeshChecks.h"

const wchar_t* const kMeshIndexError = L"Mesh has a face with a vertex index outside its vertex list";
const wchar_t* const kMeshTopologyError = L"Mesh has an edge with a vertex outside its vertex list";

bool MeshFacesInRange(const ON_Mesh& mesh)
{
    const unsigned vertexCount = unsigned(mesh.VertexCount());
    for (int fi = 0; fi < mesh.FaceCount(); ++fi)
    {
        const ON_MeshFace& face = mesh.m_F[fi];
        // Unsigned comparison also refuses negative indices.
        if (unsigned(face.vi[0]) >= vertexCount || unsigned(face.vi[1]) >= vertexCount ||
            unsigned(face.vi[2]) >= vertexCount || unsigned(face.vi[3]) >= vertexCount)
            return false;
    }
    return true;
}

bool MeshTopologyInRange(const ON_Mesh& mesh, const ON_MeshTopology& topology)
{
    const unsigned vertexCount = unsigned(mesh.VertexCount());
    const unsigned topologicalVertexCount = unsigned(topology.m_topv.Count());
    for (int ei = 0; ei < topology.m_tope.Count(); ++ei)
    {
        for (int topvi : topology.m_tope[ei].m_topvi)
        {
            if (unsigned(topvi) >= topologicalVertexCount)
                return false;
            const ON_MeshTopologyVertex& vertex = topology.m_topv[topvi];
            if (vertex.m_v_count < 1 || !vertex.m_vi || unsigned(vertex.m_vi[0]) >= vertexCount)
                return false;
        }
    }
    return true;
}
