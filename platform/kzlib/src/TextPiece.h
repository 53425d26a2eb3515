// A piece of the text of an ASCII STL file, read into words on its own, so that pieces can be read
// side by side. Piece i runs from the first line start at or after byte i * pieceSize to the first
// line start at or after byte (i + 1) * pieceSize (a line starts at the beginning of the file and
// after each LF or CR), so no token and no line is split between two pieces.
#pragma once

#include "StlFile.h"
#include "StlWord.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kzstl
{
// Bytes of text in a piece: handing a piece from a worker to the parser costs little against
// reading a megabyte.
constexpr size_t kPieceSize = 4 * kChunkSize;

// Thrown where reading by pieces gives up; the file is then read in order, which gives the exact
// result or places the error on its line.
struct RereadInOrder
{
};

struct PieceWords
{
    // Every token of the piece in order; a facet in its usual form is one Word::WholeFacet and the
    // Word::Number of its nine coordinates.
    std::unique_ptr<Word[]> words;
    std::unique_ptr<float[]> numbers; // the value of each Word::Number among them, in order
    size_t wordCount = 0;
    size_t capacity = 0; // of each array
    uint64_t begin = 0;  // where the piece's text begins in the file
    uint64_t end = 0;    // and where it ends
};

class TextPieceReader
{
public:
    TextPieceReader(const StlFile& file, size_t pieceSize);

    static uint64_t PieceCount(uint64_t fileSize, size_t pieceSize)
    {
        return (fileSize + pieceSize - 1) / pieceSize;
    }

    // Replaces the words with those of piece `index`. The rest of the line after a token that
    // begins with "solid" or "endsolid" is passed over, as the grammar does after the only such
    // tokens it accepts. Throws RereadInOrder for a line that runs on more than a piece past the
    // piece's end, and for a token longer than a chunk (which the in-order reader cuts in two);
    // StlFailure when the file cannot be read.
    void Read(uint64_t index, PieceWords& words);

private:
    // Where the piece's text ends in the buffer: after the first line end at or after the end of
    // the nominal piece, which the buffer holds up to `length`; reads on as far as needed.
    size_t EndOfLastLine(uint64_t from, size_t length);

    const StlFile& m_file;
    const size_t m_pieceSize;
    std::unique_ptr<char[]> m_buffer;
};
} // namespace kzstl
