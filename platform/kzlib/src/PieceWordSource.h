// The words of an ASCII STL file, read piece by piece on worker threads ahead of the parser and
// handed to it in file order. It knows no lines: where the parser fails, and where a piece cannot
// be read on its own, it throws RereadInOrder.
#pragma once

#include "StlFailure.h"
#include "StlFile.h"
#include "StlNumber.h"
#include "StlWord.h"
#include "TextPiece.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kzstl
{
class PieceWordSource
{
public:
    // Starts the workers; a small file, or a machine of one core, is read without them.
    explicit PieceWordSource(const StlFile& file, size_t pieceSize = kPieceSize);
    // Stops the workers and waits for them.
    ~PieceWordSource();
    PieceWordSource(const PieceWordSource&) = delete;
    PieceWordSource& operator=(const PieceWordSource&) = delete;

    Word Next()
    {
        while (m_word == m_wordsEnd)
            if (!TakeNextPiece())
                return Word::End;
        const Word word = *m_word++;
        if (word == Word::Number)
            ++m_number;
        return word;
    }

    // A token that is not a number is called invalid whatever it holds: the parser fails on it,
    // and the file is read again in order.
    std::optional<NumberSyntax> NextNumber(float& value)
    {
        const Word word = Next();
        if (word == Word::End)
            return std::nullopt;
        if (word != Word::Number)
            return NumberSyntax::Invalid;
        value = m_number[-1];
        return NumberSyntax::Valid;
    }

    // The pieces have passed over the rest of each line that needs it.
    void SkipRestOfLine() {}

    uint64_t Size() const { return m_file.Size(); }
    // Taken as if the current piece's words were spread evenly over its text.
    uint64_t Offset() const;

    [[noreturn]] void Fail(const StlFailure&) const { throw RereadInOrder{}; }

private:
    struct Slot
    {
        PieceWords words;
        bool ready = false;
        bool failed = false;
    };

    // Gives the slot of the piece parsed so far back to the workers and waits for the next piece
    // (or reads it, without workers); false after the last.
    bool TakeNextPiece();
    // A worker: reads the next piece not yet claimed into its slot, once the slot is free.
    void Work();

    const StlFile& m_file;
    const size_t m_pieceSize;
    const uint64_t m_pieceCount;
    std::vector<Slot> m_slots; // piece i goes to slot i % size

    std::mutex m_mutex;
    std::condition_variable m_pieceRead; // for the parser
    std::condition_variable m_slotFreed; // for the workers
    uint64_t m_nextToRead = 0;           // the next piece a worker claims
    uint64_t m_released = 0;             // the pieces whose slots are free again
    bool m_stopping = false;

    uint64_t m_taken = 0; // the pieces handed to the parser
    const PieceWords* m_piece = nullptr;
    const Word* m_word = nullptr;
    const Word* m_wordsEnd = nullptr;
    const float* m_number = nullptr;
    std::optional<TextPieceReader> m_ownReader; // without workers

    std::vector<std::thread> m_workers;
};
} // namespace kzstl
