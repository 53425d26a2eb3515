// Builds one mesh from triangles, merging corners that stand at exactly the same position.
#pragma once

#include "StlMesh.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kzstl
{
// Positions are compared as floats, so -0 and +0 are one position; corners must be finite.
// Vertices keep the order of their first appearance and the value seen first. The hash table
// is sized from the expected facet count and grows only when the triangles share no corners.
class VertexWelder
{
public:
    explicit VertexWelder(uint64_t expectedTriangles);

    // Adds triangles given as nine floats each (three corners of x, y, z).
    void AddTriangles(const float* corners, size_t triangleCount);

    // Hands out the mesh; the welder is left empty.
    StlMesh TakeMesh();

private:
    uint32_t FindOrAdd(const float* position, uint64_t hash);
    void Grow();

    StlMesh m_mesh;
    std::vector<uint32_t> m_slots; // vertex index + 1; 0 marks a free slot
    uint64_t m_mask = 0;
    int m_shift = 0;
};
} // namespace kzstl
