#include "BinaryStlReader.h"

#include "StlFailure.h"
#include "VertexWelder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace kzstl
{
namespace
{
// Records read at a time: large enough to make reads cheap, small enough to stay in cache.
constexpr uint32_t kRecordsPerChunk = 8192;

uint32_t LittleEndianWord(const unsigned char* bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

// All exponent bits set: infinity or NaN.
bool IsNonFinite(uint32_t bits)
{
    return (bits & 0x7F800000u) == 0x7F800000u;
}
} // namespace

uint32_t ReadBinaryTriangleCount(const StlFile& file)
{
    unsigned char count[4];
    file.ReadAt(kBinaryHeaderSize - 4, count, sizeof count);
    return LittleEndianWord(count);
}

void ReadBinaryStl(const StlFile& file, uint32_t count, ON_Mesh& mesh)
{
    VertexWelder welder(mesh, count);
    const uint32_t chunkRecords = std::min(count, kRecordsPerChunk);
    std::unique_ptr<unsigned char[]> records(new unsigned char[chunkRecords * kBinaryRecordSize]);
    std::unique_ptr<float[]> corners(new float[chunkRecords * 9]);
    for (uint32_t first = 0; first < count; first += chunkRecords)
    {
        const uint32_t n = std::min(chunkRecords, count - first);
        file.ReadAt(kBinaryHeaderSize + first * kBinaryRecordSize, records.get(), n * kBinaryRecordSize);
        for (uint32_t r = 0; r < n; ++r)
        {
            // The corners follow the 12 bytes of the stored normal.
            const unsigned char* corner = records.get() + r * kBinaryRecordSize + 12;
            uint32_t nonFinite = 0;
            for (int i = 0; i < 9; ++i)
            {
                const uint32_t bits = LittleEndianWord(corner + 4 * i);
                nonFinite |= IsNonFinite(bits);
                corners[9 * r + i] = std::bit_cast<float>(bits);
            }
            if (nonFinite)
            {
                StlFailure failure{Problem::NonFiniteVertex};
                failure.facet = uint64_t(first) + r + 1;
                throw failure;
            }
        }
        welder.AddTriangles(corners.get(), n);
    }
    welder.Finish();
}
} // namespace kzstl
