#include "engine/RecordList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace dsengine {

namespace {

struct FreeMemory {
    void operator()(void* memory) const { std::free(memory); }
};

// Resizes a malloc'd array; throws and leaves it as it was when memory runs out.
template <typename T>
void resizeArray(std::unique_ptr<T[], FreeMemory>& array, std::size_t count) {
    void* grown = std::realloc(array.get(), count * sizeof(T));
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    (void)array.release();
    array.reset(static_cast<T*>(grown));
}

}  // namespace

struct RecordList::Chunk {
    std::uint32_t id = 0;
    std::uint32_t order = 0;                             // index in order_
    std::uint32_t count = 0;                             // records held
    std::uint32_t allocated = 0;                         // records the arrays have room for
    std::unique_ptr<std::uint32_t[], FreeMemory> slots;  // slot number of each record
    std::unique_ptr<std::uint8_t[], FreeMemory> data;    // the records, back to back
};

namespace {

// Chunks of at most about 16 KiB of records: small enough that shifting half a
// chunk costs little, large enough that splits (which renumber the chunks)
// stay rare and the per-chunk bookkeeping negligible. A chunk's arrays grow
// and shrink in steps of a sixteenth of that, so half-full chunks after a split
// waste little memory.
constexpr std::size_t kChunkBytes = 16 * 1024;

std::uint32_t chunkCapacityFor(std::size_t recordSize) {
    const std::size_t byBytes = kChunkBytes / std::max<std::size_t>(recordSize, 1);
    return static_cast<std::uint32_t>(std::clamp<std::size_t>(byBytes, 16, 4096) & ~std::size_t{1});
}

// Grows a vector's capacity geometrically so that one more push_back cannot throw.
template <typename T>
void reserveOneMore(std::vector<T>& items) {
    if (items.size() == items.capacity()) {
        items.reserve(items.capacity() * 2 + 8);
    }
}

}  // namespace

RecordList::RecordList(std::size_t recordSize)
    : recordSize_(recordSize),
      capacity_(chunkCapacityFor(recordSize)),
      growStep_(std::max<std::uint32_t>(capacity_ / 16, 8)) {}

std::uint32_t RecordList::roomFor(std::uint32_t records) const {
    const std::uint32_t rounded = (records + growStep_ - 1) / growStep_ * growStep_;
    return std::clamp(rounded, growStep_, capacity_);
}

void RecordList::reserveRoom(Chunk* chunk, std::uint32_t records) {
    if (records <= chunk->allocated) {
        return;
    }
    // Slots first: when only they grow, the chunk is as good as before.
    const std::uint32_t room = roomFor(records);
    resizeArray(chunk->slots, room);
    resizeArray(chunk->data, std::size_t{room} * recordSize_);
    chunk->allocated = room;
}

void RecordList::trim(Chunk* chunk) {
    const std::uint32_t room = roomFor(chunk->count);
    if (room >= chunk->allocated) {
        return;
    }
    // Keeping a larger array when shrinking fails is harmless.
    try {
        resizeArray(chunk->data, std::size_t{room} * recordSize_);
    } catch (const std::bad_alloc&) {
        return;
    }
    chunk->allocated = room;
    try {
        resizeArray(chunk->slots, room);
    } catch (const std::bad_alloc&) {
    }
}

RecordList::~RecordList() = default;

RecordList::Chunk& RecordList::chunkById(std::uint32_t id) const {
    return chunkPages_[id / kChunksPerPage][id % kChunksPerPage];
}

void RecordList::track(Position* position) {
    tracked_.push_back(position);
}

void RecordList::untrack(Position* position) {
    tracked_.erase(std::remove(tracked_.begin(), tracked_.end(), position), tracked_.end());
}

RecordList::Chunk* RecordList::nextChunk(const Chunk* chunk) const {
    return chunk->order + 1 < order_.size() ? order_[chunk->order + 1] : nullptr;
}

RecordList::Chunk* RecordList::priorChunk(const Chunk* chunk) const {
    return chunk->order > 0 ? order_[chunk->order - 1] : nullptr;
}

bool RecordList::first(Position* position) const {
    if (size_ == 0) {
        return false;
    }
    *position = {Position::Where::Record, order_.front(), 0};
    return true;
}

bool RecordList::last(Position* position) const {
    if (size_ == 0) {
        return false;
    }
    *position = {Position::Where::Record, order_.back(), order_.back()->count - 1};
    return true;
}

