// The grammar of ASCII STL, over a source of words: solid blocks of facets, a facet being the
// vertex triple between facet boundaries ("facet", "endfacet", "endsolid"; the loop keywords are
// optional).
//
// A source of words offers:
//   Word Next();                                          the next token as a keyword, Word::End at the end
//   std::optional<NumberSyntax> NextNumber(float& value); the next token as a number, nullopt at the end
//   void SkipRestOfLine();                                passes over the rest of the current line
//   [[noreturn]] void Fail(StlFailure failure);           adds where the last token stands, and throws
//   uint64_t Size() const;                                the file's size
//   uint64_t Offset() const;                              about how far the file has been read
#pragma once

#include "BlockMesh.h"
#include "StlFailure.h"
#include "StlNumber.h"
#include "StlWord.h"

#include "opennurbs.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace kzstl
{
template <class Words> class AsciiStlGrammar
{
public:
    AsciiStlGrammar(Words& words, ON_ClassArray<ON_Mesh>& meshes) : m_words(words), m_meshes(meshes) {}

    // Appends one mesh per solid block that has facets; throws through the source's Fail, leaving
    // the meshes it appended.
    void Parse()
    {
        for (Word word = m_words.Next(); word != Word::End; word = m_words.Next())
        {
            if (word != Word::Solid)
                Fail(Problem::UnexpectedToken, 0, "solid");
            m_words.SkipRestOfLine();
            ParseBlock();
        }
    }

private:
    void ParseBlock()
    {
        BlockMesh block(m_meshes, m_words.Size(), m_words.Offset());
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
        auto closeFacet = [&]
        {
            if (vertexCount != 3)
                Fail(Problem::WrongVertexCount, uint64_t(vertexCount));
            if (block.Add(facet))
                block.Weld(m_words.Offset());
            facetOpen = false;
        };
        // "facet": a facet opened by "outer loop" alone takes the header that follows it.
        auto headFacet = [&]
        {
            if (facetOpen && (vertexCount != 0 || facetHasHeader))
                closeFacet();
            if (!facetOpen)
                openFacet();
            facetHasHeader = true;
        };
        // "vertex" and its three coordinates.
        auto readVertex = [&]
        {
            if (!facetOpen)
                openFacet();
            if (vertexCount == 3)
                Fail(Problem::WrongVertexCount, 4);
            for (int axis = 0; axis < 3; ++axis)
            {
                float& coordinate = facet[3 * vertexCount + axis];
                coordinate = ReadNumber();
                if (!std::isfinite(coordinate))
                    Fail(Problem::NonFiniteVertex);
            }
            ++vertexCount;
        };
        for (;;)
        {
            switch (m_words.Next())
            {
            case Word::End:
                Fail(Problem::Truncated);
            case Word::Vertex:
                readVertex();
                continue;
            case Word::Facet:
                headFacet();
                Expect(Word::Normal, "normal");
                for (int axis = 0; axis < 3; ++axis)
                    ReadNumber();
                continue;
            case Word::WholeFacet:
                // What its words would do: "facet normal" and its numbers, "outer loop" (the facet is
                // open), three vertices, "endloop", "endfacet".
                headFacet();
                for (int corner = 0; corner < 3; ++corner)
                    readVertex();
                closeFacet();
                continue;
            case Word::Outer:
                Expect(Word::Loop, "loop");
                if (!facetOpen)
                    openFacet();
                continue;
            case Word::EndLoop:
                continue;
            case Word::EndFacet:
                if (!facetOpen)
                    break;
                closeFacet();
                continue;
            case Word::EndSolid:
                if (facetOpen)
                    closeFacet();
                m_words.SkipRestOfLine();
                block.Finish();
                return;
            default:
                break;
            }
            Fail(Problem::UnexpectedToken);
        }
    }

    void Expect(Word keyword, const char* spelling)
    {
        const Word word = m_words.Next();
        if (word == Word::End)
            Fail(Problem::Truncated);
        if (word != keyword)
            Fail(Problem::UnexpectedToken, 0, spelling);
    }

    float ReadNumber()
    {
        float value = 0;
        const std::optional<NumberSyntax> syntax = m_words.NextNumber(value);
        if (!syntax)
            Fail(Problem::Truncated);
        switch (*syntax)
        {
        case NumberSyntax::Valid:
            return value;
        case NumberSyntax::DecimalComma:
            Fail(Problem::DecimalComma);
        case NumberSyntax::Invalid:
            break;
        }
        Fail(Problem::BadNumber);
    }

    [[noreturn]] void Fail(Problem problem, uint64_t count = 0, const char* expected = "")
    {
        StlFailure failure{problem};
        failure.facet = m_facet;
        failure.count = count;
        failure.expected = expected;
        m_words.Fail(std::move(failure));
    }

    Words& m_words;
    ON_ClassArray<ON_Mesh>& m_meshes;
    uint64_t m_facet = 0;
};
} // namespace kzstl
