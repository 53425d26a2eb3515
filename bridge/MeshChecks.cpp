#include "MeshChecks.h"

const wchar_t* const kMeshIndexError = L"Mesh has a face with a vertex index outside its vertex list";

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
