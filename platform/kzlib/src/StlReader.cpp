#include "StlReader.h"

#include "AsciiStlParser.h"
#include "BinaryStlReader.h"
#include "StlFailure.h"
#include "StlFile.h"

#include <algorithm>
#include <limits>
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

void ReadBinary(const StlFile& file, uint32_t count, ON_ClassArray<ON_Mesh>& meshes)
{
    if (count > kMaxFacets)
        Fail(Problem::TooLarge);
    if (count > 0)
        ReadBinaryStl(file, count, meshes.AppendNew());
}

// Takes away the meshes from index `count` on.
void CutBack(ON_ClassArray<ON_Mesh>& meshes, int count)
{
    for (int i = count; i < meshes.Count(); ++i)
        meshes[i].Destroy();
    meshes.SetCount(count);
}

// Text never holds a null byte, and binary records nearly always do.
bool HoldsNullByte(const StlFile& file)
{
    bool found = false;
    file.ForEachChunk(
        [&](uint64_t, const char* bytes, size_t size)
        {
            found = std::find(bytes, bytes + size, '\0') != bytes + size;
            return !found;
        });
    return found;
}

void Read(const StlFile& file, ON_ClassArray<ON_Mesh>& meshes)
{
    const uint64_t size = file.Size();
    if (size == 0)
        Fail(Problem::Empty);
    std::optional<uint32_t> count;
    if (size >= kBinaryHeaderSize)
        count = ReadBinaryTriangleCount(file);
    // 64 bits: 84 + 50 * count wraps in 32.
    const uint64_t needed = count ? kBinaryHeaderSize + kBinaryRecordSize * *count : kBinaryHeaderSize;
    if (count && size == needed)
        return ReadBinary(file, *count, meshes);

    std::optional<StlFailure> asciiFailure;
    char start[4096];
    const size_t startSize = size_t(std::min<uint64_t>(size, sizeof start));
    file.ReadAt(0, start, startSize);
    if (BeginsLikeAsciiStl(start, startSize))
    {
        const int countBefore = meshes.Count();
        try
        {
            ParseAsciiStl(file, meshes);
            return;
        }
        catch (const StlFailure& failure)
        {
            CutBack(meshes, countBefore);
            // A binary file whose header begins with "solid" is better told what is wrong with it
            // as binary.
            if (!HoldsNullByte(file))
                asciiFailure = failure;
        }
    }
    if (count && size > needed)
        return ReadBinary(file, *count, meshes);
    if (asciiFailure)
        throw *asciiFailure;
    StlFailure failure{count ? Problem::BinaryTooShort : Problem::NotStl};
    failure.count = count.value_or(0);
    failure.needed = needed;
    failure.size = size;
    throw failure;
}
} // namespace

void ReadStl(const std::wstring& path, ON_ClassArray<ON_Mesh>& meshes)
{
    const StlFile file(path);
    const int countBefore = meshes.Count();
    try
    {
        Read(file, meshes);
    }
    catch (...)
    {
        CutBack(meshes, countBefore);
        throw;
    }
}
} // namespace kzstl
