// An STL file opened for reading by its wide path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kzstl
{
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

private:
    int m_descriptor = -1;
    uint64_t m_size = 0;
};
} // namespace kzstl
