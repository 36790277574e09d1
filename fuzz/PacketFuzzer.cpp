// Feeds arbitrary bytes to the storage engine as a data packet. A packet is
// either refused with an "Invalid data packet" text, or loaded; a loaded one
// must read back consistently through a cursor (forwards, backwards, by
// position and by bookmark), save to a packet that loads to the same records,
// and take the edits its set parameters allow.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Cursor.h"
#include "engine/EngineStatus.h"
#include "engine/RecordStore.h"
#include "fuzz/FuzzCheck.h"

namespace {

using namespace dsengine;
using Record = std::vector<FieldValue>;

bool sameValue(const FieldValue& a, const FieldValue& b) {
    if (a.null || b.null) {
        return a.null == b.null;
    }
    return a.integer == b.integer && a.bytes == b.bytes;
}

bool sameRecord(const Record& a, const Record& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!sameValue(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

// Every field of a record buffer, each checked against its column.
Record readRecord(const RecordStore& store, const std::vector<std::uint8_t>& buffer) {
    Record record(store.columnCount());
    for (std::size_t column = 0; column < store.columnCount(); ++column) {
        FieldValue& value = record[column];
        FUZZ_CHECK(store.getField(buffer.data(), column, &value) == kOk);
        FUZZ_CHECK(store.checkField(column, value) == kOk);
        const ColumnDesc& desc = store.column(column);
        if (value.null) {
            continue;
        }
        switch (desc.type) {
            case kTypeString:
                FUZZ_CHECK(value.bytes.size() <= desc.size);
                break;
            case kTypeBoolean:
                FUZZ_CHECK(value.integer >= 0 && value.integer <= 0xFFFF);
                FUZZ_CHECK(value.bytes.empty());
                break;
            default:
                FUZZ_CHECK(value.bytes.empty());
                break;
        }
    }
    return record;
}

// The records in order, read by walking a new cursor forwards.
std::vector<Record> readForwards(RecordStore& store, std::vector<Bookmark>* bookmarks) {
    Cursor cursor(&store);
    std::vector<std::uint8_t> buffer(store.recordSize());
    std::vector<Record> records;
    Status status;
    while ((status = cursor.getNextRecord(buffer.data())) == kOk) {
        records.push_back(readRecord(store, buffer));
        FUZZ_CHECK(cursor.positionNumber() == records.size());
        if (bookmarks != nullptr) {
            Bookmark bookmark = 0;
            FUZZ_CHECK(cursor.getBookmark(&bookmark) == kOk);
            bookmarks->push_back(bookmark);
        }
    }
    FUZZ_CHECK(status == kEof);
    FUZZ_CHECK(cursor.positionNumber() == 0);
    FUZZ_CHECK(cursor.getNextRecord(buffer.data()) == kEof);
    FUZZ_CHECK(records.size() == cursor.recordCount());
    return records;
}

void checkBackwards(RecordStore& store, const std::vector<Record>& records) {
    Cursor cursor(&store);
    cursor.moveToEnd();
    std::vector<std::uint8_t> buffer(store.recordSize());
    std::size_t index = records.size();
    Status status;
    while ((status = cursor.getPriorRecord(buffer.data())) == kOk) {
        FUZZ_CHECK(index > 0);
        --index;
        FUZZ_CHECK(sameRecord(readRecord(store, buffer), records[index]));
        FUZZ_CHECK(cursor.positionNumber() == index + 1);
    }
    FUZZ_CHECK(status == kBof);
    FUZZ_CHECK(index == 0);
}

// Positions and bookmarks of a sample of records: the first few, the last few
// and a stride through the middle, so that long packets stay quick.
void checkJumps(RecordStore& store, const std::vector<Record>& records,
                const std::vector<Bookmark>& bookmarks) {
    Cursor cursor(&store);
    std::vector<std::uint8_t> buffer(store.recordSize());
    const std::size_t count = records.size();
    const std::size_t stride = count / 16 + 1;
    for (std::size_t index = 0; index < count;
         index += (index < 4 || index + 4 >= count) ? 1 : stride) {
        FUZZ_CHECK(cursor.moveToPosition(static_cast<std::uint32_t>(index + 1)) == kOk);
        FUZZ_CHECK(cursor.getCurrentRecord(buffer.data()) == kOk);
        FUZZ_CHECK(sameRecord(readRecord(store, buffer), records[index]));
        cursor.moveToBeginning();
        FUZZ_CHECK(cursor.moveToBookmark(bookmarks[index]) == kOk);
        FUZZ_CHECK(cursor.positionNumber() == index + 1);
    }
    FUZZ_CHECK(cursor.moveToPosition(0) == kErrNoSuchPosition);
    FUZZ_CHECK(cursor.moveToPosition(static_cast<std::uint32_t>(count + 1)) == kErrNoSuchPosition);
}

// Saving writes a packet that loads to the same schema and records, and that
// saves again to the very same bytes.
void checkSaveRoundTrip(const RecordStore& store, const std::vector<Record>& records) {
    std::vector<std::uint8_t> saved;
    FUZZ_CHECK(store.savePacket(&saved) == kOk);
    RecordStore reloaded;
    const Status status = reloaded.loadPacket(saved.data(), saved.size());
    FUZZ_CHECK_MSG(status == kOk, reloaded.statusText(status));
    FUZZ_CHECK(reloaded.columnCount() == store.columnCount());
    for (std::size_t column = 0; column < store.columnCount(); ++column) {
        FUZZ_CHECK(reloaded.column(column).name == store.column(column).name);
        FUZZ_CHECK(reloaded.column(column).type == store.column(column).type);
        FUZZ_CHECK(reloaded.column(column).size == store.column(column).size);
        FUZZ_CHECK(reloaded.column(column).attributes == store.column(column).attributes);
    }
    FUZZ_CHECK(reloaded.readOnly() == store.readOnly());
    const std::vector<Record> again = readForwards(reloaded, nullptr);
    FUZZ_CHECK(again.size() == records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        FUZZ_CHECK(sameRecord(again[i], records[i]));
    }
    std::vector<std::uint8_t> savedAgain;
    FUZZ_CHECK(reloaded.savePacket(&savedAgain) == kOk);
    FUZZ_CHECK(savedAgain == saved);
}

// Deletes the first record and inserts it again, modifies it with itself, and
// inserts a record of nulls at the end; the set parameters decide which of
// these the engine must refuse.
void checkEdits(RecordStore& store, const std::vector<Record>& records,
                const std::vector<Bookmark>& bookmarks) {
    Cursor cursor(&store);
    std::vector<std::uint8_t> buffer(store.recordSize());
    const std::uint32_t count = cursor.recordCount();
    if (!records.empty()) {
        FUZZ_CHECK(cursor.moveToPosition(1) == kOk);
        FUZZ_CHECK(cursor.getCurrentRecord(buffer.data()) == kOk);
        const Status modified = cursor.modifyRecord(buffer.data());
        FUZZ_CHECK(modified == (store.readOnly()        ? kErrReadOnly
                                : store.editsDisabled() ? kErrEditsDisabled
                                                        : kOk));
        const Status deleted = cursor.deleteRecord();
        FUZZ_CHECK(deleted == (store.readOnly()          ? kErrReadOnly
                               : store.deletesDisabled() ? kErrDeletesDisabled
                                                         : kOk));
        if (deleted == kOk) {
            FUZZ_CHECK(cursor.recordCount() == count - 1);
            FUZZ_CHECK(cursor.moveToBookmark(bookmarks[0]) == kErrBadBookmark);
            FUZZ_CHECK(!store.statusText(kErrBadBookmark).empty());
            if (records.size() > 1) {
                FUZZ_CHECK(cursor.moveToBookmark(bookmarks[1]) == kOk);
                FUZZ_CHECK(cursor.positionNumber() == 1);
            }
            cursor.moveToBeginning();
            if (cursor.insertRecord(buffer.data()) == kOk) {
                FUZZ_CHECK(cursor.positionNumber() == 1);
                std::vector<std::uint8_t> back(store.recordSize());
                FUZZ_CHECK(cursor.getCurrentRecord(back.data()) == kOk);
                FUZZ_CHECK(sameRecord(readRecord(store, back), records[0]));
            }
        }
    }
    store.initRecord(buffer.data());
    cursor.moveToEnd();
    const std::uint32_t before = cursor.recordCount();
    const Status inserted = cursor.insertRecord(buffer.data());
    FUZZ_CHECK(inserted == (store.readOnly()          ? kErrReadOnly
                            : store.insertsDisabled() ? kErrInsertsDisabled
                                                      : kOk));
    if (inserted == kOk) {
        FUZZ_CHECK(cursor.recordCount() == before + 1);
        FUZZ_CHECK(cursor.positionNumber() == before + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RecordStore store;
    const Status status = store.loadPacket(data, size);
    if (status != kOk) {
        FUZZ_CHECK(status == kErrInvalidPacket || status == kErrOutOfMemory);
        const std::string text = store.statusText(status);
        FUZZ_CHECK(text.size() <= kMaxStatusText);
        FUZZ_CHECK_MSG(status != kErrInvalidPacket || text.starts_with("Invalid data packet: "),
                       text);
        FUZZ_CHECK(!store.loaded());
        return 0;
    }
    FUZZ_CHECK(store.columnCount() >= 1);
    for (std::size_t column = 0; column < store.columnCount(); ++column) {
        const ColumnDesc& desc = store.column(column);
        FUZZ_CHECK(!desc.name.empty());
        FUZZ_CHECK(desc.type == kTypeInt32 || desc.type == kTypeBoolean ||
                   desc.type == kTypeString);
        FUZZ_CHECK(desc.type != kTypeString || (desc.size >= 1 && desc.size <= 65535));
    }
    // A second packet is always refused.
    FUZZ_CHECK(store.loadPacket(data, size) == kErrAlreadyLoaded);

    std::vector<Bookmark> bookmarks;
    const std::vector<Record> records = readForwards(store, &bookmarks);
    checkBackwards(store, records);
    checkJumps(store, records, bookmarks);
    checkSaveRoundTrip(store, records);
    checkEdits(store, records, bookmarks);
    return 0;
}
