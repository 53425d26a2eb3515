// The text of an ASCII STL file, read chunk by chunk into one buffer of kChunkSize bytes (or the
// file's size, when that is less), so that memory stays small and the text stays in cache
// whatever the file's size. A token longer than the buffer is cut after that many bytes.
#pragma once

#include "StlFile.h"

#include <cstdint>
#include <memory>

namespace kzstl
{
inline constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

struct TextToken
{
    const char* first;
    const char* last;
    uint64_t offset; // of first, in the file

    bool Empty() const { return first == last; }
    size_t Length() const { return size_t(last - first); }
};

// Space, tab, line feed, vertical tab, form feed and carriage return.
inline bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

class StlText
{
public:
    // Starts at the beginning of the file, after a UTF-8 byte-order mark if there is one.
    explicit StlText(const StlFile& file);

    // The next run of bytes that are not white space; empty at the end of the file. It stays valid
    // until the next call.
    TextToken Next();
    // Passes over everything up to the next line end.
    void SkipRestOfLine();

    // The line, from 1, of the byte at the offset; LF, CRLF and a lone CR each end a line. Reads
    // the file again: meant for error messages.
    uint64_t LineAt(uint64_t offset) const;
    // The line on which the file's last byte that is not white space stands (1 for none).
    uint64_t LastLine() const;

private:
    // Moves the bytes from keep on to the front of the buffer and fills the rest from the file;
    // false when the file had no more bytes.
    bool Refill(const char* keep);

    const StlFile& m_file;
    const size_t m_capacity;
    std::unique_ptr<char[]> m_buffer;
    const char* m_p;
    const char* m_end;
    uint64_t m_bufferOffset = 0; // of m_buffer[0], in the file
    uint64_t m_readOffset = 0;   // of the first byte not read yet
};
} // namespace kzstl
