#include "TextPiece.h"

#include "StlNumber.h"
#include "StlText.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <system_error>

namespace kzstl
{
namespace
{
// Bytes read at a time past a piece's nominal end, looking for the end of its last line.
constexpr size_t kLineStep = 256;

bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

const char* FindLineEnd(const char* first, const char* last)
{
    return std::find_if(first, last, IsLineEnd);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool MayBeginNumber(char c)
{
    return IsDigit(c) || c == '-' || c == '.';
}

// The end of the number in plain decimal notation (a minus sign, digits with a point, an
// exponent; each but the digits optional) that begins at p, or null. Every such number is valid,
// and that is all there is to know about the three components of a facet's normal, whose values
// are not used; anything else is left to the full reading.
const char* PlainDecimalEnd(const char* p)
{
    if (*p == '-')
        ++p;
    const char* digits = p;
    while (IsDigit(*p))
        ++p;
    bool anyDigit = p != digits;
    if (*p == '.')
    {
        digits = ++p;
        while (IsDigit(*p))
            ++p;
        anyDigit = anyDigit || p != digits;
    }
    if (!anyDigit)
        return nullptr;
    if ((*p | 0x20) == 'e')
    {
        ++p;
        if (*p == '+' || *p == '-')
            ++p;
        digits = p;
        while (IsDigit(*p))
            ++p;
        if (p == digits)
            return nullptr;
    }
    return p;
}

const char* SkipSpace(const char* p)
{
    while (IsSpace(*p))
        ++p;
    return p;
}

// Bytes after a piece's text in the buffer: a space and a non-space byte, so that no scanning loop
// needs to look for the end, and room for a keyword compared in place.
constexpr size_t kAfterText = 2 + 8;

// Turns the text of a piece into words. A number is read where it begins: most tokens are numbers
// in a form that from_chars reads, or components of a normal, only checked; other tokens are read
// whole. A facet in its usual form is read at once.
class PieceScanner
{
public:
    // The text ends at `end`, followed by kAfterText bytes; the arrays have room for a word for
    // every two bytes of text.
    PieceScanner(const char* end, Word* words, float* numbers) : m_end(end), m_word(words), m_number(numbers)
    {
    }

    void Scan(const char* p)
    {
        for (;;)
        {
            p = SkipSpace(p);
            if (p >= m_end)
                return;
            // The three tokens after "normal" are its components, whatever they hold.
            const char* next = m_normalComponentsDue == 0 ? ReadUsualFacet(p) : nullptr;
            p = next ? next : ReadToken(p);
        }
    }

    Word* WordsEnd() const { return m_word; }

private:
    // The end of the number that begins at p, read into value, or null when the token is not one
    // from_chars reads whole.
    const char* NumberEnd(const char* p, float& value) const
    {
        if (p >= m_end || !MayBeginNumber(*p))
            return nullptr;
        const std::from_chars_result number = std::from_chars(p, m_end, value);
        return number.ec == std::errc() && IsWholeToken(p, number.ptr) ? number.ptr : nullptr;
    }

    // The end of the normal's component that begins at p, or null when it is not in plain decimal
    // notation.
    static const char* NormalComponentEnd(const char* p)
    {
        const char* last = PlainDecimalEnd(p);
        return last && IsWholeToken(p, last) ? last : nullptr;
    }

    // A token ends at white space; one longer than a chunk the in-order reader would cut.
    static bool IsWholeToken(const char* first, const char* last)
    {
        return IsSpace(*last) && size_t(last - first) <= kChunkSize;
    }

    template <size_t N> static const char* AfterKeyword(const char* p, const char (&keyword)[N])
    {
        return SpellsKeyword(p, keyword) && IsSpace(p[N - 1]) ? SkipSpace(p + N - 1) : nullptr;
    }

    static const char* AfterToken(const char* last) { return last ? SkipSpace(last) : nullptr; }

    // "facet normal" and three numbers, "outer loop", three times "vertex" and three numbers,
    // "endloop", "endfacet": Word::WholeFacet and the nine coordinates, and where the text goes on;
    // null, with nothing written, for any other text.
    const char* ReadUsualFacet(const char* p)
    {
        float corners[9];
        if (!(p = AfterKeyword(p, "facet")) || !(p = AfterKeyword(p, "normal")))
            return nullptr;
        for (int axis = 0; axis < 3; ++axis)
            if (!(p = AfterToken(NormalComponentEnd(p))))
                return nullptr;
        if (!(p = AfterKeyword(p, "outer")) || !(p = AfterKeyword(p, "loop")))
            return nullptr;
        for (int corner = 0; corner < 3; ++corner)
        {
            if (!(p = AfterKeyword(p, "vertex")))
                return nullptr;
            for (int axis = 0; axis < 3; ++axis)
                if (!(p = AfterToken(NumberEnd(p, corners[3 * corner + axis]))))
                    return nullptr;
        }
        if (!(p = AfterKeyword(p, "endloop")) || !(p = AfterKeyword(p, "endfacet")))
            return nullptr;
        *m_word++ = Word::WholeFacet;
        m_word = std::fill_n(m_word, 9, Word::Number);
        m_number = std::copy_n(corners, 9, m_number);
        return p;
    }

    // One token of any kind, and where the text goes on.
    const char* ReadToken(const char* first)
    {
        float value = 0;
        const char* last = nullptr;
        if (m_normalComponentsDue > 0)
        {
            --m_normalComponentsDue;
            last = NormalComponentEnd(first);
        }
        else
        {
            last = NumberEnd(first, value);
        }
        if (last)
        {
            AddNumber(value);
            return last;
        }
        for (last = first; !IsSpace(*last);)
            ++last;
        if (size_t(last - first) > kChunkSize)
            throw RereadInOrder{};
        const Word word = KeywordOf(first, last);
        if (word == Word::Other && ParseNumber(first, last, value) == NumberSyntax::Valid)
        {
            AddNumber(value);
            return last;
        }
        *m_word++ = word;
        if (word == Word::Normal)
            m_normalComponentsDue = 3;
        if (word == Word::Solid || word == Word::EndSolid)
            return FindLineEnd(last, m_end);
        return last;
    }

    void AddNumber(float value)
    {
        *m_word++ = Word::Number;
        *m_number++ = value;
    }

    const char* const m_end;
    Word* m_word;
    float* m_number;
    int m_normalComponentsDue = 0;
};
} // namespace

TextPieceReader::TextPieceReader(const StlFile& file, size_t pieceSize)
    : m_file(file), m_pieceSize(pieceSize),
      // The nominal piece, the byte before it, a piece more for its last line, and what follows the
      // text.
      m_buffer(new char[size_t(std::min<uint64_t>(2 * uint64_t(pieceSize) + 1, file.Size())) + kAfterText])
{
}

void TextPieceReader::Read(uint64_t index, PieceWords& words)
{
    const uint64_t size = m_file.Size();
    const uint64_t nominalBegin = index * m_pieceSize;
    const uint64_t nominalEnd = std::min<uint64_t>(nominalBegin + m_pieceSize, size);
    words.wordCount = 0;
    words.begin = words.end = nominalEnd;
    // The byte before the nominal piece tells whether a line starts where it does.
    const uint64_t from = index == 0 ? 0 : nominalBegin - 1;
    size_t length = size_t(nominalEnd - from);
    char* buffer = m_buffer.get();
    m_file.ReadAt(from, buffer, length);

    const char* begin = buffer;
    if (index == 0)
    {
        if (length >= 3 && std::memcmp(buffer, kByteOrderMark, 3) == 0)
            begin += 3;
    }
    else
    {
        // The first line end from the byte before the nominal piece on; where there is none before
        // its last byte, the line that starts next starts the next piece, and this one is empty.
        begin = FindLineEnd(buffer, buffer + length - 1) + 1;
        if (begin == buffer + length)
            return;
    }
    if (nominalEnd < size && !IsLineEnd(buffer[length - 1]))
        length = EndOfLastLine(from, length);
    std::fill_n(buffer + length, kAfterText, '\0');
    buffer[length] = ' ';
    words.begin = from + uint64_t(begin - buffer);
    words.end = from + length;
    // A token takes a byte and the white space after it.
    const size_t mostWords = (size_t(buffer + length - begin) + 1) / 2;
    if (words.capacity < mostWords)
    {
        words.words.reset(new Word[mostWords]);
        words.numbers.reset(new float[mostWords]);
        words.capacity = mostWords;
    }
    PieceScanner scanner(buffer + length, words.words.get(), words.numbers.get());
    scanner.Scan(begin);
    words.wordCount = size_t(scanner.WordsEnd() - words.words.get());
}

size_t TextPieceReader::EndOfLastLine(uint64_t from, size_t length)
{
    char* buffer = m_buffer.get();
    const size_t limit = length + size_t(std::min<uint64_t>(m_pieceSize, m_file.Size() - (from + length)));
    while (length < limit)
    {
        const size_t step = std::min(kLineStep, limit - length);
        m_file.ReadAt(from + length, buffer + length, step);
        const char* lineEnd = FindLineEnd(buffer + length, buffer + length + step);
        length += step;
        if (lineEnd != buffer + length)
            return size_t(lineEnd - buffer) + 1;
    }
    if (from + length < m_file.Size())
        throw RereadInOrder{};
    return length;
}
} // namespace kzstl
