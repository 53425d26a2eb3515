// The words of ASCII STL: each token is told as one of the keywords (in any letter case) or not,
// without building strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kzstl
{
enum class Word : uint8_t
{
    Solid,    // a token that begins with "solid"
    EndSolid, // a token that begins with "endsolid"
    Facet,
    Normal,
    Outer,
    Loop,
    Vertex,
    EndLoop,
    EndFacet,
    Number,     // a token already read as a valid number
    WholeFacet, // a facet in its usual form, read whole: its nine coordinates follow as numbers
    Other,      // any other token
    End,        // no token: the text has ended
};

// Whether the N - 1 bytes at `first`, which must be readable, spell the keyword in any letter case.
// Files mostly spell keywords in lower case, which one comparison of constant size finds; other
// spellings are compared letter by letter. Keywords are letters only, and c | 0x20 equals a
// lower-case letter exactly when c is that letter in either case.
template <size_t N> bool SpellsKeyword(const char* first, const char (&keyword)[N])
{
    if (std::memcmp(first, keyword, N - 1) == 0)
        return true;
    for (size_t i = 0; i + 1 < N; ++i)
        if ((first[i] | 0x20) != keyword[i])
            return false;
    return true;
}

// The keyword that the token [first, last) is, or Word::Other. Inline: it runs for most tokens.
inline Word KeywordOf(const char* first, const char* last)
{
    const size_t length = size_t(last - first);
    auto is = [&](const auto& keyword)
    { return length == sizeof keyword - 1 && SpellsKeyword(first, keyword); };
    auto beginsWith = [&](const auto& keyword)
    { return length >= sizeof keyword - 1 && SpellsKeyword(first, keyword); };
    if (length == 0)
        return Word::Other;
    switch (first[0] | 0x20)
    {
    case 'v':
        return is("vertex") ? Word::Vertex : Word::Other;
    case 'f':
        return is("facet") ? Word::Facet : Word::Other;
    case 'n':
        return is("normal") ? Word::Normal : Word::Other;
    case 'o':
        return is("outer") ? Word::Outer : Word::Other;
    case 'l':
        return is("loop") ? Word::Loop : Word::Other;
    case 'e':
        if (is("endloop"))
            return Word::EndLoop;
        if (is("endfacet"))
            return Word::EndFacet;
        return beginsWith("endsolid") ? Word::EndSolid : Word::Other;
    case 's':
        return beginsWith("solid") ? Word::Solid : Word::Other;
    default:
        return Word::Other;
    }
}
} // namespace kzstl
