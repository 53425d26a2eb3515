// A single pass over the text; errors are located by line only when they happen.
#include "AsciiStlParser.h"

#include "StlFailure.h"
#include "StlNumber.h"

#include <cmath>
#include <cstring>

namespace kzstl
{
namespace
{
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

struct Token
{
    const char* first;
    const char* last;

    bool Empty() const { return first == last; }
    size_t Length() const { return size_t(last - first); }
};

// Keywords are letters only, and c | 0x20 equals a lower-case letter exactly when c is that
// letter in either case.
bool StartsWithKeyword(const Token& token, const char* keyword)
{
    const size_t length = std::strlen(keyword);
    if (token.Length() < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if ((token.first[i] | 0x20) != keyword[i])
            return false;
    return true;
}

bool IsKeyword(const Token& token, const char* keyword)
{
    return token.Length() == std::strlen(keyword) && StartsWithKeyword(token, keyword);
}

class Parser
{
public:
    Parser(const char* data, size_t size) : m_begin(data), m_p(data), m_end(data + size) {}

    std::vector<std::vector<float>> Parse()
    {
        if (size_t(m_end - m_p) >= 3 && std::memcmp(m_p, kByteOrderMark, 3) == 0)
            m_p += 3;
        std::vector<std::vector<float>> blocks;
        for (Token token = Next(); !token.Empty(); token = Next())
        {
            if (!StartsWithKeyword(token, "solid"))
                Fail(Problem::UnexpectedToken, token, 0, "solid");
            SkipRestOfLine(token.first);
            std::vector<float> corners = ParseBlock();
            if (!corners.empty())
                blocks.push_back(std::move(corners));
        }
        return blocks;
    }

private:
    std::vector<float> ParseBlock()
    {
        std::vector<float> corners;
        bool facetOpen = false;
        bool facetHasHeader = false;
        int vertexCount = 0;
        float facet[9];
        auto openFacet = [&]
        {
            facetOpen = true;
            facetHasHeader = false;
            vertexCount = 0;
            ++m_facet;
        };
        // A facet boundary: a complete open facet is kept, an incomplete one is an error.
        auto closeFacet = [&](const Token& at)
        {
            if (vertexCount != 3)
                Fail(Problem::WrongVertexCount, at, uint64_t(vertexCount));
            corners.insert(corners.end(), facet, facet + 9);
            facetOpen = false;
        };
        for (;;)
        {
            const Token token = Next();
            if (token.Empty())
                Fail(Problem::Truncated, token);
            switch (*token.first | 0x20)
            {
            case 'v':
                if (!IsKeyword(token, "vertex"))
                    break;
                if (!facetOpen)
                    openFacet();
                if (vertexCount == 3)
                    Fail(Problem::WrongVertexCount, token, 4);
                for (int axis = 0; axis < 3; ++axis)
                {
                    const Token number = ReadNumber(facet[3 * vertexCount + axis]);
                    if (!std::isfinite(facet[3 * vertexCount + axis]))
                        Fail(Problem::NonFiniteVertex, number);
                }
                ++vertexCount;
                continue;
            case 'f':
                if (!IsKeyword(token, "facet"))
                    break;
                // A facet opened by "outer loop" alone takes the header that follows it.
                if (facetOpen && (vertexCount != 0 || facetHasHeader))
                    closeFacet(token);
                if (!facetOpen)
                    openFacet();
                facetHasHeader = true;
                Expect("normal");
                for (int axis = 0; axis < 3; ++axis)
                {
                    float unused;
                    ReadNumber(unused);
                }
                continue;
            case 'o':
                if (!IsKeyword(token, "outer"))
                    break;
                Expect("loop");
                if (!facetOpen)
                    openFacet();
                continue;
            case 'e':
                if (IsKeyword(token, "endloop"))
                    continue;
                if (IsKeyword(token, "endfacet"))
                {
                    if (!facetOpen)
                        break;
                    closeFacet(token);
                    continue;
                }
                if (StartsWithKeyword(token, "endsolid"))
                {
                    if (facetOpen)
                        closeFacet(token);
                    SkipRestOfLine(token.first);
                    return corners;
                }
                break;
            default:
                break;
            }
            Fail(Problem::UnexpectedToken, token);
        }
    }

    Token Next()
    {
        while (m_p != m_end && IsSpace(*m_p))
            ++m_p;
        const char* first = m_p;
        while (m_p != m_end && !IsSpace(*m_p))
            ++m_p;
        return Token{first, m_p};
    }

    void Expect(const char* keyword)
    {
        const Token token = Next();
        if (token.Empty())
            Fail(Problem::Truncated, token);
        if (!IsKeyword(token, keyword))
            Fail(Problem::UnexpectedToken, token, 0, keyword);
    }

    Token ReadNumber(float& value)
    {
        const Token token = Next();
        if (token.Empty())
            Fail(Problem::Truncated, token);
        switch (ParseNumber(token.first, token.last, value))
        {
        case NumberSyntax::Valid:
            return token;
        case NumberSyntax::DecimalComma:
            Fail(Problem::DecimalComma, token);
        case NumberSyntax::Invalid:
            break;
        }
        Fail(Problem::BadNumber, token);
    }

    // The name after "solid" and whatever follows "endsolid" run to the end of the line.
    void SkipRestOfLine(const char* from)
    {
        m_p = from;
        while (m_p != m_end && *m_p != '\n' && *m_p != '\r')
            ++m_p;
    }

    // LF, CRLF and a lone CR each end one line.
    uint64_t LineAt(const char* position) const
    {
        uint64_t line = 1;
        for (const char* p = m_begin; p != position; ++p)
            if (*p == '\n' || (*p == '\r' && (p + 1 == m_end || p[1] != '\n')))
                ++line;
        return line;
    }

    [[noreturn]] void Fail(Problem problem, const Token& at, uint64_t count = 0,
                           const char* expected = "") const
    {
        StlFailure failure{problem};
        // A file that ends early is placed on its last line, past any final line end.
        failure.line = LineAt(at.Empty() ? LastLineStart() : at.first);
        failure.facet = m_facet;
        failure.count = count;
        failure.token.assign(at.first, at.Length());
        failure.expected = expected;
        throw failure;
    }

    const char* LastLineStart() const
    {
        const char* p = m_end;
        while (p != m_begin && IsSpace(p[-1]))
            --p;
        return p;
    }

    const char* m_begin;
    const char* m_p;
    const char* m_end;
    uint64_t m_facet = 0;
};
} // namespace

bool BeginsLikeAsciiStl(const char* data, size_t size)
{
    const char* p = data;
    const char* end = data + size;
    if (size >= 3 && std::memcmp(p, kByteOrderMark, 3) == 0)
        p += 3;
    while (p != end && IsSpace(*p))
        ++p;
    const char* first = p;
    while (p != end && !IsSpace(*p))
        ++p;
    return StartsWithKeyword(Token{first, p}, "solid");
}

std::vector<std::vector<float>> ParseAsciiStl(const char* data, size_t size)
{
    return Parser(data, size).Parse();
}
} // namespace kzstl
