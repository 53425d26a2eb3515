#include "opennurbs_mesh_topology.h"
#include "opennurbs_mesh.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{

// A sort key whose unsigned order is the float order, with -0 equal to +0 and every NaN last.
// Only a NaN has the key 0xFFFFFFFF.
std::uint32_t OrderedBits(float f)
{
    if (std::isnan(f))
    {
        return 0xFFFFFFFFu;
    }
    const std::uint32_t bits = f == 0.0f ? 0u : std::bit_cast<std::uint32_t>(f);
    return (bits & 0x80000000u) ? ~bits : (bits | 0x80000000u);
}

// A mesh vertex as the builder sorts it: the keys of x, y and z, and its index.
struct VertexRecord
{
    std::uint32_t key[3];
    int vi;
};

// Equal keys are one position, except that a NaN equals nothing.
bool SamePosition(const VertexRecord& a, const VertexRecord& b)
{
    for (int i = 0; i < 3; i++)
    {
        if (a.key[i] != b.key[i] || a.key[i] == 0xFFFFFFFFu)
        {
            return false;
        }
    }
    return true;
}

// Sorts the count records at `records` by (x, y, z) keys, stably, with `scratch` as room for as
// many; returns where the sorted records ended up (one of the two). An LSD radix sort by 16-bit
// digits: digit d is half d % 2 (low first) of key 2 - d / 2, so z's low half comes first. A digit
// that every record shares costs no pass.
VertexRecord* SortByPosition(VertexRecord* records, VertexRecord* scratch, int count)
{
    constexpr int kDigits = 6;
    std::vector<std::uint32_t> start(std::size_t(kDigits) << 16, 0);
    for (int k = 0; k < count; k++)
    {
        for (int w = 0; w < 3; w++)
        {
            const std::uint32_t key = records[k].key[w];
            start[std::size_t(4 - 2 * w) << 16 | (key & 0xFFFFu)]++;
            start[std::size_t(5 - 2 * w) << 16 | key >> 16]++;
        }
    }
    for (int d = 0; d < kDigits; d++)
    {
        std::uint32_t* const first = start.data() + (std::size_t(d) << 16);
        std::uint32_t* const last = first + (1u << 16);
        if (std::find(first, last, std::uint32_t(count)) != last)
        {
            continue;
        }
        std::uint32_t sum = 0;
        for (std::uint32_t* s = first; s != last; s++)
        {
            const std::uint32_t bucket_count = *s;
            *s = sum;
            sum += bucket_count;
        }
        const int word = 2 - d / 2;
        const int shift = 16 * (d % 2);
        for (int k = 0; k < count; k++)
        {
            scratch[first[(records[k].key[word] >> shift) & 0xFFFFu]++] = records[k];
        }
        std::swap(records, scratch);
    }
    return records;
}

// One side of a valid face, as the sides filed under one end are sorted: the other end, the face,
// and the side's code (see CreateEdges).
struct FaceSide
{
    int other;
    int face;
    int code;
};

bool operator<(const FaceSide& a, const FaceSide& b)
{
    if (a.other != b.other)
    {
        return a.other < b.other;
    }
    return a.face != b.face ? a.face < b.face : a.code < b.code;
}

// Sorts the sides first..last-1, held in face order, by their larger end, keeping the face order
// among equal ends. An ordinary vertex has a handful of sides, which are sorted in place; the hub
// of a fan can have millions, which are sorted by (larger end, face, code) in `sorting`.
void SortSides(int first, int last, int* other, int* face, unsigned char* code,
               std::vector<FaceSide>& sorting)
{
    constexpr int kInPlace = 16;
    if (last - first <= kInPlace)
    {
        for (int k = first + 1; k < last; k++)
        {
            const FaceSide s{other[k], face[k], code[k]};
            int j = k;
            for (; j > first && other[j - 1] > s.other; j--)
            {
                other[j] = other[j - 1];
                face[j] = face[j - 1];
                code[j] = code[j - 1];
            }
            other[j] = s.other;
            face[j] = s.face;
            code[j] = static_cast<unsigned char>(s.code);
        }
        return;
    }
    sorting.resize(std::size_t(last - first));
    for (int k = first; k < last; k++)
    {
        sorting[std::size_t(k - first)] = FaceSide{other[k], face[k], code[k]};
    }
    std::sort(sorting.begin(), sorting.end());
    for (int k = first; k < last; k++)
    {
        const FaceSide& s = sorting[std::size_t(k - first)];
        other[k] = s.other;
        face[k] = s.face;
        code[k] = static_cast<unsigned char>(s.code);
    }
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
    CreateVertices(mesh);
    CreateEdges(mesh);
    LinkVerticesToEdges();
    ResolveFaces(mesh);
    m_created = true;
    return true;
}

