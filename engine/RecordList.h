#pragma once
// The records of a store in placement order, kept compact.
//
// Records have one fixed size and live in chunks: each chunk holds up to
// chunkCapacity() records back to back in one byte array, plus the slot number
// of each record; its arrays grow and shrink in steps as records come and go.
// Inserting or deleting moves at most one chunk's records; a full chunk splits
// in two, and a chunk that falls to a quarter merges with a neighbour. A Fenwick tree over the
// chunk counts turns a position number into a chunk and back in O(log chunks).
//
// Bookmarks: every record owns a slot in a paged slot table that names its
// chunk. A bookmark is the slot number with the slot's generation above it; a
// slot freed by a delete gets a new generation before reuse, so the bookmark
// of a deleted record never finds a later one. Finding a record from its
// bookmark scans one chunk's slot numbers.
//
// Positions: callers keep Position objects (a cursor's place) and register
// them with track(); every insert, delete, split and merge updates the
// registered positions, so each one keeps standing on its record, and one
// standing on a deleted record moves to the record that followed it.
//
// Changes give the strong guarantee: insert() may throw std::bad_alloc and
// then changes nothing; remove() never allocates.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/FenwickTree.h"

namespace dsengine {

class RecordList {
public:
    struct Chunk;
    struct Position {
        enum class Where : std::uint8_t { Beginning, Record, End };
        Where where = Where::Beginning;
        Chunk* chunk = nullptr;
        std::uint32_t index = 0;  // within the chunk
    };

    // Most records a list holds; positions and slot numbers stay below 2^31.
    static constexpr std::uint32_t kMaxRecords = 0x7FFFFFFE;

    explicit RecordList(std::size_t recordSize);
    ~RecordList();
    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;

    std::uint32_t size() const { return size_; }
    std::size_t recordSize() const { return recordSize_; }
    std::uint32_t chunkCapacity() const { return capacity_; }

    void track(Position* position);
    void untrack(Position* position);

    // Navigation; each returns false and leaves `position` alone when there is
    // no such record.
    bool first(Position* position) const;
    bool last(Position* position) const;
    bool next(Position* position) const;                       // from a record
    bool prior(Position* position) const;                      // from a record
    bool seek(std::uint32_t index, Position* position) const;  // 0-based
    std::uint32_t indexOf(const Position& position) const;     // of a record, 0-based

    const std::uint8_t* record(const Position& position) const;
    std::uint8_t* record(const Position& position);

    std::uint64_t bookmarkOf(const Position& position) const;
    bool locate(std::uint64_t bookmark, Position* position) const;

    // Stores a record before the one at `at` (after the last when `at` is at
    // the end, before the first when at the beginning); `at` then stands on
    // the new record. The list must hold fewer than kMaxRecords.
    void insert(Position* at, const std::uint8_t* record);
    // Removes the record at `at`; `at` and every tracked position on it then
    // stand on the record that followed it, or at the end.
    void remove(Position* at);

    // Bytes this list has taken from the heap (capacities, not sizes).
    std::size_t memoryBytes() const;

private:
    struct Slot {
        std::uint32_t chunk;       // chunk id, or kFreeSlot | next free slot
        std::uint32_t generation;  // never 0
    };
    static constexpr std::uint32_t kFreeSlot = 0x80000000;
    static constexpr std::uint32_t kNoSlot = 0x7FFFFFFF;
    static constexpr std::uint32_t kSlotsPerPage = 4096;

    Slot& slot(std::uint32_t number) {
        return slotPages_[number / kSlotsPerPage][number % kSlotsPerPage];
    }
    const Slot& slot(std::uint32_t number) const {
        return slotPages_[number / kSlotsPerPage][number % kSlotsPerPage];
    }
    std::uint32_t allocateSlot();
    void releaseSlot(std::uint32_t number);

    // A new empty chunk at `order` with room for `records` records.
    Chunk* newChunkAt(std::size_t order, std::uint32_t records);
    std::uint32_t roomFor(std::uint32_t records) const;
    void reserveRoom(Chunk* chunk, std::uint32_t records);  // may throw
    void trim(Chunk* chunk);                                // never throws
    void eraseChunk(Chunk* chunk);
    void renumberFrom(std::size_t order);
    void moveRecords(Chunk* from, std::uint32_t fromIndex, std::uint32_t count, Chunk* to,
                     std::uint32_t toIndex);
    bool mergeIfSparse(Chunk* chunk);
    Chunk* nextChunk(const Chunk* chunk) const;
    Chunk* priorChunk(const Chunk* chunk) const;

    std::size_t recordSize_;
    std::uint32_t capacity_;  // most records in a chunk
    std::uint32_t growStep_;  // chunk arrays grow and shrink by this many records
    std::uint32_t size_ = 0;

    // Chunks by id, in pages of kChunksPerPage. The chunks' bookkeeping sits
    // together, apart from their records: finding a record at a random
    // position then touches one page of bookkeeping that stays cached, not
    // one page per chunk.
    static constexpr std::uint32_t kChunksPerPage = 256;
    Chunk& chunkById(std::uint32_t id) const;
    std::vector<std::unique_ptr<Chunk[]>> chunkPages_;
    std::uint32_t chunkIds_ = 0;  // ids handed out at least once
    std::vector<std::uint32_t> freeChunkIds_;
    std::vector<Chunk*> order_;  // placement order
    FenwickTree counts_;         // record count of each chunk in placement order

    std::vector<std::unique_ptr<Slot[]>> slotPages_;
    std::uint32_t slotsUsed_ = 0;  // slots handed out at least once
    std::uint32_t freeSlots_ = kNoSlot;

    std::vector<Position*> tracked_;
};

}  // namespace dsengine
