// The ASCII form: solid blocks of facets, keywords in any letter case, any white space between
// tokens (line ends LF, CRLF or CR).
#pragma once

#include "StlFile.h"

#include "opennurbs.h"

#include <cstddef>

namespace kzstl
{
// True when the text, after an optional UTF-8 byte-order mark and white space, begins with
// "solid" in any letter case.
bool BeginsLikeAsciiStl(const char* data, size_t size);

// Appends one mesh per solid block that has facets, its facets in file order. A facet is the
// vertex triple between facet boundaries ("facet", "endfacet", "endsolid"; the loop keywords are
// optional), so a facet that lacks one of its keywords is still read; one of other than three
// vertices is an error. Throws StlFailure, leaving the meshes it appended.
void ParseAsciiStl(const StlFile& file, ON_ClassArray<ON_Mesh>& meshes);
} // namespace kzstl
