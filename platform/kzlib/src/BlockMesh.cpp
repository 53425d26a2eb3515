#include "BlockMesh.h"

#include <algorithm>
#include <limits>

namespace kzstl
{
namespace
{
// The facets a block shows before room is made for those the rest of the file foretells, so that
// a small block, of which a file may hold thousands, never pays for room it does not use.
constexpr uint64_t kFacetsBeforeForesight = 4096;
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
    if (offset <= m_begin || m_fileSize <= m_begin)
        return m_facetCount;
    const double atThisRate = double(m_facetCount) * double(m_fileSize - m_begin) / double(offset - m_begin);
    // No mesh indexes more.
    return std::max(m_facetCount, uint64_t(std::min(atThisRate, double(std::numeric_limits<int>::max()))));
}

void BlockMesh::WeldPending(uint64_t expectedFacets)
{
    if (m_pendingCount == 0)
        return;
    if (!m_welder)
        m_welder.emplace(m_meshes.AppendNew(), m_facetCount);
    else if (m_facetCount >= kFacetsBeforeForesight)
        m_welder->ReserveMesh(expectedFacets);
    m_welder->AddTriangles(m_pending, m_pendingCount);
    m_pendingCount = 0;
}
} // namespace kzstl
