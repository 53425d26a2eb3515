#include "opennurbs_mesh_topology.h"
#include "opennurbs_mesh.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

using SortRecord = ON_MeshTopology::SortRecord;

namespace
{

// A sort key whose unsigned order is the float order, with -0 equal to +0 and every NaN last.
std::uint64_t OrderedBits(float f)
{
    if (std::isnan(f))
    {
        return 0xFFFFFFFFu;
    }
    const std::uint32_t bits = f == 0.0f ? 0u : std::bit_cast<std::uint32_t>(f);
    return (bits & 0x80000000u) ? ~bits : (bits | 0x80000000u);
}

// Stable LSD radix sort by key(record), 16 bits a pass; passes in which every key has the same
// digit are skipped. Several calls, least significant key first, sort by a composite key.
template <class Key>
void StableRadixSort(std::vector<SortRecord>& records, std::vector<SortRecord>& scratch, Key key)
{
    scratch.resize(records.size());
    std::vector<std::size_t> start(1u << 16);
    for (int shift = 0; shift < 64; shift += 16)
    {
        std::fill(start.begin(), start.end(), 0);
        for (const SortRecord& r : records)
        {
            start[(key(r) >> shift) & 0xFFFFu]++;
        }
        if (std::find(start.begin(), start.end(), records.size()) != start.end())
        {
            continue;
        }
        std::size_t sum = 0;
        for (std::size_t& s : start)
        {
            const std::size_t count = s;
            s = sum;
            sum += count;
        }
        for (const SortRecord& r : records)
        {
            scratch[start[(key(r) >> shift) & 0xFFFFu]++] = r;
        }
        records.swap(scratch);
    }
}

bool SamePosition(const ON_3fPoint& a, const ON_3fPoint& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

} // namespace

void ON_MeshTopology::Destroy()
{
    m_mesh = nullptr;
    m_created = false;
    m_topv_map.Destroy();
    m_topv.Destroy();
    m_tope.Destroy();
    m_topf.Destroy();
    m_vi_pool.Destroy();
    m_topei_pool.Destroy();
    m_topfi_pool.Destroy();
}

bool ON_MeshTopology::Create(const ON_Mesh& mesh)
{
    const ON_Mesh* owner = m_mesh;
    Destroy();
    m_mesh = owner;
    if (mesh.m_V.Count() < 1)
    {
        return false;
    }
    // One buffer pair serves both sorts: fresh memory is costly at a million faces.
    std::vector<SortRecord> records;
    std::vector<SortRecord> scratch;
    CreateVertices(mesh, records, scratch);
    CreateEdges(mesh, records, scratch);
    records = std::vector<SortRecord>();
    scratch = std::vector<SortRecord>();
    LinkVerticesToEdges();
    ResolveFaces(mesh);
    m_created = true;
    return true;
}

void ON_MeshTopology::CreateVertices(const ON_Mesh& mesh, std::vector<SortRecord>& records,
                                     std::vector<SortRecord>& scratch)
{
    const int vertex_count = mesh.m_V.Count();
    records.resize(vertex_count);
    for (int vi = 0; vi < vertex_count; vi++)
    {
        const ON_3fPoint& v = mesh.m_V[vi];
        records[vi].major = OrderedBits(v.x) << 32 | OrderedBits(v.y);
        records[vi].minor = OrderedBits(v.z) << 32 | std::uint64_t(vi);
    }
    // Records are made in vertex order, so stable passes by z, then by (x, y) leave equal
    // positions in ascending vertex index.
    StableRadixSort(records, scratch, [](const SortRecord& r) { return r.minor >> 32; });
    StableRadixSort(records, scratch, [](const SortRecord& r) { return r.major; });

    m_vi_pool.SetCapacity(vertex_count);
    m_vi_pool.SetCount(vertex_count);
    int group_count = 0;
    for (int k = 0; k < vertex_count; k++)
    {
        m_vi_pool[k] = int(records[k].minor & 0xFFFFFFFFu);
        if (k == 0 || !SamePosition(mesh.m_V[m_vi_pool[k - 1]], mesh.m_V[m_vi_pool[k]]))
        {
            group_count++;
        }
    }
    m_topv.SetCapacity(group_count);
    m_topv_map.SetCapacity(vertex_count);
    m_topv_map.SetCount(vertex_count);
    for (int k = 0; k < vertex_count; k++)
    {
        const int vi = m_vi_pool[k];
        if (k == 0 || !SamePosition(mesh.m_V[m_vi_pool[k - 1]], mesh.m_V[vi]))
        {
            ON_MeshTopologyVertex& topv = m_topv.AppendNew();
            topv.m_vi = m_vi_pool.Array() + k;
        }
        m_topv[m_topv.Count() - 1].m_v_count++;
        m_topv_map[vi] = m_topv.Count() - 1;
    }
}

void ON_MeshTopology::CreateEdges(const ON_Mesh& mesh, std::vector<SortRecord>& records,
                                  std::vector<SortRecord>& scratch)
{
    // Every side of a valid face whose ends are different topological vertices, as (smaller end,
    // larger end, face); equal end pairs are one edge.
    const int vertex_count = mesh.m_V.Count();
    const int face_count = mesh.m_F.Count();
    records.clear();
    for (int fi = 0; fi < face_count; fi++)
    {
        const ON_MeshFace& face = mesh.m_F[fi];
        if (!face.IsValid(vertex_count))
        {
            continue;
        }
        for (int side = 0; side < 4; side++)
        {
            const std::uint64_t a = std::uint64_t(m_topv_map[face.vi[(side + 3) % 4]]);
            const std::uint64_t b = std::uint64_t(m_topv_map[face.vi[side]]);
            if (a != b)
            {
                records.push_back(
                    {std::min(a, b) << 32 | std::max(a, b), std::uint64_t(fi) << 2 | std::uint64_t(side)});
            }
        }
    }
    // Made in face order: a stable sort by the end pair keeps the faces of an edge ascending.
    StableRadixSort(records, scratch, [](const SortRecord& r) { return r.major; });

    m_topf.SetCapacity(face_count);
    m_topf.SetCount(face_count);
    for (int fi = 0; fi < face_count; fi++)
    {
        m_topf[fi] = ON_MeshTopologyFace{{-1, -1, -1, -1}, {0, 0, 0, 0}};
    }
    const int side_count = int(records.size());
    int edge_count = 0;
    for (int k = 0; k < side_count; k++)
    {
        edge_count += (k == 0 || records[k].major != records[k - 1].major) ? 1 : 0;
    }
    m_tope.SetCapacity(edge_count);
    m_topfi_pool.SetCapacity(side_count);
    m_topfi_pool.SetCount(side_count);
    for (int k = 0; k < side_count; k++)
    {
        const int start = int(records[k].major >> 32);
        const int fi = int(records[k].minor >> 2);
        const int side = int(records[k].minor & 3u);
        if (k == 0 || records[k].major != records[k - 1].major)
        {
            ON_MeshTopologyEdge& edge = m_tope.AppendNew();
            edge.m_topvi[0] = start;
            edge.m_topvi[1] = int(records[k].major & 0xFFFFFFFFu);
            edge.m_topfi = m_topfi_pool.Array() + k;
        }
        const int ei = m_tope.Count() - 1;
        m_tope[ei].m_topf_count++;
        m_topfi_pool[k] = fi;
        m_topf[fi].m_topei[side] = ei;
        m_topf[fi].m_reve[side] = m_topv_map[mesh.m_F[fi].vi[(side + 3) % 4]] != start ? 1 : 0;
    }
}

void ON_MeshTopology::LinkVerticesToEdges()
{
    // Walking the edges in order lists each vertex's edges ascending.
    const int edge_count = m_tope.Count();
    for (int ei = 0; ei < edge_count; ei++)
    {
        m_topv[m_tope[ei].m_topvi[0]].m_tope_count++;
        m_topv[m_tope[ei].m_topvi[1]].m_tope_count++;
    }
    m_topei_pool.SetCapacity(2 * edge_count);
    m_topei_pool.SetCount(2 * edge_count);
    std::vector<int> next(m_topv.Count());
    int offset = 0;
    for (int tvi = 0; tvi < m_topv.Count(); tvi++)
    {
        m_topv[tvi].m_topei = m_topei_pool.Array() + offset;
        next[tvi] = offset;
        offset += m_topv[tvi].m_tope_count;
    }
    for (int ei = 0; ei < edge_count; ei++)
    {
        m_topei_pool[next[m_tope[ei].m_topvi[0]]++] = ei;
        m_topei_pool[next[m_tope[ei].m_topvi[1]]++] = ei;
    }
}

void ON_MeshTopology::ResolveFaces(const ON_Mesh& mesh)
{
    // Faces keep their sides only when they give 3 (triangle) or 4 (quad) distinct edges.
    for (int fi = 0; fi < m_topf.Count(); fi++)
    {
        ON_MeshTopologyFace& topf = m_topf[fi];
        const int sides = mesh.m_F[fi].IsTriangle() ? 3 : 4;
        bool resolved = true;
        for (int j = 0; j < sides && resolved; j++)
        {
            resolved = topf.m_topei[j] >= 0;
            for (int i = 0; i < j && resolved; i++)
            {
                resolved = topf.m_topei[i] != topf.m_topei[j];
            }
        }
        if (resolved && sides == 3)
        {
            topf.m_topei[3] = topf.m_topei[2];
            topf.m_reve[3] = 0;
        }
        else if (!resolved)
        {
            topf = ON_MeshTopologyFace{{0, 0, 0, 0}, {0, 0, 0, 0}};
        }
    }
}
