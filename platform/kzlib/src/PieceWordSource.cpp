#include "PieceWordSource.h"

#include <algorithm>
#include <system_error>

namespace kzstl
{
namespace
{
// The parser takes a core of its own, and its own work (the grammar and the welding) bounds the
// speed once three or four workers feed it; more would only take cores from others.
constexpr unsigned kMostWorkers = 4;
// Pieces for each worker at least, so that starting a thread costs little against the work it
// takes over; a smaller file is read without workers.
constexpr uint64_t kPiecesPerWorker = 16;
// Pieces a worker may read ahead of the parser.
constexpr size_t kSlotsPerWorker = 3;

unsigned WorkerCount(uint64_t pieceCount)
{
    const unsigned cores = std::thread::hardware_concurrency();
    if (cores < 2)
        return 0;
    return unsigned(std::min<uint64_t>({cores - 1, kMostWorkers, pieceCount / kPiecesPerWorker}));
}
} // namespace

PieceWordSource::PieceWordSource(const StlFile& file, size_t pieceSize)
    : m_file(file), m_pieceSize(pieceSize), m_pieceCount(TextPieceReader::PieceCount(file.Size(), pieceSize))
{
    const unsigned workers = WorkerCount(m_pieceCount);
    m_slots.resize(std::max<size_t>(1, kSlotsPerWorker * workers));
    m_workers.reserve(workers);
    try
    {
        while (m_workers.size() < workers)
            m_workers.emplace_back([this] { Work(); });
    }
    catch (const std::system_error&)
    {
        // Reading goes on with the workers there are, or with none.
    }
}

PieceWordSource::~PieceWordSource()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_slotFreed.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

bool PieceWordSource::TakeNextPiece()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_taken > 0)
    {
        m_slots[(m_taken - 1) % m_slots.size()].ready = false;
        m_released = m_taken;
        // One slot is free: one more piece can be claimed.
        m_slotFreed.notify_one();
    }
    if (m_taken == m_pieceCount)
        return false;
    Slot& slot = m_slots[m_taken % m_slots.size()];
    if (m_workers.empty())
    {
        try
        {
            if (!m_ownReader)
                m_ownReader.emplace(m_file, m_pieceSize);
            m_ownReader->Read(m_taken, slot.words);
        }
        catch (...)
        {
            throw RereadInOrder{};
        }
    }
    else
    {
        m_pieceRead.wait(lock, [&] { return slot.ready; });
        if (slot.failed)
            throw RereadInOrder{};
    }
    ++m_taken;
    m_piece = &slot.words;
    m_word = slot.words.words.get();
    m_wordsEnd = m_word + slot.words.wordCount;
    m_number = slot.words.numbers.get();
    return true;
}

uint64_t PieceWordSource::Offset() const
{
    if (!m_piece || m_piece->wordCount == 0)
        return m_piece ? m_piece->end : 0;
    const uint64_t read = uint64_t(m_word - m_piece->words.get());
    return m_piece->begin + (m_piece->end - m_piece->begin) * read / m_piece->wordCount;
}

void PieceWordSource::Work()
{
    std::optional<TextPieceReader> reader;
    for (;;)
    {
        uint64_t index;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_slotFreed.wait(lock,
                             [&] {
                                 return m_stopping || m_nextToRead == m_pieceCount ||
                                        m_nextToRead < m_released + m_slots.size();
                             });
            if (m_stopping || m_nextToRead == m_pieceCount)
                return;
            index = m_nextToRead++;
        }
        Slot& slot = m_slots[index % m_slots.size()];
        bool failed = false;
        try
        {
            if (!reader)
                reader.emplace(m_file, m_pieceSize);
            reader->Read(index, slot.words);
        }
        catch (...)
        {
            // Whatever went wrong, the parser finds out when it reaches this piece.
            failed = true;
        }
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            slot.ready = true;
            slot.failed = failed;
        }
        m_pieceRead.notify_one();
    }
}
} // namespace kzstl
