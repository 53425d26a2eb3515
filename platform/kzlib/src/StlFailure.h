// Why a file could not be read: thrown inside the reader, turned into the user's text at its edge.
#pragma once

#include <cstdint>
#include <string>

namespace kzstl
{
enum class Problem
{
    InvalidPath, // the path has no narrow form (invalid text or a null character)
    CannotOpen,  // systemError says why
    NotAFile,    // a folder, device or pipe
    CannotRead,  // systemError says why, or 0 when the file got shorter while being read
    Empty,
    NotStl,           // not ASCII, and too short for the binary header (size)
    BinaryTooShort,   // count, needed and size
    Truncated,        // ASCII ends inside a solid (line)
    UnexpectedToken,  // token, expected (a keyword, or empty for any keyword) and line
    BadNumber,        // token and line
    DecimalComma,     // token and line
    WrongVertexCount, // facet, count (the vertices seen so far) and line
    NonFiniteVertex,  // facet; line for ASCII, 0 for binary
    TooLarge,         // more facets or vertices than a mesh can index
};

struct StlFailure
{
    explicit StlFailure(Problem what) : problem(what) {}

    Problem problem;
    uint64_t line = 0;
    uint64_t facet = 0;
    uint64_t count = 0;
    uint64_t needed = 0;
    uint64_t size = 0;
    int systemError = 0;
    std::string token;
    std::string expected;
};
} // namespace kzstl
