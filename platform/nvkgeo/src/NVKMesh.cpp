#include "NVKMesh.h"

int NVKMesh::BreakQuads(ON_Mesh& mesh, int mode, int* splitCount)
{
    int quads = 0;
    for (int fi = 0; fi < mesh.FaceCount(); ++fi)
        if (mesh.m_F[fi].IsQuad())
            ++quads;
    if (splitCount)
        *splitCount = quads;
    if (quads == 0)
        return 0;

    const bool keepFaceNormals = mesh.HasFaceNormals();
    ON_SimpleArray<ON_MeshFace> faces(mesh.FaceCount() + quads);
    ON_SimpleArray<ON_3fVector> faceNormals(keepFaceNormals ? mesh.FaceCount() + quads : 0);
    for (int fi = 0; fi < mesh.FaceCount(); ++fi)
    {
        const ON_MeshFace& face = mesh.m_F[fi];
        if (face.IsQuad())
        {
            ON_MeshFace first;
            first.vi[0] = face.vi[0], first.vi[1] = face.vi[1], first.vi[2] = first.vi[3] = face.vi[2];
            ON_MeshFace second;
            second.vi[0] = face.vi[0], second.vi[1] = face.vi[2], second.vi[2] = second.vi[3] = face.vi[3];
            faces.Append(first);
            faces.Append(second);
            if (keepFaceNormals)
                faceNormals.Append(mesh.m_FN[fi]);
        }
        else
            faces.Append(face);
        if (keepFaceNormals)
            faceNormals.Append(mesh.m_FN[fi]);
    }
    mesh.m_F = faces;
    if (keepFaceNormals)
        mesh.m_FN = faceNormals;
    mesh.DestroyTopology();
    return quads;
}
