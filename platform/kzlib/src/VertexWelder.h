// Builds one mesh from triangles, merging corners that stand at exactly the same position.
#pragma once

#include "opennurbs.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kzstl
{
// Fills an empty mesh: its distinct positions go to m_V, in the order of their first appearance
// and with the value seen first, and one face (a, b, c, c) per triangle to m_F, in order. Positions are
// compared as floats, so -0 and +0 are one position; corners must be finite. Throws
// std::length_error beyond what a mesh can index, std::bad_alloc when memory runs out.
class VertexWelder
{
public:
    // Room for the expected triangles is made at once (a closed surface has about half as many
    // vertices as triangles); more triangles make more room as they come.
    VertexWelder(ON_Mesh& mesh, uint64_t expectedTriangles);
    VertexWelder(const VertexWelder&) = delete;
    VertexWelder& operator=(const VertexWelder&) = delete;

    // Room in the mesh's arrays alone for an estimate of the triangles in all (and an eighth more),
    // which costs only address space until it is used; the weld table is left as it is.
    void ReserveMesh(uint64_t triangles);

    // Triangles given as nine floats each (three corners of x, y, z).
    void AddTriangles(const float* corners, size_t triangleCount);

    // Gives the mesh's arrays back the room they did not use.
    void Finish();

private:
    // The home slot of a hash: its high half scaled to the table's size.
    size_t SlotOf(uint64_t hash) const { return size_t((hash >> 32) * m_slots.size() >> 32); }
    int FindOrAdd(const float* position, uint64_t hash);
    void GrowTable();

    ON_Mesh& m_mesh;
    // Vertex index + 1 in the low half, 0 marking a free slot; the hash's low half in the high half,
    // so that a probe rarely needs to look at a vertex that is not the one sought.
    std::vector<uint64_t> m_slots;
};
} // namespace kzstl