bool RecordList::next(Position* position) const {
    if (position->index + 1 < position->chunk->count) {
        ++position->index;
        return true;
    }
    Chunk* following = nextChunk(position->chunk);
    if (following == nullptr) {
        return false;
    }
    *position = {Position::Where::Record, following, 0};
    return true;
}

bool RecordList::prior(Position* position) const {
    if (position->index > 0) {
        --position->index;
        return true;
    }
    Chunk* preceding = priorChunk(position->chunk);
    if (preceding == nullptr) {
        return false;
    }
    *position = {Position::Where::Record, preceding, preceding->count - 1};
    return true;
}

bool RecordList::seek(std::uint32_t index, Position* position) const {
    if (index >= size_) {
        return false;
    }
    std::uint32_t before = 0;
    const std::size_t order = counts_.find(index, &before);
    *position = {Position::Where::Record, order_[order], index - before};
    return true;
}

std::uint32_t RecordList::indexOf(const Position& position) const {
    return counts_.prefix(position.chunk->order) + position.index;
}

const std::uint8_t* RecordList::record(const Position& position) const {
    return position.chunk->data.get() + std::size_t{position.index} * recordSize_;
}

std::uint8_t* RecordList::record(const Position& position) {
    return position.chunk->data.get() + std::size_t{position.index} * recordSize_;
}

std::uint64_t RecordList::bookmarkOf(const Position& position) const {
    const std::uint32_t number = position.chunk->slots[position.index];
    return (std::uint64_t{slot(number).generation} << 32) | number;
}

bool RecordList::locate(std::uint64_t bookmark, Position* position) const {
    const std::uint32_t number = static_cast<std::uint32_t>(bookmark);
    const std::uint32_t generation = static_cast<std::uint32_t>(bookmark >> 32);
    if (number >= slotsUsed_) {
        return false;
    }
    const Slot& entry = slot(number);
    if ((entry.chunk & kFreeSlot) != 0 || entry.generation != generation) {
        return false;
    }
    Chunk* chunk = &chunkById(entry.chunk);
    const std::uint32_t* begin = chunk->slots.get();
    const std::uint32_t* found = std::find(begin, begin + chunk->count, number);
    *position = {Position::Where::Record, chunk, static_cast<std::uint32_t>(found - begin)};
    return true;
}

std::uint32_t RecordList::allocateSlot() {
    if (freeSlots_ != kNoSlot) {
        const std::uint32_t number = freeSlots_;
        freeSlots_ = slot(number).chunk & ~kFreeSlot;
        return number;
    }
    if (slotsUsed_ % kSlotsPerPage == 0) {
        reserveOneMore(slotPages_);
        slotPages_.push_back(std::make_unique_for_overwrite<Slot[]>(kSlotsPerPage));
    }
    const std::uint32_t number = slotsUsed_++;
    slot(number).generation = 1;
    return number;
}

void RecordList::releaseSlot(std::uint32_t number) {
    Slot& entry = slot(number);
    entry.chunk = kFreeSlot | freeSlots_;
    entry.generation = entry.generation == 0xFFFFFFFF ? 1 : entry.generation + 1;
    freeSlots_ = number;
}

RecordList::Chunk* RecordList::newChunkAt(std::size_t order, std::uint32_t records) {
    // Everything that can throw happens before the list changes.
    Chunk fresh;
    reserveRoom(&fresh, records);
    reserveOneMore(order_);
    counts_.reserve(order_.capacity());
    if (freeChunkIds_.empty()) {
        if (chunkIds_ == chunkPages_.size() * kChunksPerPage) {
            reserveOneMore(chunkPages_);
            chunkPages_.push_back(std::make_unique<Chunk[]>(kChunksPerPage));
        }
        // eraseChunk() hands ids back without allocating.
        freeChunkIds_.reserve(chunkPages_.size() * kChunksPerPage);
    }

    std::uint32_t id = 0;
    if (freeChunkIds_.empty()) {
        id = chunkIds_++;
    } else {
        id = freeChunkIds_.back();
        freeChunkIds_.pop_back();
    }
    Chunk* chunk = &chunkById(id);
    *chunk = std::move(fresh);
    chunk->id = id;
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(order), chunk);
    renumberFrom(order);
    if (order + 1 == order_.size()) {
        counts_.pushBack(0);
    } else {
        counts_.rebuild(order_.size(), [this](std::size_t i) { return order_[i]->count; });
    }
    return chunk;
}

