#pragma once
// A position in a record store, on a record or on the crack before the first
// or after the last. The store keeps the position up to date when other
// cursors insert or delete; a cursor that outlives its store fails every call
// that needs it.

#include <cstdint>

#include "data/EngineApi.h"
#include "engine/RecordList.h"

namespace dsengine {

class RecordStore;

class Cursor final : public ICursor {
public:
    // The store must have a packet loaded.
    explicit Cursor(RecordStore* store);
    ~Cursor() override;
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    void moveToBeginning() override;
    void moveToEnd() override;
    Status moveToPosition(std::uint32_t position) override;
    Status moveToBookmark(Bookmark bookmark) override;
    Status getBookmark(Bookmark* bookmark) const override;

    Status getCurrentRecord(std::uint8_t* buffer) const override;
    Status getNextRecord(std::uint8_t* buffer) override;
    Status getPriorRecord(std::uint8_t* buffer) override;

    Status insertRecord(const std::uint8_t* buffer) override;
    Status modifyRecord(const std::uint8_t* buffer) override;
    Status deleteRecord() override;

    std::uint32_t recordCount() const override;
    std::uint32_t positionNumber() const override;

    // Called by the store when it is destroyed first.
    void storeGone();
    RecordList::Position* position() { return &position_; }

private:
    using Where = RecordList::Position::Where;
    Status crackStatus() const { return position_.where == Where::Beginning ? kBof : kEof; }
    Status checkRecordBuffer(const std::uint8_t* buffer) const;

    RecordStore* store_;
    RecordList::Position position_;
};

}  // namespace dsengine
