#include "engine/Cursor.h"

#include <cstring>
#include <new>

#include "engine/RecordStore.h"

namespace dsengine {

Cursor::Cursor(RecordStore* store) : store_(store) {
    store_->attach(this);
}

Cursor::~Cursor() {
    if (store_ != nullptr) {
        store_->detach(this);
    }
}

void Cursor::storeGone() {
    store_ = nullptr;
    position_ = {};
}

void Cursor::moveToBeginning() {
    position_ = {Where::Beginning, nullptr, 0};
}

void Cursor::moveToEnd() {
    position_ = {Where::End, nullptr, 0};
}

Status Cursor::moveToPosition(std::uint32_t position) {
    if (store_ == nullptr) {
        return kErrStoreGone;
    }
    RecordList& records = store_->records();
    if (position == 0 || !records.seek(position - 1, &position_)) {
        return store_->fail(kErrNoSuchPosition,
                            "There is no record at position " + std::to_string(position) +
                                "; the record set holds " + counted(records.size(), "record"));
    }
    return kOk;
}

Status Cursor::moveToBookmark(Bookmark bookmark) {
    if (store_ == nullptr) {
        return kErrStoreGone;
    }
    if (!store_->records().locate(bookmark, &position_)) {
        return store_->fail(kErrBadBookmark, "The bookmark " + std::to_string(bookmark) +
                                                 " does not belong to a record of this set; " +
                                                 "the record may have been deleted");
    }
    return kOk;
}

Status Cursor::getBookmark(Bookmark* bookmark) const {
    if (store_ == nullptr) {
        return kErrStoreGone;
    }
    if (bookmark == nullptr) {
        return store_->fail(kErrNullArgument, "getBookmark needs a place for the bookmark");
    }
    if (position_.where != Where::Record) {
        return crackStatus();
    }
    *bookmark = store_->records().bookmarkOf(position_);
    return kOk;
}

Status Cursor::getCurrentRecord(std::uint8_t* buffer) const {
    if (store_ == nullptr) {
        return kErrStoreGone;
    }
    if (position_.where != Where::Record) {
        return crackStatus();
    }
    if (buffer == nullptr) {
        return store_->fail(kErrNullArgument, "getCurrentRecord needs a record buffer");
    }
    const RecordList& records = store_->records();
    std::memcpy(buffer, records.record(position_), records.recordSize());
    return kOk;
}

Status Cursor::getNextRecord(std::uint8_t* buffer) {
    if (store_ == nullptr) {
        return kErrStoreGone;
    }
    if (buffer == nullptr) {
        return store_->fail(kErrNullArgument, "getNextRecord needs a record buffer");
    }
    RecordList& records = store_->records();
    bool found = false;
    switch (position_.where) {
        case Where::Beginning:
            found = records.first(&position_);
            break;
        case Where::Record:
            found = records.next(&position_);
            break;
        case Where::End:
            break;
    }
    if (!found) {
        moveToEnd();
        return kEof;
    }
    std::memcpy(buffer, records.record(position_), records.recordSize());
    return kOk;
}

Status Cursor::getPriorRecord(std::uint8_t* buffer) {
    if (store_ == nullptr) {
        return kErrStoreGone;
    }
    if (buffer == nullptr) {
        return store_->fail(kErrNullArgument, "getPriorRecord needs a record buffer");
    }
    RecordList& records = store_->records();
    bool found = false;
    switch (position_.where) {
        case Where::End:
            found = records.last(&position_);
            break;
        case Where::Record:
            found = records.prior(&position_);
            break;
        case Where::Beginning:
            break;
    }
    if (!found) {
        moveToBeginning();
        return kBof;
    }
    std::memcpy(buffer, records.record(position_), records.recordSize());
    return kOk;
}

Status Cursor::checkRecordBuffer(const std::uint8_t* buffer) const {
    if (buffer == nullptr) {
        return store_->fail(kErrNullArgument, "A record buffer is needed to store a record");
    }
    if (!store_->layout().bufferValid(buffer)) [[unlikely]] {
        return store_->fail(kErrCorruptBuffer, store_->layout().checkBuffer(buffer));
    }
    return kOk;
}

Status Cursor::insertRecord(const std::uint8_t* buffer) {
    if (store_ == nullptr) {
        return kErrStoreGone;
    }
    if (store_->readOnly()) {
        return store_->fail(kErrReadOnly, "The record set is read-only; no record can be inserted");
    }
    if (store_->insertsDisabled()) {
        return store_->fail(kErrInsertsDisabled, "Inserts are not allowed");
    }
    if (Status status = checkRecordBuffer(buffer); status != kOk) {
        return status;
    }
    RecordList& records = store_->records();
    if (records.size() >= RecordList::kMaxRecords) {
        return store_->fail(kErrTooManyRecords, "The record set already holds " +
                                                    std::to_string(records.size()) +
                                                    " records, the most it can hold");
    }
    try {
        records.insert(&position_, buffer);
    } catch (const std::bad_alloc&) {
        return store_->fail(kErrOutOfMemory, "Out of memory while inserting a record");
    }
    store_->logChange();
    return kOk;
}

Status Cursor::modifyRecord(const std::uint8_t* buffer) {
    if (store_ == nullptr) {
        return kErrStoreGone;
    }
    if (store_->readOnly()) {
        return store_->fail(kErrReadOnly, "The record set is read-only; no record can be modified");
    }
    if (store_->editsDisabled()) {
        return store_->fail(kErrEditsDisabled, "Modifications are not allowed");
    }
    if (position_.where != Where::Record) {
        return store_->fail(
            kErrNoCurrentRecord,
            "There is no current record to modify: the cursor is " +
                std::string(position_.where == Where::Beginning ? "before the first record"
                                                                : "after the last record"));
    }
    if (Status status = checkRecordBuffer(buffer); status != kOk) {
        return status;
    }
    RecordList& records = store_->records();
    std::memcpy(records.record(position_), buffer, records.recordSize());
    store_->logChange();
    return kOk;
}

Status Cursor::deleteRecord() {
    if (store_ == nullptr) {
        return kErrStoreGone;
    }
    if (store_->readOnly()) {
        return store_->fail(kErrReadOnly, "The record set is read-only; no record can be deleted");
    }
    if (store_->deletesDisabled()) {
        return store_->fail(kErrDeletesDisabled, "Deletes are not allowed");
    }
    if (position_.where != Where::Record) {
        return store_->fail(
            kErrNoCurrentRecord,
            "There is no current record to delete: the cursor is " +
                std::string(position_.where == Where::Beginning ? "before the first record"
                                                                : "after the last record"));
    }
    store_->records().remove(&position_);
    store_->logChange();
    return kOk;
}

std::uint32_t Cursor::recordCount() const {
    return store_ != nullptr ? store_->records().size() : 0;
}

std::uint32_t Cursor::positionNumber() const {
    if (store_ == nullptr || position_.where != Where::Record) {
        return 0;
    }
    return store_->records().indexOf(position_) + 1;
}

}  // namespace dsengine
