// One mesh as the reader builds it, before it becomes an ON_Mesh.
#pragma once

#include <cstdint>
#include <vector>

namespace kzstl
{
struct StlMesh
{
    std::vector<float> vertices;   // x, y, z of each distinct position, in order of first appearance
    std::vector<uint32_t> corners; // three vertex indices per facet, in file order
};
} // namespace kzstl
