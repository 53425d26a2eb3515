// Exact vertex merging in an open-addressing table of vertex indices (linear probing).
#include "VertexWelder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace kzstl
{
namespace
{
// The highest vertex count an ON_Mesh can index with its int face indices.
constexpr uint64_t kMaxVertices = uint64_t(std::numeric_limits<int>::max());

// Bit pattern of a coordinate with -0 folded into +0, so that equal floats hash alike.
uint64_t Key(float coordinate)
{
    uint32_t bits;
    std::memcpy(&bits, &coordinate, sizeof bits);
    return bits == 0x80000000u ? 0u : bits;
}

uint64_t Hash(const float* position)
{
    uint64_t h = (Key(position[0]) | Key(position[1]) << 32) * 0x9E3779B97F4A7C15ull;
    h ^= Key(position[2]) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 32);
}
} // namespace

VertexWelder::VertexWelder(uint64_t expectedTriangles)
{
    // Two slots per triangle: a closed surface has about half as many vertices as triangles,
    // so the table starts a quarter full and grows only for meshes that share few corners.
    int bits = 4;
    while ((uint64_t(1) << bits) < 2 * expectedTriangles && bits < 40)
        ++bits;
    m_slots.assign(size_t(1) << bits, 0);
    m_mask = (uint64_t(1) << bits) - 1;
    m_shift = 64 - bits;
    m_mesh.corners.reserve(size_t(3 * expectedTriangles));
    m_mesh.vertices.reserve(size_t(3 * expectedTriangles / 2 + 3));
}

void VertexWelder::AddTriangles(const float* corners, size_t triangleCount)
{
    // Hashing a batch ahead and prefetching its slots overlaps the table's cache misses.
    constexpr size_t kBatch = 32;
    uint64_t hashes[kBatch];
    const size_t cornerCount = 3 * triangleCount;
    for (size_t start = 0; start < cornerCount; start += kBatch)
    {
        const size_t count = std::min(kBatch, cornerCount - start);
        const float* batch = corners + 3 * start;
        for (size_t i = 0; i < count; ++i)
        {
            hashes[i] = Hash(batch + 3 * i);
            __builtin_prefetch(&m_slots[hashes[i] >> m_shift]);
        }
        for (size_t i = 0; i < count; ++i)
            m_mesh.corners.push_back(FindOrAdd(batch + 3 * i, hashes[i]));
    }
}

uint32_t VertexWelder::FindOrAdd(const float* position, uint64_t hash)
{
    for (uint64_t slot = hash >> m_shift;; slot = (slot + 1) & m_mask)
    {
        const uint32_t entry = m_slots[slot];
        if (entry == 0)
        {
            const uint64_t index = m_mesh.vertices.size() / 3;
            if (index >= kMaxVertices)
                throw std::length_error("more vertices than a mesh can hold");
            m_slots[slot] = uint32_t(index + 1);
            m_mesh.vertices.insert(m_mesh.vertices.end(), position, position + 3);
            if (2 * (index + 1) > m_slots.size())
                Grow();
            return uint32_t(index);
        }
        const float* vertex = &m_mesh.vertices[3 * size_t(entry - 1)];
        if (vertex[0] == position[0] && vertex[1] == position[1] && vertex[2] == position[2])
            return entry - 1;
    }
}

void VertexWelder::Grow()
{
    m_slots.assign(2 * m_slots.size(), 0);
    m_mask = m_slots.size() - 1;
    --m_shift;
    const size_t vertexCount = m_mesh.vertices.size() / 3;
    for (size_t index = 0; index < vertexCount; ++index)
    {
        uint64_t slot = Hash(&m_mesh.vertices[3 * index]) >> m_shift;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & m_mask;
        m_slots[slot] = uint32_t(index + 1);
    }
}

StlMesh VertexWelder::TakeMesh()
{
    m_slots = {};
    return std::move(m_mesh);
}
} // namespace kzstl
