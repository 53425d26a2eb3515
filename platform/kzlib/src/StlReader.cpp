#include "StlReader.h"

#include "AsciiStlParser.h"
#include "BinaryStlReader.h"
#include "StlFailure.h"
#include "StlFile.h"
#include "VertexWelder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

namespace kzstl
{
namespace
{
// An ON_Mesh indexes its faces with int.
constexpr uint64_t kMaxFacets = uint64_t(std::numeric_limits<int>::max());

[[noreturn]] void Fail(Problem problem)
{
    throw StlFailure{problem};
}

std::vector<StlMesh> ReadBinary(const StlFile& file, uint32_t count)
{
    if (count > kMaxFacets)
        Fail(Problem::TooLarge);
    std::vector<StlMesh> meshes;
    if (count > 0)
        meshes.push_back(ReadBinaryStl(file, count));
    return meshes;
}

std::vector<StlMesh> WeldBlocks(std::vector<std::vector<float>> blocks)
{
    std::vector<StlMesh> meshes;
    for (std::vector<float>& corners : blocks)
    {
        const size_t facets = corners.size() / 9;
        if (facets > kMaxFacets)
            Fail(Problem::TooLarge);
        VertexWelder welder(facets);
        welder.AddTriangles(corners.data(), facets);
        corners = {};
        meshes.push_back(welder.TakeMesh());
    }
    return meshes;
}
} // namespace

std::vector<StlMesh> ReadStl(const std::wstring& path)
{
    const StlFile file(path);
    const uint64_t size = file.Size();
    if (size == 0)
        Fail(Problem::Empty);
    std::optional<uint32_t> count;
    if (size >= kBinaryHeaderSize)
        count = ReadBinaryTriangleCount(file);
    // 64 bits: 84 + 50 * count wraps in 32.
    const uint64_t needed = count ? kBinaryHeaderSize + kBinaryRecordSize * *count : kBinaryHeaderSize;
    if (count && size == needed)
        return ReadBinary(file, *count);

    // The whole text is read only for a file that begins as ASCII does (within its first
    // kilobytes), so that a binary file with extra bytes is still read in pieces.
    std::optional<StlFailure> asciiFailure;
    char start[4096];
    const size_t startSize = size_t(std::min<uint64_t>(size, sizeof start));
    file.ReadAt(0, start, startSize);
    if (BeginsLikeAsciiStl(start, startSize))
    {
        std::unique_ptr<char[]> text(new char[size]);
        file.ReadAt(0, text.get(), size);
        std::optional<std::vector<std::vector<float>>> blocks;
        try
        {
            blocks = ParseAsciiStl(text.get(), size);
        }
        catch (const StlFailure& failure)
        {
            // Text never holds a null byte and binary records nearly always do: a binary file
            // whose header begins with "solid" is better told what is wrong with it as binary.
            if (!std::memchr(text.get(), 0, size))
                asciiFailure = failure;
        }
        if (blocks)
        {
            text.reset();
            return WeldBlocks(std::move(*blocks));
        }
    }
    if (count && size > needed)
        return ReadBinary(file, *count);
    if (asciiFailure)
        throw *asciiFailure;
    StlFailure failure{count ? Problem::BinaryTooShort : Problem::NotStl};
    failure.count = count.value_or(0);
    failure.needed = needed;
    failure.size = size;
    throw failure;
}
} // namespace kzstl
