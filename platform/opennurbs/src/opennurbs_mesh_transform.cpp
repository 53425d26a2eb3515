#include "opennurbs_defines.h"
#include "opennurbs_mesh.h"
#include "opennurbs_xform.h"

#include <cmath>

namespace
{

// Rows of the cofactor matrix of the xform's 3x3 block: det * inverse transpose. Applied to a
// normal it keeps the normal on the side the face winding gives, also for mirrorings.
void NormalMatrix(const ON_Xform& xform, double n[3][3])
{
    const double(*m)[4] = xform.m_xform;
    for (int r = 0; r < 3; r++)
    {
        const int r1 = (r + 1) % 3;
        const int r2 = (r + 2) % 3;
        for (int c = 0; c < 3; c++)
        {
            const int c1 = (c + 1) % 3;
            const int c2 = (c + 2) % 3;
            n[r][c] = m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1];
        }
    }
}

} // namespace

bool ON_Mesh::Transform(const ON_Xform& xform)
{
    const int vertex_count = m_V.Count();
    if (vertex_count == 0)
    {
        return false;
    }
    for (int i = 0; i < vertex_count; i++)
    {
        m_V[i] = ON_3fPoint(xform * ON_3dPoint(m_V[i]));
    }

    const double det = xform.Determinant();
    const bool singular = std::fabs(det) <= ON_ZERO_TOLERANCE;
    if (singular)
    {
        DestroyTopology();
    }
    if (HasVertexNormals())
    {
        if (singular)
        {
            ComputeVertexNormals();
        }
        else
        {
            double n[3][3];
            NormalMatrix(xform, n);
            for (int i = 0; i < vertex_count; i++)
            {
                const ON_3dVector v(m_N[i]);
                ON_3dVector t(n[0][0] * v.x + n[0][1] * v.y + n[0][2] * v.z,
                              n[1][0] * v.x + n[1][1] * v.y + n[1][2] * v.z,
                              n[2][0] * v.x + n[2][1] * v.y + n[2][2] * v.z);
                t.Unitize();
                m_N[i] = ON_3fVector(t);
            }
        }
    }
    if (HasFaceNormals())
    {
        ComputeFaceNormals();
    }
    return true;
}

bool ON_Mesh::ComputeFaceNormals()
{
    const int face_count = m_F.Count();
    if (face_count == 0)
    {
        return false;
    }
    m_FN.SetCapacity(face_count);
    m_FN.SetCount(face_count);
    bool all = true;
    for (int fi = 0; fi < face_count; fi++)
    {
        ON_3dVector normal;
        const ON_MeshFace& face = m_F[fi];
        if (face.IsValid(m_V.Count()))
        {
            all = face.ComputeFaceNormal(m_V.Array(), normal) && all;
        }
        else
        {
            normal = ON_3dVector();
            all = false;
        }
        m_FN[fi] = ON_3fVector(normal);
    }
    return all;
}

bool ON_Mesh::ComputeVertexNormals()
{
    const int vertex_count = m_V.Count();
    if (vertex_count == 0)
    {
        return false;
    }
    ComputeFaceNormals();
    ON_SimpleArray<ON_3dVector> sums(vertex_count);
    sums.SetCount(vertex_count);
    sums.Zero();
    for (int fi = 0; fi < m_F.Count(); fi++)
    {
        const ON_MeshFace& face = m_F[fi];
        if (!face.IsValid(vertex_count))
        {
            continue;
        }
        const ON_3dVector normal(m_FN[fi]);
        const int corners = face.IsTriangle() ? 3 : 4;
        for (int k = 0; k < corners; k++)
        {
            sums[face.vi[k]] += normal;
        }
    }
    m_N.SetCapacity(vertex_count);
    m_N.SetCount(vertex_count);
    bool all = true;
    for (int i = 0; i < vertex_count; i++)
    {
        all = sums[i].Unitize() && all;
        m_N[i] = ON_3fVector(sums[i]);
    }
    return all;
}
