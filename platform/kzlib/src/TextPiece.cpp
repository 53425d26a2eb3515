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

// "facet normal" and its three numbers, "outer loop", three vertices, "endloop", "endfacet".
constexpr Word kUsualFacet[] = {
    Word::Facet,  Word::Normal, Word::Number, Word::Number, Word::Number, Word::Outer,   Word::Loop,
    Word::Vertex, Word::Number, Word::Number, Word::Number, Word::Vertex, Word::Number,  Word::Number,
    Word::Number, Word::Vertex, Word::Number, Word::Number, Word::Number, Word::EndLoop, Word::EndFacet};
constexpr size_t kUsualFacetSize = sizeof kUsualFacet / sizeof kUsualFacet[0];

// Folds the words of a facet in its usual form that end the piece's words so far into one, which
// the parser takes at once; the numbers of its normal go.
void FoldUsualFacet(PieceWords& out)
{
    std::vector<Word>& words = out.words;
    if (words.size() < kUsualFacetSize ||
        !std::equal(words.end() - kUsualFacetSize, words.end(), kUsualFacet))
        return;
    words.resize(words.size() - kUsualFacetSize);
    words.push_back(Word::WholeFacet);
    words.insert(words.end(), 9, Word::Number);
    std::vector<float>& numbers = out.numbers;
    std::copy(numbers.end() - 9, numbers.end(), numbers.end() - 12);
    numbers.resize(numbers.size() - 3);
}

// Tokens of [p, end) into words. A space and then a non-space byte stand after `end`, so that
// no scanning loop needs to look for the end.
void ScanWords(const char* p, const char* end, PieceWords& out)
{
    int normalComponentsDue = 0;
    for (;;)
    {
        while (IsSpace(*p))
            ++p;
        if (p >= end)
            return;
        const char* first = p;
        float value = 0;
        // Most tokens are numbers in a form read here at once; any other token is read as a whole
        // below.
        const char* last = nullptr;
        if (normalComponentsDue > 0)
        {
            --normalComponentsDue;
            last = PlainDecimalEnd(first);
        }
        else if (MayBeginNumber(*first))
        {
            const std::from_chars_result number = std::from_chars(first, end, value);
            if (number.ec == std::errc())
                last = number.ptr;
        }
        if (last && IsSpace(*last) && size_t(last - first) <= kChunkSize)
        {
            out.words.push_back(Word::Number);
            out.numbers.push_back(value);
            p = last;
            continue;
        }

        while (!IsSpace(*p))
            ++p;
        if (size_t(p - first) > kChunkSize)
            throw RereadInOrder{};
        const Word word = KeywordOf(first, p);
        if (word == Word::Other && ParseNumber(first, p, value) == NumberSyntax::Valid)
        {
            out.words.push_back(Word::Number);
            out.numbers.push_back(value);
            continue;
        }
        out.words.push_back(word);
        if (word == Word::EndFacet)
            FoldUsualFacet(out);
        if (word == Word::Normal)
            normalComponentsDue = 3;
        if (word == Word::Solid || word == Word::EndSolid)
            p = FindLineEnd(p, end);
    }
}
} // namespace

TextPieceReader::TextPieceReader(const StlFile& file, size_t pieceSize)
    : m_file(file), m_pieceSize(pieceSize),
      // The nominal piece, the byte before it, a piece more for its last line, and two sentinels.
      m_buffer(new char[size_t(std::min<uint64_t>(2 * uint64_t(pieceSize) + 1, file.Size())) + 2])
{
}

void TextPieceReader::Read(uint64_t index, PieceWords& words)
{
    words.words.clear();
    words.numbers.clear();
    const uint64_t size = m_file.Size();
    const uint64_t nominalBegin = index * m_pieceSize;
    const uint64_t nominalEnd = std::min<uint64_t>(nominalBegin + m_pieceSize, size);
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
        // A line end at or after the nominal piece's last byte starts the next piece's first line.
        begin = FindLineEnd(buffer, buffer + length - 1) + 1;
        if (begin == buffer + length)
            return;
    }
    if (nominalEnd < size && !IsLineEnd(buffer[length - 1]))
        length = EndOfLastLine(from, length);
    buffer[length] = ' ';
    buffer[length + 1] = '\0';
    words.begin = from + uint64_t(begin - buffer);
    words.end = from + length;
    ScanWords(begin, buffer + length, words);
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
