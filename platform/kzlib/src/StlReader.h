// Reads an STL file of either form into its meshes.
#pragma once

#include "StlMesh.h"

#include <string>
#include <vector>

namespace kzstl
{
// One mesh per solid block of an ASCII file, one for a binary file; blocks without facets and a
// binary file of 0 triangles give none. The form is told as follows: a file of exactly
// 84 + 50 * count bytes is binary whatever its header says (many binary headers begin with
// "solid"); otherwise a file that begins with "solid" is read as ASCII; one that does not read
// as ASCII but holds more bytes than its count needs is binary with extra bytes at its end.
// Throws StlFailure.
std::vector<StlMesh> ReadStl(const std::wstring& path);
} // namespace kzstl
