#include "KzSTL.h"

#include "StlErrorText.h"
#include "StlFailure.h"
#include "StlReader.h"

#include <cstring>
#include <new>
#include <stdexcept>

namespace
{
CString g_error;

// Moves the reader's mesh into an ON_Mesh, giving back its memory part by part on the way.
void FillMesh(kzstl::StlMesh& source, ON_Mesh& mesh)
{
    const int vertexCount = int(source.vertices.size() / 3);
    mesh.m_V.SetCapacity(vertexCount);
    mesh.m_V.SetCount(vertexCount);
    for (int i = 0; i < vertexCount; ++i)
    {
        const float* v = &source.vertices[3 * size_t(i)];
        mesh.m_V[i] = ON_3fPoint(v[0], v[1], v[2]);
    }
    source.vertices = {};

    const int faceCount = int(source.corners.size() / 3);
    mesh.m_F.SetCapacity(faceCount);
    mesh.m_F.SetCount(faceCount);
    for (int i = 0; i < faceCount; ++i)
    {
        const uint32_t* c = &source.corners[3 * size_t(i)];
        ON_MeshFace& face = mesh.m_F[i];
        face.vi[0] = int(c[0]);
        face.vi[1] = int(c[1]);
        face.vi[2] = int(c[2]);
        face.vi[3] = int(c[2]);
    }
    source.corners = {};
}

// All or nothing: meshes appended before a failure are taken away again.
void AppendMeshes(std::vector<kzstl::StlMesh>& read, ON_ClassArray<ON_Mesh>& meshes)
{
    const int countBefore = meshes.Count();
    try
    {
        meshes.Reserve(countBefore + int(read.size()));
        for (kzstl::StlMesh& source : read)
            FillMesh(source, meshes.AppendNew());
    }
    catch (...)
    {
        for (int i = countBefore; i < meshes.Count(); ++i)
            meshes[i].Destroy();
        meshes.SetCount(countBefore);
        throw;
    }
}
} // namespace

int KzSTL::STLToMesh(CString path, ON_ClassArray<ON_Mesh>& meshes)
{
    g_error.Empty();
    try
    {
        std::vector<kzstl::StlMesh> read = kzstl::ReadStl(path.Str());
        AppendMeshes(read, meshes);
        return 1;
    }
    catch (const kzstl::StlFailure& failure)
    {
        g_error = kzstl::DescribeFailure(path, failure);
    }
    catch (const std::length_error&)
    {
        g_error = kzstl::DescribeFailure(path, kzstl::StlFailure{kzstl::Problem::TooLarge});
    }
    catch (const std::bad_alloc&)
    {
        g_error = kzstl::DescribeOutOfMemory(path);
    }
    return 0;
}

CString KzSTL::GetError()
{
    return g_error;
}
