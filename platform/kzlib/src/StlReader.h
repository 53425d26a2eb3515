// Reads an STL file of either form into its meshes.
#pragma once

#include "opennurbs.h"

#include <string>

namespace kzstl
{
// Appends one mesh per solid block of an ASCII file, one for a binary file; blocks without facets
// and a binary file of 0 triangles give none. The form is told as follows: a file of exactly
// 84 + 50 * count bytes is binary whatever its header says (many binary headers begin with
// "solid"); otherwise a file that begins with "solid" is read as ASCII; one that does not read
// as ASCII but holds more bytes than its count needs is binary with extra bytes at its end.
// All or nothing: throws StlFailure (or std::length_error, std::bad_alloc) with the array as it
// was.
void ReadStl(const std::wstring& path, ON_ClassArray<ON_Mesh>& meshes);
} // namespace kzstl
