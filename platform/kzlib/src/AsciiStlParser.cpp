// A single pass over the text, chunk by chunk; errors are located by line only when they happen.
#include "AsciiStlParser.h"

#include "StlFailure.h"
#include "StlNumber.h"
#include "StlText.h"
#include "VertexWelder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace kzstl
{
namespace
{
// Keywords are letters only, and c | 0x20 equals a lower-case letter exactly when c is that
// letter in either case.
bool StartsWithKeyword(const TextToken& token, const char* keyword)
{
    const size_t length = std::strlen(keyword);
    if (token.Length() < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if ((token.first[i] | 0x20) != keyword[i])
            return false;
    return true;
}

bool IsKeyword(const TextToken& token, const char* keyword)
{
    return token.Length() == std::strlen(keyword) && StartsWithKeyword(token, keyword);
}

// The facets of one solid block go to a mesh of their own, made when its first facets are welded;
// they are welded a batch at a time.
class BlockMesh
{
public:
    explicit BlockMesh(ON_ClassArray<ON_Mesh>& meshes) : m_meshes(meshes) {}

    void Add(const float* corners)
    {
        std::copy_n(corners, 9, m_pending + 9 * m_pendingCount);
        if (++m_pendingCount == kBatch)
            Flush();
    }

    void Finish()
    {
        Flush();
        if (m_welder)
            m_welder->Finish();
    }

private:
    static constexpr size_t kBatch = 256;

    void Flush()
    {
        if (m_pendingCount == 0)
            return;
        if (!m_welder)
            m_welder.emplace(m_meshes.AppendNew(), 0);
        m_welder->AddTriangles(m_pending, m_pendingCount);
        m_pendingCount = 0;
    }

    ON_ClassArray<ON_Mesh>& m_meshes;
    float m_pending[9 * kBatch];
    size_t m_pendingCount = 0;
    std::optional<VertexWelder> m_welder;
};

class Parser
{
public:
    Parser(const StlFile& file, ON_ClassArray<ON_Mesh>& meshes) : m_text(file), m_meshes(meshes) {}

    void Parse()
    {
        for (TextToken token = m_text.Next(); !token.Empty(); token = m_text.Next())
        {
            if (!StartsWithKeyword(token, "solid"))
                Fail(Problem::UnexpectedToken, token, 0, "solid");
            m_text.SkipRestOfLine();
            ParseBlock();
        }
    }

private:
    void ParseBlock()
    {
        BlockMesh block(m_meshes);
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
        auto closeFacet = [&](const TextToken& at)
        {
            if (vertexCount != 3)
                Fail(Problem::WrongVertexCount, at, uint64_t(vertexCount));
            block.Add(facet);
            facetOpen = false;
        };
        for (;;)
        {
            const TextToken token = m_text.Next();
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
                    float& coordinate = facet[3 * vertexCount + axis];
                    const TextToken number = ReadNumber(coordinate);
                    if (!std::isfinite(coordinate))
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
                    m_text.SkipRestOfLine();
                    block.Finish();
                    return;
                }
                break;
            default:
                break;
            }
            Fail(Problem::UnexpectedToken, token);
        }
    }

    void Expect(const char* keyword)
    {
        const TextToken token = m_text.Next();
        if (token.Empty())
            Fail(Problem::Truncated, token);
        if (!IsKeyword(token, keyword))
            Fail(Problem::UnexpectedToken, token, 0, keyword);
    }

    TextToken ReadNumber(float& value)
    {
        const TextToken token = m_text.Next();
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

    [[noreturn]] void Fail(Problem problem, const TextToken& at, uint64_t count = 0,
                           const char* expected = "") const
    {
        StlFailure failure{problem};
        failure.token.assign(at.first, at.Length());
        // A file that ends early is placed on its last line, past any final line end.
        failure.line = at.Empty() ? m_text.LastLine() : m_text.LineAt(at.offset);
        failure.facet = m_facet;
        failure.count = count;
        failure.expected = expected;
        throw failure;
    }

    StlText m_text;
    ON_ClassArray<ON_Mesh>& m_meshes;
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
    return StartsWithKeyword(TextToken{first, p, 0}, "solid");
}

void ParseAsciiStl(const StlFile& file, ON_ClassArray<ON_Mesh>& meshes)
{
    Parser(file, meshes).Parse();
}
} // namespace kzstl