void RecordList::eraseChunk(Chunk* chunk) {
    const std::size_t order = chunk->order;
    order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(order));
    renumberFrom(order);
    if (order == order_.size()) {
        counts_.popBack();
    } else {
        counts_.rebuild(order_.size(), [this](std::size_t i) { return order_[i]->count; });
    }
    const std::uint32_t id = chunk->id;
    *chunk = Chunk{};  // frees its arrays
    freeChunkIds_.push_back(id);
}

void RecordList::renumberFrom(std::size_t order) {
    for (std::size_t i = order; i < order_.size(); ++i) {
        order_[i]->order = static_cast<std::uint32_t>(i);
    }
}

void RecordList::moveRecords(Chunk* from, std::uint32_t fromIndex, std::uint32_t count, Chunk* to,
                             std::uint32_t toIndex) {
    const std::size_t rs = recordSize_;
    std::uint8_t* toData = to->data.get();
    std::uint32_t* toSlots = to->slots.get();
    std::memmove(toData + (toIndex + count) * rs, toData + toIndex * rs,
                 (to->count - toIndex) * rs);
    std::memmove(toSlots + toIndex + count, toSlots + toIndex,
                 (to->count - toIndex) * sizeof(std::uint32_t));
    std::memcpy(toData + toIndex * rs, from->data.get() + fromIndex * rs, count * rs);
    std::memcpy(toSlots + toIndex, from->slots.get() + fromIndex, count * sizeof(std::uint32_t));
    for (std::uint32_t i = 0; i < count; ++i) {
        slot(toSlots[toIndex + i]).chunk = to->id;
    }
    const std::uint32_t tail = from->count - fromIndex - count;
    std::memmove(from->data.get() + fromIndex * rs, from->data.get() + (fromIndex + count) * rs,
                 tail * rs);
    std::memmove(from->slots.get() + fromIndex, from->slots.get() + fromIndex + count,
                 tail * sizeof(std::uint32_t));

    for (Position* position : tracked_) {
        if (position->where != Position::Where::Record) {
            continue;
        }
        if (position->chunk == from) {
            if (position->index >= fromIndex + count) {
                position->index -= count;
            } else if (position->index >= fromIndex) {
                position->chunk = to;
                position->index = toIndex + (position->index - fromIndex);
            }
        } else if (position->chunk == to && position->index >= toIndex) {
            position->index += count;
        }
    }
    from->count -= count;
    to->count += count;
    counts_.add(from->order, -static_cast<std::int64_t>(count));
    counts_.add(to->order, count);
}

void RecordList::insert(Position* at, const std::uint8_t* record) {
    Chunk* chunk = nullptr;
    std::uint32_t index = 0;
    if (!order_.empty()) {
        switch (at->where) {
            case Position::Where::Record:
                chunk = at->chunk;
                index = at->index;
                break;
            case Position::Where::End:
                chunk = order_.back();
                index = chunk->count;
                break;
            case Position::Where::Beginning:
                chunk = order_.front();
                index = 0;
                break;
        }
    }

    const std::uint32_t number = allocateSlot();
    try {
        if (chunk == nullptr) {
            chunk = newChunkAt(0, 1);
            index = 0;
        } else if (chunk->count == capacity_) {
            Chunk* preceding = priorChunk(chunk);
            Chunk* following = nextChunk(chunk);
            if (index == 0 && preceding != nullptr && preceding->count < capacity_) {
                chunk = preceding;
                index = preceding->count;
            } else if (index == capacity_ && following != nullptr && following->count < capacity_) {
                chunk = following;
                index = 0;
            } else if (index == capacity_) {
                // Appending behind a full chunk: start a new one, keep this one full.
                // Behind the last chunk more appends are likely, so give it full room.
                chunk = newChunkAt(chunk->order + 1, following == nullptr ? capacity_ : 1);
                index = 0;
            } else {
                const std::uint32_t half = capacity_ / 2;
                Chunk* fresh = newChunkAt(chunk->order + 1, capacity_ - half + 1);
                moveRecords(chunk, half, capacity_ - half, fresh, 0);
                trim(chunk);
                if (index > half) {
                    chunk = fresh;
                    index -= half;
                }
            }
        }
        // A split leaves the records where they were as far as anyone can see,
        // so failing here still changes nothing visible.
        reserveRoom(chunk, chunk->count + 1);
    } catch (...) {
        releaseSlot(number);
        throw;
    }

    const std::size_t rs = recordSize_;
    std::uint8_t* data = chunk->data.get();
    std::uint32_t* slots = chunk->slots.get();
    std::memmove(data + (index + 1) * rs, data + index * rs, (chunk->count - index) * rs);
    std::memmove(slots + index + 1, slots + index, (chunk->count - index) * sizeof(std::uint32_t));
    std::memcpy(data + index * rs, record, rs);
    slots[index] = number;
    slot(number).chunk = chunk->id;
    ++chunk->count;
    ++size_;
    counts_.add(chunk->order, 1);

    for (Position* position : tracked_) {
        if (position->where == Position::Where::Record && position->chunk == chunk &&
            position->index >= index && position != at) {
            ++position->index;
        }
    }
    *at = {Position::Where::Record, chunk, index};
}

