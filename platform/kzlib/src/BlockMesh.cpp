#include "BlockMesh.h"

#include <algorithm>

namespace kzstl
{
namespace
{
// The most facets foreseen for each one read: what a wrong estimate can cost stays in proportion
// to the block, and a block of a million facets is foreseen after a few thousand.
constexpr uint64_t kMostAheadPerFacet = 64;
} // namespace

bool BlockMesh::Add(const float* corners)
{
    std::copy_n(corners, 9, m_pending + 9 * m_pendingCount);
    ++m_facetCount;
    return ++m_pendingCount == kBatch;
}

void BlockMesh::Weld(uint64_t offset)
{
    WeldPending(ExpectedFacets(offset));
}

void BlockMesh::Finish()
{
    WeldPending(m_facetCount);
    if (m_welder)
        m_welder->Finish();
}

uint64_t BlockMesh::ExpectedFacets(uint64_t offset) const
{
    const uint64_t most = kMostAheadPerFacet * m_facetCount;
    if (offset <= m_begin || m_fileSize <= m_begin)
        return m_facetCount;
    const double atThisRate = double(m_facetCount) * double(m_fileSize - m_begin) / double(offset - m_begin);
    return std::max(m_facetCount, atThisRate < double(most) ? uint64_t(atThisRate) : most);
}

void BlockMesh::WeldPending(uint64_t expectedFacets)
{
    if (m_pendingCount == 0)
        return;
    if (m_welder)
        m_welder->Expect(expectedFacets);
    else
        m_welder.emplace(m_meshes.AppendNew(), expectedFacets);
    m_welder->AddTriangles(m_pending, m_pendingCount);
    m_pendingCount = 0;
}
} // namespace kzstl
