#include "opennurbs_mesh.h"

#include <cmath>

bool ON_MeshFace::ComputeFaceNormal(const ON_3fPoint* V, ON_3dVector& normal) const
{
    const ON_3dVector a = ON_3dPoint(V[vi[2]]) - ON_3dPoint(V[vi[0]]);
    const ON_3dVector b = ON_3dPoint(V[vi[3]]) - ON_3dPoint(V[vi[1]]);
    normal = ON_CrossProduct(a, b);
    return normal.Unitize();
}

ON_Mesh::ON_Mesh(int face_capacity, int vertex_capacity, bool has_vertex_normals,
                 bool has_texture_coordinates)
    : m_V(vertex_capacity), m_F(face_capacity)
{
    if (has_vertex_normals)
    {
        m_N.Reserve(vertex_capacity);
    }
    if (has_texture_coordinates)
    {
        m_T.Reserve(vertex_capacity);
    }
}

ON_Mesh::ON_Mesh(const ON_Mesh& src) : ON_Geometry(src)
{
    *this = src;
}

ON_Mesh& ON_Mesh::operator=(const ON_Mesh& src)
{
    if (this != &src)
    {
        Destroy();
        ON_Geometry::operator=(src);
        m_V = src.m_V;
        m_F = src.m_F;
        m_N = src.m_N;
        m_FN = src.m_FN;
        m_T = src.m_T;
        m_S = src.m_S;
        m_K = src.m_K;
        m_C = src.m_C;
    }
    return *this;
}

void ON_Mesh::Destroy()
{
    DestroyTopology();
    m_V.Destroy();
    m_F.Destroy();
    m_N.Destroy();
    m_FN.Destroy();
    m_T.Destroy();
    m_S.Destroy();
    m_K.Destroy();
    m_C.Destroy();
}

bool ON_Mesh::SetVertex(int i, const ON_3dPoint& p)
{
    return SetVertex(i, ON_3fPoint(p));
}

bool ON_Mesh::SetVertex(int i, const ON_3fPoint& p)
{
    if (i >= 0 && i < m_V.Count())
    {
        m_V[i] = p;
        return true;
    }
    if (i == m_V.Count())
    {
        m_V.Append(p);
        return true;
    }
    return false;
}

bool ON_Mesh::SetQuad(int fi, int a, int b, int c, int d)
{
    const ON_MeshFace face = {{a, b, c, d}};
    if (fi >= 0 && fi < m_F.Count())
    {
        m_F[fi] = face;
    }
    else if (fi == m_F.Count())
    {
        m_F.Append(face);
    }
    else
    {
        return false;
    }
    return face.IsValid(m_V.Count());
}

bool ON_Mesh::SetTriangle(int fi, int a, int b, int c)
{
    return SetQuad(fi, a, b, c, c);
}

bool ON_Mesh::GetBoundingBox(ON_BoundingBox& bbox, bool grow) const
{
    bool any = false;
    bool growing = grow && bbox.IsValid();
    for (int i = 0; i < m_V.Count(); i++)
    {
        const ON_3fPoint& v = m_V[i];
        if (std::isnan(v.x) || std::isnan(v.y) || std::isnan(v.z))
        {
            continue;
        }
        bbox.Set(ON_3dPoint(v), growing);
        any = growing = true;
    }
    return any;
}

const ON_MeshTopology& ON_Mesh::Topology() const
{
    // Meshes are relocated bitwise when the array holding them grows: point back here each time.
    m_top.m_mesh = this;
    if (!m_top.m_created)
    {
        m_top.Create(*this);
    }
    return m_top;
}

void ON_Mesh::DestroyTopology()
{
    m_top.Destroy();
}
