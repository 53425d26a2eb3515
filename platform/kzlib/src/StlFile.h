// An STL file opened for reading by its wide path.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kzstl
{
// Bytes read at a time where a file is read chunk by chunk. The fuzz build makes chunks tiny, so
// that its small inputs cross the ends of many chunks.
#ifdef FACETOR_STL_CHUNK_SIZE
constexpr size_t kChunkSize = FACETOR_STL_CHUNK_SIZE;
#else
constexpr size_t kChunkSize = 256 * 1024;
#endif

// Only regular files are opened, and without waiting, so that a pipe or device never blocks
// the reader. Throws StlFailure.
class StlFile
{
public:
    explicit StlFile(const std::wstring& path);
    ~StlFile();
    StlFile(const StlFile&) = delete;
    StlFile& operator=(const StlFile&) = delete;

    // The size when the file was opened; reads never go past it.
    uint64_t Size() const { return m_size; }

    // Fills the buffer from the offset, or throws when the file has fewer bytes than that.
    void ReadAt(uint64_t offset, void* buffer, size_t size) const;

    // Hands the file to visit(offset, bytes, size) in chunks of at most kChunkSize bytes, in
    // order, until visit returns false.
    template <class Visit> void ForEachChunk(Visit visit) const
    {
        std::unique_ptr<char[]> chunk(new char[std::max<size_t>(1, std::min<uint64_t>(kChunkSize, m_size))]);
        for (uint64_t offset = 0; offset < m_size;)
        {
            const size_t size = size_t(std::min<uint64_t>(kChunkSize, m_size - offset));
            ReadAt(offset, chunk.get(), size);
            if (!visit(offset, chunk.get(), size))
                return;
            offset += size;
        }
    }

private:
    int m_descriptor = -1;
    uint64_t m_size = 0;
};
} // namespace kzstl
