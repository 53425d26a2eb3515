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

namespace detail
{
// Files mostly spell keywords in lower case, which one comparison of constant size finds; other
// spellings are compared letter by letter. Keywords are letters only, and c | 0x20 equals a
// lower-case letter exactly when c is that letter in either case.
template <size_t N> bool BeginsWith(const char* first, size_t length, const char (&keyword)[N])
{
    if (length < N - 1)
        return false;
    if (std::memcmp(first, keyword, N - 1) == 0)
        return true;
    for (size_t i = 0; i + 1 < N; ++i)
        if ((first[i] | 0x20) != keyword[i])
            return false;
    return true;
}

template <size_t N> bool Is(const char* first, size_t length, const char (&keyword)[N])
{
    return length == N - 1 && BeginsWith(first, length, keyword);
}
} // namespace detail

// The keyword that the token [first, last) is, or Word::Other. Inline: it runs for most tokens.
inline Word KeywordOf(const char* first, const char* last)
{
    using detail::BeginsWith;
    using detail::Is;
    const size_t length = size_t(last - first);
    if (length == 0)
        return Word::Other;
    switch (first[0] | 0x20)
    {
    case 'v':
        return Is(first, length, "vertex") ? Word::Vertex : Word::Other;
    case 'f':
        return Is(first, length, "facet") ? Word::Facet : Word::Other;
    case 'n':
        return Is(first, length, "normal") ? Word::Normal : Word::Other;
    case 'o':
        return Is(first, length, "outer") ? Word::Outer : Word::Other;
    case 'l':
        return Is(first, length, "loop") ? Word::Loop : Word::Other;
    case 'e':
        if (Is(first, length, "endloop"))
            return Word::EndLoop;
        if (Is(first, length, "endfacet"))
            return Word::EndFacet;
        return BeginsWith(first, length, "endsolid") ? Word::EndSolid : Word::Other;
    case 's':
        return BeginsWith(first, length, "solid") ? Word::Solid : Word::Other;
    default:
        return Word::Other;
    }
}
} // namespace kzstl
