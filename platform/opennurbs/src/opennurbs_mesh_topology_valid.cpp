#include "opennurbs_mesh.h"
#include "opennurbs_mesh_topology.h"

#include <vector>

bool ON_MeshTopology::IsValid() const
{
    if (!m_created || m_mesh == nullptr || &m_mesh->m_top != this)
    {
        return false;
    }
    const ON_Mesh& mesh = *m_mesh;
    const int topv_count = m_topv.Count();
    if (topv_count < 1 || topv_count > mesh.VertexCount() || m_topf.Count() != mesh.FaceCount())
    {
        return false;
    }
    if (mesh.FaceCount() > 0 && m_tope.Count() < 3)
    {
        return false;
    }
    return IsVertexTableValid(mesh) && IsEdgeTableValid() && IsFaceTableValid(mesh);
}

bool ON_MeshTopology::IsVertexTableValid(const ON_Mesh& mesh) const
{
    const int vertex_count = mesh.VertexCount();
    if (m_topv_map.Count() != vertex_count)
    {
        return false;
    }
    std::vector<char> listed(vertex_count, 0);
    int listed_count = 0;
    for (int tvi = 0; tvi < m_topv.Count(); tvi++)
    {
        const ON_MeshTopologyVertex& topv = m_topv[tvi];
        if (topv.m_v_count < 1 || topv.m_vi == nullptr)
        {
            return false;
        }
        for (int k = 0; k < topv.m_v_count; k++)
        {
            const int vi = topv.m_vi[k];
            if (vi < 0 || vi >= vertex_count || listed[vi] || m_topv_map[vi] != tvi)
            {
                return false;
            }
            const ON_3fPoint& first = mesh.m_V[topv.m_vi[0]];
            const ON_3fPoint& v = mesh.m_V[vi];
            if (k > 0 && !(v.x == first.x && v.y == first.y && v.z == first.z))
            {
                return false;
            }
            listed[vi] = 1;
            listed_count++;
        }
    }
    return listed_count == vertex_count;
}

bool ON_MeshTopology::IsEdgeTableValid() const
{
    const int topv_count = m_topv.Count();
    const int edge_count = m_tope.Count();
    std::vector<int> links(edge_count, 0);
    for (int tvi = 0; tvi < topv_count; tvi++)
    {
        const ON_MeshTopologyVertex& topv = m_topv[tvi];
        if (topv.m_tope_count < 0 || (topv.m_tope_count > 0 && topv.m_topei == nullptr))
        {
            return false;
        }
        for (int k = 0; k < topv.m_tope_count; k++)
        {
            const int ei = topv.m_topei[k];
            if (ei < 0 || ei >= edge_count || (m_tope[ei].m_topvi[0] != tvi && m_tope[ei].m_topvi[1] != tvi))
            {
                return false;
            }
            for (int j = 0; j < k; j++)
            {
                if (topv.m_topei[j] == ei)
                {
                    return false;
                }
            }
            links[ei]++;
        }
    }
    for (int ei = 0; ei < edge_count; ei++)
    {
        const ON_MeshTopologyEdge& edge = m_tope[ei];
        if (edge.m_topvi[0] == edge.m_topvi[1] || edge.m_topvi[0] < 0 || edge.m_topvi[1] < 0 ||
            edge.m_topvi[0] >= topv_count || edge.m_topvi[1] >= topv_count || links[ei] != 2)
        {
            return false;
        }
        if (edge.m_topf_count < 0 || (edge.m_topf_count > 0 && edge.m_topfi == nullptr))
        {
            return false;
        }
        for (int k = 0; k < edge.m_topf_count; k++)
        {
            const int fi = edge.m_topfi[k];
            if (fi < 0 || fi >= m_topf.Count())
            {
                return false;
            }
            const int* topei = m_topf[fi].m_topei;
            if (topei[0] != ei && topei[1] != ei && topei[2] != ei && topei[3] != ei)
            {
                return false;
            }
        }
    }
    return true;
}

bool ON_MeshTopology::IsFaceTableValid(const ON_Mesh& mesh) const
{
    const int vertex_count = mesh.VertexCount();
    for (int fi = 0; fi < m_topf.Count(); fi++)
    {
        const ON_MeshTopologyFace& topf = m_topf[fi];
        bool all_zero = true;
        for (int j = 0; j < 4; j++)
        {
            all_zero = all_zero && topf.m_topei[j] == 0 && topf.m_reve[j] == 0;
        }
        if (all_zero)
        {
            continue;
        }
        const ON_MeshFace& face = mesh.m_F[fi];
        if (!face.IsValid(vertex_count))
        {
            return false;
        }
        const int sides = face.IsTriangle() ? 3 : 4;
        if (sides == 3 && (topf.m_topei[3] != topf.m_topei[2] || topf.m_reve[3] != 0))
        {
            return false;
        }
        for (int j = 0; j < sides; j++)
        {
            const int ei = topf.m_topei[j];
            if (ei < 0 || ei >= m_tope.Count())
            {
                return false;
            }
            const int from = m_topv_map[face.vi[(j + 3) % 4]];
            const int to = m_topv_map[face.vi[j]];
            const ON_MeshTopologyEdge& edge = m_tope[ei];
            const bool forward = edge.m_topvi[0] == from && edge.m_topvi[1] == to;
            const bool backward = edge.m_topvi[0] == to && edge.m_topvi[1] == from;
            if (topf.m_reve[j] ? !backward : !forward)
            {
                return false;
            }
        }
    }
    return true;
}