void ON_MeshTopology::CreateVertices(const ON_Mesh& mesh)
{
    const int vertex_count = mesh.m_V.Count();
    ON_SimpleArray<VertexRecord> records(vertex_count);
    ON_SimpleArray<VertexRecord> scratch(vertex_count);
    records.SetCount(vertex_count);
    scratch.SetCount(vertex_count);
    for (int vi = 0; vi < vertex_count; vi++)
    {
        const ON_3fPoint& v = mesh.m_V[vi];
        records[vi] = VertexRecord{{OrderedBits(v.x), OrderedBits(v.y), OrderedBits(v.z)}, vi};
    }
    // Records are made in vertex order and the sort is stable, so equal positions stay in
    // ascending vertex index.
    const VertexRecord* sorted = SortByPosition(records.Array(), scratch.Array(), vertex_count);

    int group_count = 0;
    for (int k = 0; k < vertex_count; k++)
    {
        group_count += (k == 0 || !SamePosition(sorted[k - 1], sorted[k])) ? 1 : 0;
    }
    m_vi_pool.SetCapacity(vertex_count);
    m_vi_pool.SetCount(vertex_count);
    m_topv.SetCapacity(group_count);
    m_topv_map.SetCapacity(vertex_count);
    m_topv_map.SetCount(vertex_count);
    for (int k = 0; k < vertex_count; k++)
    {
        const int vi = sorted[k].vi;
        m_vi_pool[k] = vi;
        if (k == 0 || !SamePosition(sorted[k - 1], sorted[k]))
        {
            ON_MeshTopologyVertex& topv = m_topv.AppendNew();
            topv.m_vi = m_vi_pool.Array() + k;
        }
        m_topv[m_topv.Count() - 1].m_v_count++;
        m_topv_map[vi] = m_topv.Count() - 1;
    }
}

void ON_MeshTopology::CreateEdges(const ON_Mesh& mesh)
{
    const int vertex_count = mesh.m_V.Count();
    const int face_count = mesh.m_F.Count();
    const int topv_count = m_topv.Count();

    // Until the edges are known, each face's m_topei holds its corners as topological vertices;
    // an invalid face has -1 at every corner, so that none of its sides counts.
    m_topf.SetCapacity(face_count);
    m_topf.SetCount(face_count);
    // Sides are filed by their smaller end t: first counted in start[t + 2], then placed so that
    // start[t] is where t's sides begin and start[t + 1] where they end.
    std::vector<int> start(std::size_t(topv_count) + 2, 0);
    for (int fi = 0; fi < face_count; fi++)
    {
        const ON_MeshFace& face = mesh.m_F[fi];
        int* corner = m_topf[fi].m_topei;
        const bool valid = face.IsValid(vertex_count);
        for (int j = 0; j < 4; j++)
        {
            corner[j] = valid ? m_topv_map[face.vi[j]] : -1;
        }
        for (int side = 0; side < 4; side++)
        {
            const int a = corner[(side + 3) % 4];
            const int b = corner[side];
            if (a != b)
            {
                start[std::size_t(std::min(a, b)) + 2]++;
            }
        }
    }
    for (int t = 2; t <= topv_count + 1; t++)
    {
        start[std::size_t(t)] += start[std::size_t(t) - 1];
    }
    const int side_count = start[std::size_t(topv_count) + 1];

    // Each side of a valid face whose ends differ, filed under its smaller end: its face goes to
    // m_topfi_pool, its larger end to `other`, and to `code` the side (from corner (side+3)%4 to
    // corner side) times two, plus one when it runs from the larger end to the smaller.
    m_topfi_pool.SetCapacity(side_count);
    m_topfi_pool.SetCount(side_count);
    ON_SimpleArray<int> other(side_count);
    other.SetCount(side_count);
    ON_SimpleArray<unsigned char> code(side_count);
    code.SetCount(side_count);
    for (int fi = 0; fi < face_count; fi++)
    {
        ON_MeshTopologyFace& topf = m_topf[fi];
        for (int side = 0; side < 4; side++)
        {
            const int a = topf.m_topei[(side + 3) % 4];
            const int b = topf.m_topei[side];
            if (a != b)
            {
                const int k = start[std::size_t(std::min(a, b)) + 1]++;
                m_topfi_pool[k] = fi;
                other[k] = std::max(a, b);
                code[k] = static_cast<unsigned char>(2 * side + (a > b ? 1 : 0));
            }
        }
        topf = ON_MeshTopologyFace{{-1, -1, -1, -1}, {0, 0, 0, 0}};
    }

    // Each end's sides, filed in face order, sorted by (larger end, face, side): the sides of one
    // edge come together, with their faces ascending.
    std::vector<FaceSide> sorting;
    int edge_count = 0;
    for (int t = 0; t < topv_count; t++)
    {
        const int first = start[std::size_t(t)];
        const int last = start[std::size_t(t) + 1];
        SortSides(first, last, other.Array(), m_topfi_pool.Array(), code.Array(), sorting);
        for (int k = first; k < last; k++)
        {
            edge_count += (k == first || other[k] != other[k - 1]) ? 1 : 0;
        }
    }

    m_tope.SetCapacity(edge_count);
    m_tope.SetCount(edge_count);
    int ei = -1;
    for (int t = 0; t < topv_count; t++)
    {
        const int first = start[std::size_t(t)];
        for (int k = first; k < start[std::size_t(t) + 1]; k++)
        {
            if (k == first || other[k] != other[k - 1])
            {
                m_tope[++ei] = ON_MeshTopologyEdge{{t, other[k]}, 0, m_topfi_pool.Array() + k};
            }
            m_tope[ei].m_topf_count++;
            ON_MeshTopologyFace& topf = m_topf[m_topfi_pool[k]];
            topf.m_topei[code[k] / 2] = ei;
            topf.m_reve[code[k] / 2] = char(code[k] % 2);
        }
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
        const int* e = topf.m_topei;
        bool resolved = e[0] >= 0 && e[1] >= 0 && e[2] >= 0 && e[0] != e[1] && e[0] != e[2] && e[1] != e[2];
        if (mesh.m_F[fi].IsTriangle())
        {
            topf.m_topei[3] = e[2];
            topf.m_reve[3] = 0;
        }
        else
        {
            resolved = resolved && e[3] >= 0 && e[3] != e[0] && e[3] != e[1] && e[3] != e[2];
        }
        if (!resolved)
        {
            topf = ON_MeshTopologyFace{{0, 0, 0, 0}, {0, 0, 0, 0}};
        }
    }
}
