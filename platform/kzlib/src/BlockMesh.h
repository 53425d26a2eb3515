// The mesh of one solid block of an ASCII file, built as its facets come.
#pragma once

#include "VertexWelder.h"

#include "opennurbs.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kzstl
{
// The block's mesh is appended to the array when its first facets are welded, so that a block
// without facets gives none. Facets are welded a batch at a time. Once the block has shown that it
// is not small, its mesh's arrays are given room at once for the facets that the rest of the file
// holds at the rate of the text read so far, which costs only address space until used and spares
// copying them as they grow; the weld table grows as vertices come, since it is written whole when
// made.
class BlockMesh
{
public:
    // The file's size, and the offset in it where the block's facets begin.
    BlockMesh(ON_ClassArray<ON_Mesh>& meshes, uint64_t fileSize, uint64_t begin)
        : m_meshes(meshes), m_fileSize(fileSize), m_begin(begin)
    {
    }
    BlockMesh(const BlockMesh&) = delete;
    BlockMesh& operator=(const BlockMesh&) = delete;

    // Keeps a facet's three corners, nine floats; true when a batch is full and waits for Weld.
    bool Add(const float* corners);
    // Welds the batch; `offset` says about how far the text has been read.
    void Weld(uint64_t offset);
    // Welds what is left and gives the mesh back the room it did not use.
    void Finish();

private:
    static constexpr size_t kBatch = 256;

    uint64_t ExpectedFacets(uint64_t offset) const;
    void WeldPending(uint64_t expectedFacets);

    ON_ClassArray<ON_Mesh>& m_meshes;
    const uint64_t m_fileSize;
    const uint64_t m_begin;
    float m_pending[9 * kBatch];
    size_t m_pendingCount = 0;
    uint64_t m_facetCount = 0;
    std::optional<VertexWelder> m_welder;
};
} // namespace kzstl
