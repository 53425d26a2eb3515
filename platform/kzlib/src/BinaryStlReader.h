// The binary form: an 80-byte header, a little-endian 32-bit triangle count, then 50 bytes per
// triangle (normal, three corners, an attribute word).
#pragma once

#include "StlFile.h"

#include "opennurbs.h"

#include <cstdint>

namespace kzstl
{
constexpr uint64_t kBinaryHeaderSize = 84;
constexpr uint64_t kBinaryRecordSize = 50;

// The count stored in bytes 80 to 83; the file must have at least 84 bytes.
uint32_t ReadBinaryTriangleCount(const StlFile& file);

// Reads the first `count` records (the file must hold them) in chunks into the empty mesh, merging
// as it goes. The stored normal and the attribute word are not used. Throws StlFailure for a
// corner that is not a finite number.
void ReadBinaryStl(const StlFile& file, uint32_t count, ON_Mesh& mesh);
} // namespace kzstl