void RecordList::remove(Position* at) {
    Chunk* chunk = at->chunk;
    const std::uint32_t index = at->index;
    const std::size_t rs = recordSize_;
    releaseSlot(chunk->slots[index]);
    std::uint8_t* data = chunk->data.get();
    std::uint32_t* slots = chunk->slots.get();
    std::memmove(data + index * rs, data + (index + 1) * rs, (chunk->count - index - 1) * rs);
    std::memmove(slots + index, slots + index + 1,
                 (chunk->count - index - 1) * sizeof(std::uint32_t));
    --chunk->count;
    --size_;
    counts_.add(chunk->order, -1);

    // Positions behind the removed record shift down; those on it now stand
    // on the record that followed it, which may be in the next chunk.
    Chunk* following = nextChunk(chunk);
    auto settle = [&](Position* position) {
        if (position->where != Position::Where::Record || position->chunk != chunk) {
            return;
        }
        if (position->index > index && position != at) {
            --position->index;
        }
        if (position->index >= chunk->count) {
            if (following != nullptr) {
                *position = {Position::Where::Record, following, 0};
            } else {
                *position = {Position::Where::End, nullptr, 0};
            }
        }
    };
    for (Position* position : tracked_) {
        settle(position);
    }
    settle(at);

    if (chunk->count == 0) {
        eraseChunk(chunk);
    } else if (!mergeIfSparse(chunk) && chunk->allocated - chunk->count >= 2 * growStep_) {
        trim(chunk);
    }
}

bool RecordList::mergeIfSparse(Chunk* chunk) {
    // Merging only into at most half a chunk keeps a merged chunk from
    // splitting again soon after.
    const std::uint32_t limit = capacity_ / 2;
    if (chunk->count > capacity_ / 4) {
        return false;
    }
    Chunk* from = nullptr;
    Chunk* into = nullptr;
    if (Chunk* following = nextChunk(chunk);
        following != nullptr && chunk->count + following->count <= limit) {
        from = following;
        into = chunk;
    } else if (Chunk* preceding = priorChunk(chunk);
               preceding != nullptr && chunk->count + preceding->count <= limit) {
        from = chunk;
        into = preceding;
    } else {
        return false;
    }
    try {
        reserveRoom(into, into->count + from->count);
    } catch (const std::bad_alloc&) {
        return false;  // merging is only an economy
    }
    moveRecords(from, 0, from->count, into, into->count);
    eraseChunk(from);
    return true;
}

std::size_t RecordList::memoryBytes() const {
    std::size_t bytes = sizeof(*this);
    bytes += chunkPages_.capacity() * sizeof(chunkPages_[0]);
    bytes += chunkPages_.size() * kChunksPerPage * sizeof(Chunk);
    bytes += freeChunkIds_.capacity() * sizeof(std::uint32_t);
    bytes += order_.capacity() * sizeof(Chunk*);
    bytes += counts_.capacityBytes();
    bytes += slotPages_.capacity() * sizeof(slotPages_[0]);
    bytes += slotPages_.size() * kSlotsPerPage * sizeof(Slot);
    bytes += tracked_.capacity() * sizeof(Position*);
    for (const Chunk* chunk : order_) {
        bytes += std::size_t{chunk->allocated} * (sizeof(std::uint32_t) + recordSize_);
    }
    return bytes;
}

}  // namespace dsengine
