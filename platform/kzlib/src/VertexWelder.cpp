// Exact vertex merging in an open-addressing table of vertex indices (linear probing).
#include "VertexWelder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include <sys/mman.h>

namespace kzstl
{
namespace
{
// The most an ON_Mesh can index with its int counts and face indices.
constexpr uint64_t kMaxElements = uint64_t(std::numeric_limits<int>::max());

// Bit pattern of a coordinate with -0 folded into +0, so that equal floats hash alike.
uint64_t Key(float coordinate)
{
    uint32_t bits;
    std::memcpy(&bits, &coordinate, sizeof bits);
    return bits == 0x80000000u ? 0u : bits;
}

uint64_t Hash(const float* position)
{
    // Three floats in a row: a corner as read, or the x, y and z of a stored vertex.
    uint64_t h = (Key(position[0]) | Key(position[1]) << 32) * 0x9E3779B97F4A7C15ull;
    h ^= Key(position[2]) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 32);
}

// Fresh memory costs a page fault for every 4 KiB touched, which can cost more than the reading
// and welding; the weld table asks the system for 2 MiB pages where it grants them on request, as
// the openNURBS arrays of the mesh do by themselves. Only whole 2 MiB stretches inside the block
// can be such pages.
void AskForLargePages(void* block, size_t bytes)
{
    constexpr uintptr_t kLargePage = uintptr_t(2) << 20;
    const uintptr_t first = (reinterpret_cast<uintptr_t>(block) + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t last = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(kLargePage - 1);
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE); // advice only
}

// Room for `count` elements.
template <class T> void Reserve(ON_SimpleArray<T>& array, uint64_t count)
{
    if (count > uint64_t(array.Capacity()))
        array.SetCapacity(int(count));
}

// Makes room for at least `needed` elements: twice as much as before, capped at what a mesh can
// index.
template <class T> void MakeRoom(ON_SimpleArray<T>& array, uint64_t needed)
{
    if (needed > kMaxElements)
        throw std::length_error("more elements than a mesh can index");
    if (needed > uint64_t(array.Capacity()))
        Reserve(array, std::min(std::max(needed, 2 * uint64_t(array.Capacity())), kMaxElements));
}

// An empty table of the given size, touched only after the advice.
void ResetTable(std::vector<uint64_t>& slots, size_t size)
{
    slots = {};
    slots.reserve(size);
    AskForLargePages(slots.data(), sizeof(uint64_t) * size);
    slots.assign(size, 0);
}
} // namespace

VertexWelder::VertexWelder(ON_Mesh& mesh, uint64_t expectedTriangles) : m_mesh(mesh)
{
    // One slot per expected triangle: the table of a closed surface ends half full. Its memory is
    // much of the reader's, so it is not rounded up to a power of two.
    ResetTable(m_slots, size_t(std::max<uint64_t>(expectedTriangles, 16)));
    MakeRoom(m_mesh.m_F, expectedTriangles);
    MakeRoom(m_mesh.m_V, expectedTriangles / 2 + 3);
}

void VertexWelder::ReserveMesh(uint64_t triangles)
{
    if (triangles <= uint64_t(m_mesh.m_F.Capacity()))
        return;
    triangles = std::min(triangles + triangles / 8, kMaxElements);
    Reserve(m_mesh.m_F, triangles);
    Reserve(m_mesh.m_V, triangles / 2 + 3);
}

void VertexWelder::AddTriangles(const float* corners, size_t triangleCount)
{
    MakeRoom(m_mesh.m_F, uint64_t(m_mesh.m_F.Count()) + triangleCount);
    // Finding a batch's slots ahead and prefetching them overlaps the table's cache misses.
    constexpr size_t kBatch = 30; // ten triangles
    uint64_t hashes[kBatch];
    const size_t cornerCount = 3 * triangleCount;
    for (size_t start = 0; start < cornerCount; start += kBatch)
    {
        const size_t count = std::min(kBatch, cornerCount - start);
        const float* batch = corners + 3 * start;
        for (size_t i = 0; i < count; ++i)
        {
            hashes[i] = Hash(batch + 3 * i);
            __builtin_prefetch(&m_slots[SlotOf(hashes[i])]);
        }
        for (size_t i = 0; i < count; i += 3)
        {
            ON_MeshFace& face = m_mesh.m_F.Array()[m_mesh.m_F.Count()];
            face.vi[0] = FindOrAdd(batch + 3 * i, hashes[i]);
            face.vi[1] = FindOrAdd(batch + 3 * (i + 1), hashes[i + 1]);
            face.vi[3] = face.vi[2] = FindOrAdd(batch + 3 * (i + 2), hashes[i + 2]);
            m_mesh.m_F.SetCount(m_mesh.m_F.Count() + 1);
        }
    }
}

int VertexWelder::FindOrAdd(const float* position, uint64_t hash)
{
    ON_SimpleArray<ON_3fPoint>& vertices = m_mesh.m_V;
    for (size_t slot = SlotOf(hash);; slot = slot + 1 == m_slots.size() ? 0 : slot + 1)
    {
        const uint64_t entry = m_slots[slot];
        if (entry == 0)
        {
            const int index = vertices.Count();
            MakeRoom(vertices, uint64_t(index) + 1);
            vertices.Append(ON_3fPoint(position[0], position[1], position[2]));
            m_slots[slot] = hash << 32 | (uint64_t(index) + 1);
            if (2 * uint64_t(vertices.Count()) > m_slots.size())
                GrowTable();
            return index;
        }
        if (entry >> 32 != (hash & 0xFFFFFFFFu))
            continue;
        const int index = int(uint32_t(entry) - 1);
        const ON_3fPoint& vertex = vertices[index];
        if (vertex.x == position[0] && vertex.y == position[1] && vertex.z == position[2])
            return index;
    }
}

void VertexWelder::GrowTable()
{
    ResetTable(m_slots, 2 * m_slots.size());
    for (int index = 0; index < m_mesh.m_V.Count(); ++index)
    {
        const ON_3fPoint& vertex = m_mesh.m_V[index];
        const float position[3] = {vertex.x, vertex.y, vertex.z};
        const uint64_t hash = Hash(position);
        size_t slot = SlotOf(hash);
        while (m_slots[slot] != 0)
            slot = slot + 1 == m_slots.size() ? 0 : slot + 1;
        m_slots[slot] = hash << 32 | (uint64_t(index) + 1);
    }
}

void VertexWelder::Finish()
{
    m_slots = {};
    m_mesh.m_V.SetCapacity(m_mesh.m_V.Count());
    m_mesh.m_F.SetCapacity(m_mesh.m_F.Count());
}
} // namespace kzstl
