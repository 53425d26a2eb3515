#include "StlText.h"

#include <algorithm>
#include <cstring>

namespace kzstl
{
StlText::StlText(const StlFile& file)
    : m_file(file), m_capacity(std::max<size_t>(1, std::min<uint64_t>(kChunkSize, file.Size()))),
      m_buffer(new char[m_capacity])
{
    m_p = m_end = m_buffer.get();
    Refill(m_p);
    if (size_t(m_end - m_p) >= 3 && std::memcmp(m_p, kByteOrderMark, 3) == 0)
        m_p += 3;
}

bool StlText::Refill(const char* keep)
{
    const size_t kept = size_t(m_end - keep);
    std::memmove(m_buffer.get(), keep, kept);
    m_bufferOffset += uint64_t(keep - m_buffer.get());
    const size_t room = m_capacity - kept;
    const size_t size = size_t(std::min<uint64_t>(room, m_file.Size() - m_readOffset));
    m_file.ReadAt(m_readOffset, m_buffer.get() + kept, size);
    m_readOffset += size;
    m_p = m_buffer.get() + (m_p - keep);
    m_end = m_buffer.get() + kept + size;
    return size > 0;
}

TextToken StlText::Next()
{
    for (;;)
    {
        while (m_p != m_end && IsSpace(*m_p))
            ++m_p;
        if (m_p != m_end || !Refill(m_p))
            break;
    }
    const char* first = m_p;
    for (;;)
    {
        while (m_p != m_end && !IsSpace(*m_p))
            ++m_p;
        // A token that reaches the end of the buffer may go on in the file.
        if (m_p != m_end || (first == m_buffer.get() && m_end == m_buffer.get() + m_capacity))
            break;
        const bool more = Refill(first);
        first = m_buffer.get(); // where Refill moved it
        if (!more)
            break;
    }
    return TextToken{first, m_p, m_bufferOffset + uint64_t(first - m_buffer.get())};
}

void StlText::SkipRestOfLine()
{
    for (;;)
    {
        while (m_p != m_end && *m_p != '\n' && *m_p != '\r')
            ++m_p;
        if (m_p != m_end || !Refill(m_p))
            return;
    }
}

uint64_t StlText::LineAt(uint64_t offset) const
{
    uint64_t line = 1;
    bool afterCarriageReturn = false;
    m_file.ForEachChunk(
        [&](uint64_t first, const char* bytes, size_t size)
        {
            for (size_t i = 0; i < size; ++i)
            {
                // A CR ends a line unless an LF follows it, and then the LF does.
                if (afterCarriageReturn && bytes[i] != '\n')
                    ++line;
                afterCarriageReturn = false;
                if (first + i >= offset)
                    return false;
                if (bytes[i] == '\n')
                    ++line;
                afterCarriageReturn = bytes[i] == '\r';
            }
            return true;
        });
    if (afterCarriageReturn) // the file's last byte, a CR, lies before the offset
        ++line;
    return line;
}

uint64_t StlText::LastLine() const
{
    uint64_t end = 0;
    m_file.ForEachChunk(
        [&](uint64_t first, const char* bytes, size_t size)
        {
            for (size_t i = 0; i < size; ++i)
                if (!IsSpace(bytes[i]))
                    end = first + i + 1;
            return true;
        });
    return LineAt(end);
}
} // namespace kzstl
