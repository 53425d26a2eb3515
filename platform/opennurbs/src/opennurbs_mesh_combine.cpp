#include "opennurbs_mesh.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace
{

// -1, 0 or 1, with -0 equal to +0 and NaN above everything (so sorting stays well defined).
template <class Real> int Compare(Real a, Real b)
{
    if (a < b)
    {
        return -1;
    }
    if (a > b)
    {
        return 1;
    }
    if (a == b)
    {
        return 0;
    }
    return std::isnan(a) ? (std::isnan(b) ? 0 : 1) : -1;
}

// Orders vertices by position, then by the attributes that take part in the comparison.
class VertexOrder
{
public:
    VertexOrder(const ON_Mesh& mesh, bool normals, bool attributes)
        : m_mesh(mesh), m_normals(normals && mesh.HasVertexNormals()),
          m_texture(attributes && mesh.HasTextureCoordinates()),
          m_colors(attributes && mesh.HasVertexColors()),
          m_curvatures(attributes && mesh.HasPrincipalCurvatures())
    {
    }

    int operator()(int a, int b) const
    {
        int c = Compare3(m_mesh.m_V[a], m_mesh.m_V[b]);
        if (c == 0 && m_normals)
        {
            c = Compare3(m_mesh.m_N[a], m_mesh.m_N[b]);
        }
        if (c == 0 && m_texture)
        {
            c = Compare(m_mesh.m_T[a].x, m_mesh.m_T[b].x);
            c = c != 0 ? c : Compare(m_mesh.m_T[a].y, m_mesh.m_T[b].y);
        }
        if (c == 0 && m_colors)
        {
            c = m_mesh.m_C[a].m_color < m_mesh.m_C[b].m_color ? -1 : (m_mesh.m_C[a] == m_mesh.m_C[b] ? 0 : 1);
        }
        if (c == 0 && m_curvatures)
        {
            c = Compare(m_mesh.m_K[a].k1, m_mesh.m_K[b].k1);
            c = c != 0 ? c : Compare(m_mesh.m_K[a].k2, m_mesh.m_K[b].k2);
        }
        return c;
    }

private:
    template <class P> static int Compare3(const P& a, const P& b)
    {
        int c = Compare(a.x, b.x);
        c = c != 0 ? c : Compare(a.y, b.y);
        return c != 0 ? c : Compare(a.z, b.z);
    }

    const ON_Mesh& m_mesh;
    bool m_normals;
    bool m_texture;
    bool m_colors;
    bool m_curvatures;
};

// Keeps, in place, the elements whose new index is not -1, in their order.
template <class T> void KeepMapped(ON_SimpleArray<T>& array, const std::vector<int>& new_index)
{
    int kept = 0;
    for (int i = 0; i < int(new_index.size()); i++)
    {
        if (new_index[i] >= 0)
        {
            array[new_index[i]] = array[i];
            kept = new_index[i] + 1;
        }
    }
    array.SetCount(kept);
}

// Element i becomes element of group[i]; the first member of each group speaks for it.
template <class T>
void Regroup(ON_SimpleArray<T>& array, const std::vector<int>& members, const std::vector<int>& group_start)
{
    std::vector<T> grouped(group_start.size() - 1);
    for (std::size_t g = 0; g + 1 < group_start.size(); g++)
    {
        grouped[g] = array[members[group_start[g]]];
    }
    for (std::size_t g = 0; g < grouped.size(); g++)
    {
        array[int(g)] = grouped[g];
    }
    array.SetCount(int(grouped.size()));
}

bool SamePosition(const ON_3fPoint& a, const ON_3fPoint& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

} // namespace

bool ON_Mesh::CombineIdenticalVertices(bool ignore_vertex_normals, bool ignore_texture_coordinates)
{
    const int vertex_count = VertexCount();
    if (vertex_count == 0)
    {
        return false;
    }
    const VertexOrder order(*this, !ignore_vertex_normals, !ignore_texture_coordinates);
    std::vector<int> members(vertex_count);
    std::iota(members.begin(), members.end(), 0);
    // Descending, as the toolkit leaves them; ties keep the lower index first.
    std::sort(members.begin(), members.end(),
              [&](int a, int b)
              {
                  const int c = order(a, b);
                  return c > 0 || (c == 0 && a < b);
              });

    std::vector<int> group_start;
    std::vector<int> group_of(vertex_count);
    for (int k = 0; k < vertex_count; k++)
    {
        if (k == 0 || order(members[k - 1], members[k]) != 0)
        {
            group_start.push_back(k);
        }
        group_of[members[k]] = int(group_start.size()) - 1;
    }
    const int group_count = int(group_start.size());
    if (group_count == vertex_count)
    {
        return false;
    }
    group_start.push_back(vertex_count);

    if (HasVertexNormals())
    {
        if (ignore_vertex_normals)
        {
            for (int g = 0; g < group_count; g++)
            {
                ON_3dVector sum;
                for (int k = group_start[g]; k < group_start[g + 1]; k++)
                {
                    sum += ON_3dVector(m_N[members[k]]);
                }
                sum.Unitize();
                m_N[members[group_start[g]]] = ON_3fVector(sum);
            }
        }
        Regroup(m_N, members, group_start);
    }
    if (ignore_texture_coordinates)
    {
        m_T.Empty();
        m_C.Empty();
        m_K.Empty();
    }
    else
    {
        if (HasTextureCoordinates())
        {
            Regroup(m_T, members, group_start);
        }
        if (HasVertexColors())
        {
            Regroup(m_C, members, group_start);
        }
        if (HasPrincipalCurvatures())
        {
            Regroup(m_K, members, group_start);
        }
    }
    Regroup(m_V, members, group_start);

    for (int fi = 0; fi < FaceCount(); fi++)
    {
        for (int& vi : m_F[fi].vi)
        {
            if (vi >= 0 && vi < vertex_count)
            {
                vi = group_of[vi];
            }
        }
    }
    DestroyTopology();

    if (m_V.Capacity() > 4 * m_V.Count() && m_V.Capacity() > 50)
    {
        Compact();
    }
    return true;
}

void ON_Mesh::Compact()
{
    const int vertex_count = VertexCount();
    const bool face_normals = HasFaceNormals();
    DestroyTopology();

    int kept_faces = 0;
    std::vector<int> new_vertex(vertex_count, -1);
    for (int fi = 0; fi < FaceCount(); fi++)
    {
        const ON_MeshFace& face = m_F[fi];
        const int corners = face.IsTriangle() ? 3 : 4;
        int distinct[4];
        int distinct_count = 0;
        bool in_range = true;
        for (int k = 0; k < corners && in_range; k++)
        {
            const int vi = face.vi[k];
            in_range = vi >= 0 && vi < vertex_count;
            bool repeated = false;
            for (int j = 0; j < distinct_count && in_range && !repeated; j++)
            {
                repeated = SamePosition(m_V[distinct[j]], m_V[vi]);
            }
            if (in_range && !repeated)
            {
                distinct[distinct_count++] = vi;
            }
        }
        // Faces that collapsed (and faces that point outside the mesh) go.
        if (!in_range || distinct_count < 3)
        {
            continue;
        }
        if (distinct_count == 3)
        {
            distinct[3] = distinct[2];
        }
        for (int k = 0; k < 4; k++)
        {
            m_F[kept_faces].vi[k] = distinct[k];
            new_vertex[distinct[k]] = 0;
        }
        if (face_normals)
        {
            m_FN[kept_faces] = m_FN[fi];
        }
        kept_faces++;
    }
    m_F.SetCount(kept_faces);
    if (face_normals)
    {
        m_FN.SetCount(kept_faces);
    }

    int used = 0;
    for (int& index : new_vertex)
    {
        index = index == 0 ? used++ : -1;
    }
    for (int fi = 0; fi < kept_faces; fi++)
    {
        for (int& vi : m_F[fi].vi)
        {
            vi = new_vertex[vi];
        }
    }
    if (HasVertexNormals())
    {
        KeepMapped(m_N, new_vertex);
    }
    if (HasTextureCoordinates())
    {
        KeepMapped(m_T, new_vertex);
    }
    if (HasSurfaceParameters())
    {
        KeepMapped(m_S, new_vertex);
    }
    if (HasPrincipalCurvatures())
    {
        KeepMapped(m_K, new_vertex);
    }
    if (HasVertexColors())
    {
        KeepMapped(m_C, new_vertex);
    }
    KeepMapped(m_V, new_vertex);

    m_V.SetCapacity(m_V.Count());
    m_F.SetCapacity(m_F.Count());
    m_N.SetCapacity(m_N.Count());
    m_FN.SetCapacity(m_FN.Count());
    m_T.SetCapacity(m_T.Count());
    m_S.SetCapacity(m_S.Count());
    m_K.SetCapacity(m_K.Count());
    m_C.SetCapacity(m_C.Count());
}
