// Cursor navigation and changes on a small record set: cracks at both ends,
// insert before the current record, delete onto the following record,
// bookmarks, several cursors on one store, the change count, and the packet's
// permissions.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace enginetest {
namespace {

std::vector<FieldValue> row(std::int32_t number) {
    return {intValue(number), textValue("r" + std::to_string(number)), intValue(number % 2),
            nullValue()};
}

class SmallSet : public ::testing::Test {
protected:
    void SetUp() override {
        store_ = loadStore(storedPacket());
        cursor_ = std::make_unique<Cursor>(store_.get());
        buffer_.resize(store_->recordSize());
    }

    // Appends records with the given numbers.
    void fill(std::initializer_list<std::int32_t> numbers) {
        for (std::int32_t number : numbers) {
            cursor_->moveToEnd();
            ASSERT_EQ(cursor_->insertRecord(recordOf(*store_, row(number)).data()), kOk);
        }
    }
    // AInt of every record in order.
    std::vector<std::int32_t> numbers() {
        std::vector<std::int32_t> result;
        for (const auto& fields : allRecords(*store_)) {
            result.push_back(fields[0].integer);
        }
        return result;
    }
    // AInt of the current record, or -1 on a crack.
    std::int32_t current(ICursor& cursor) {
        if (cursor.getCurrentRecord(buffer_.data()) != kOk) {
            return -1;
        }
        return fieldsOf(*store_, buffer_.data())[0].integer;
    }
    std::int32_t current() { return current(*cursor_); }

    std::unique_ptr<RecordStore> store_;
    std::unique_ptr<Cursor> cursor_;
    std::vector<std::uint8_t> buffer_;
};

TEST_F(SmallSet, EmptySetHasOnlyCracks) {
    EXPECT_EQ(cursor_->recordCount(), 0u);
    EXPECT_EQ(cursor_->positionNumber(), 0u);
    EXPECT_EQ(cursor_->getCurrentRecord(buffer_.data()), kBof);
    EXPECT_EQ(cursor_->getNextRecord(buffer_.data()), kEof);
    EXPECT_EQ(cursor_->getCurrentRecord(buffer_.data()), kEof);
    EXPECT_EQ(cursor_->getPriorRecord(buffer_.data()), kBof);
    Bookmark bookmark = 0;
    EXPECT_EQ(cursor_->getBookmark(&bookmark), kBof);
    EXPECT_EQ(cursor_->moveToPosition(1), kErrNoSuchPosition);
    EXPECT_NE(store_->statusText(kErrNoSuchPosition)
                  .find("There is no record at position 1; the record set holds 0 records"),
              std::string::npos);
    EXPECT_EQ(cursor_->deleteRecord(), kErrNoCurrentRecord);
    EXPECT_NE(store_->statusText(kErrNoCurrentRecord).find("before the first record"),
              std::string::npos);
    EXPECT_EQ(cursor_->modifyRecord(buffer_.data()), kErrNoCurrentRecord);
    EXPECT_EQ(store_->changeCount(), 0u);
}

TEST_F(SmallSet, InsertGoesBeforeTheCurrentRecordAndBecomesCurrent) {
    // On the empty set, at the beginning.
    ASSERT_EQ(cursor_->insertRecord(recordOf(*store_, row(2)).data()), kOk);
    EXPECT_EQ(cursor_->positionNumber(), 1u);
    // At the end: appended.
    cursor_->moveToEnd();
    ASSERT_EQ(cursor_->insertRecord(recordOf(*store_, row(4)).data()), kOk);
    EXPECT_EQ(cursor_->positionNumber(), 2u);
    // On record 4: before it.
    ASSERT_EQ(cursor_->insertRecord(recordOf(*store_, row(3)).data()), kOk);
    EXPECT_EQ(cursor_->positionNumber(), 2u);
    EXPECT_EQ(current(), 3);
    // At the beginning: before the first.
    cursor_->moveToBeginning();
    ASSERT_EQ(cursor_->insertRecord(recordOf(*store_, row(1)).data()), kOk);
    EXPECT_EQ(cursor_->positionNumber(), 1u);
    EXPECT_EQ(numbers(), (std::vector<std::int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(cursor_->recordCount(), 4u);
    EXPECT_EQ(store_->changeCount(), 4u);
}

TEST_F(SmallSet, NextAndPriorStopOnTheCracks) {
    fill({1, 2, 3});
    cursor_->moveToBeginning();
    std::vector<std::int32_t> forward;
    Status status;
    while ((status = cursor_->getNextRecord(buffer_.data())) == kOk) {
        forward.push_back(fieldsOf(*store_, buffer_.data())[0].integer);
        EXPECT_EQ(cursor_->positionNumber(), forward.size());
    }
    EXPECT_EQ(status, kEof);
    EXPECT_EQ(forward, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(cursor_->positionNumber(), 0u);
    // Staying on the end crack, the buffer untouched.
    std::fill(buffer_.begin(), buffer_.end(), 0xAB);
    EXPECT_EQ(cursor_->getNextRecord(buffer_.data()), kEof);
    EXPECT_EQ(buffer_, std::vector<std::uint8_t>(buffer_.size(), 0xAB));
    // Back from the end crack: the last record.
    ASSERT_EQ(cursor_->getPriorRecord(buffer_.data()), kOk);
    EXPECT_EQ(fieldsOf(*store_, buffer_.data())[0].integer, 3);
    ASSERT_EQ(cursor_->moveToPosition(1), kOk);
    EXPECT_EQ(cursor_->getPriorRecord(buffer_.data()), kBof);
    EXPECT_EQ(cursor_->positionNumber(), 0u);
    EXPECT_EQ(cursor_->getPriorRecord(buffer_.data()), kBof);
    ASSERT_EQ(cursor_->getNextRecord(buffer_.data()), kOk);
    EXPECT_EQ(fieldsOf(*store_, buffer_.data())[0].integer, 1);
}

TEST_F(SmallSet, MoveToPositionAcceptsOnlyExistingPositions) {
    fill({10, 20, 30});
    ASSERT_EQ(cursor_->moveToPosition(2), kOk);
    EXPECT_EQ(current(), 20);
    EXPECT_EQ(cursor_->moveToPosition(0), kErrNoSuchPosition);
    EXPECT_EQ(cursor_->moveToPosition(4), kErrNoSuchPosition);
    EXPECT_EQ(cursor_->positionNumber(), 2u);  // a failed move stays put
}

TEST_F(SmallSet, DeleteLeavesTheCursorOnTheFollowingRecordOrAtTheEnd) {
    fill({1, 2, 3});
    ASSERT_EQ(cursor_->moveToPosition(2), kOk);
    ASSERT_EQ(cursor_->deleteRecord(), kOk);
    EXPECT_EQ(current(), 3);
    EXPECT_EQ(cursor_->positionNumber(), 2u);
    ASSERT_EQ(cursor_->deleteRecord(), kOk);
    EXPECT_EQ(cursor_->getCurrentRecord(buffer_.data()), kEof);
    EXPECT_EQ(cursor_->positionNumber(), 0u);
    ASSERT_EQ(cursor_->getPriorRecord(buffer_.data()), kOk);
    ASSERT_EQ(cursor_->deleteRecord(), kOk);
    EXPECT_EQ(cursor_->recordCount(), 0u);
    EXPECT_EQ(cursor_->getCurrentRecord(buffer_.data()), kEof);
    EXPECT_EQ(store_->changeCount(), 6u);
}

TEST_F(SmallSet, ModifyReplacesTheCurrentRecordAndCountsOneChange) {
    fill({1, 2});
    ASSERT_EQ(cursor_->moveToPosition(1), kOk);
    ASSERT_EQ(cursor_->modifyRecord(recordOf(*store_, row(9)).data()), kOk);
    EXPECT_EQ(numbers(), (std::vector<std::int32_t>{9, 2}));
    EXPECT_EQ(cursor_->positionNumber(), 1u);
    EXPECT_EQ(store_->changeCount(), 3u);
    // Refused changes are not counted.
    cursor_->moveToEnd();
    EXPECT_EQ(cursor_->modifyRecord(recordOf(*store_, row(5)).data()), kErrNoCurrentRecord);
    EXPECT_EQ(cursor_->deleteRecord(), kErrNoCurrentRecord);
    EXPECT_EQ(store_->changeCount(), 3u);
}

TEST_F(SmallSet, BookmarksFindTheirRecordUntilItIsDeleted) {
    fill({1, 2, 3});
    ASSERT_EQ(cursor_->moveToPosition(2), kOk);
    Bookmark two = 0;
    ASSERT_EQ(cursor_->getBookmark(&two), kOk);
    // Records inserted and deleted around it do not disturb it.
    cursor_->moveToBeginning();
    ASSERT_EQ(cursor_->insertRecord(recordOf(*store_, row(0)).data()), kOk);
    ASSERT_EQ(cursor_->moveToPosition(4), kOk);
    ASSERT_EQ(cursor_->deleteRecord(), kOk);
    cursor_->moveToEnd();
    ASSERT_EQ(cursor_->moveToBookmark(two), kOk);
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(cursor_->positionNumber(), 3u);

    ASSERT_EQ(cursor_->deleteRecord(), kOk);
    EXPECT_EQ(cursor_->moveToBookmark(two), kErrBadBookmark);
    EXPECT_NE(store_->statusText(kErrBadBookmark).find("does not belong to a record of this set"),
              std::string::npos);
    // A new record takes the freed slot but not the old bookmark.
    ASSERT_EQ(cursor_->insertRecord(recordOf(*store_, row(7)).data()), kOk);
    Bookmark seven = 0;
    ASSERT_EQ(cursor_->getBookmark(&seven), kOk);
    EXPECT_NE(seven, two);
    EXPECT_EQ(cursor_->moveToBookmark(two), kErrBadBookmark);
    EXPECT_EQ(cursor_->moveToBookmark(0), kErrBadBookmark);
    EXPECT_EQ(cursor_->moveToBookmark(~Bookmark{0}), kErrBadBookmark);
}

TEST_F(SmallSet, OtherCursorsKeepTheirRecordsThroughChanges) {
    fill({1, 2, 3, 4});
    Cursor other(store_.get());
    ASSERT_EQ(other.moveToPosition(3), kOk);  // record 3

    ASSERT_EQ(cursor_->moveToPosition(1), kOk);
    ASSERT_EQ(cursor_->insertRecord(recordOf(*store_, row(0)).data()), kOk);
    EXPECT_EQ(current(other), 3);
    EXPECT_EQ(other.positionNumber(), 4u);

    ASSERT_EQ(cursor_->moveToPosition(2), kOk);  // record 1
    ASSERT_EQ(cursor_->deleteRecord(), kOk);
    EXPECT_EQ(current(other), 3);
    EXPECT_EQ(other.positionNumber(), 3u);

    // Deleting the record another cursor stands on moves it on, as it moves the deleter.
    ASSERT_EQ(cursor_->moveToPosition(3), kOk);
    ASSERT_EQ(cursor_->deleteRecord(), kOk);
    EXPECT_EQ(current(other), 4);
    ASSERT_EQ(cursor_->deleteRecord(), kOk);
    EXPECT_EQ(other.getCurrentRecord(buffer_.data()), kEof);
    EXPECT_EQ(numbers(), (std::vector<std::int32_t>{0, 2}));
}

TEST_F(SmallSet, CursorThatOutlivesItsStoreFailsSafely) {
    fill({1});
    Cursor* cursor = cursor_.get();
    ASSERT_EQ(cursor->moveToPosition(1), kOk);
    store_.reset();
    EXPECT_EQ(cursor->getCurrentRecord(buffer_.data()), kErrStoreGone);
    EXPECT_EQ(cursor->getNextRecord(buffer_.data()), kErrStoreGone);
    EXPECT_EQ(cursor->insertRecord(buffer_.data()), kErrStoreGone);
    EXPECT_EQ(cursor->recordCount(), 0u);
    EXPECT_EQ(cursor->positionNumber(), 0u);
    cursor_.reset();
}

TEST(Permissions, SetParametersRefuseTheirChanges) {
    struct Case {
        const char* parameter;
        Status insertStatus;
        Status modifyStatus;
        Status deleteStatus;
        bool readOnly;
    };
    const Case cases[] = {
        {"DISABLE_INSERTS", kErrInsertsDisabled, kOk, kOk, false},
        {"DISABLE_EDITS", kOk, kErrEditsDisabled, kOk, false},
        {"DISABLE_DELETES", kOk, kOk, kErrDeletesDisabled, false},
        {"READ_ONLY", kErrReadOnly, kErrReadOnly, kErrReadOnly, true},
    };
    const std::vector<std::vector<FieldValue>> rows = {row(1), row(2)};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameter);
        auto store =
            loadStore(writePacket(storedSchema(), rows, {{c.parameter, 1, 2, kValueUnsigned}}));
        std::int64_t value = 0;
        ASSERT_TRUE(store->findParameter(c.parameter, &value));
        EXPECT_EQ(value, 1);
        EXPECT_EQ(store->readOnly(), c.readOnly);
        Cursor cursor(store.get());
        const auto record = recordOf(*store, row(5));
        ASSERT_EQ(cursor.moveToPosition(1), kOk);
        EXPECT_EQ(cursor.insertRecord(record.data()), c.insertStatus);
        ASSERT_EQ(cursor.moveToPosition(1), kOk);
        EXPECT_EQ(cursor.modifyRecord(record.data()), c.modifyStatus);
        EXPECT_EQ(cursor.deleteRecord(), c.deleteStatus);
    }
    // A parameter set to 0 allows what it names.
    auto store =
        loadStore(writePacket(storedSchema(), rows, {{"READ_ONLY", 0, 2, kValueUnsigned}}));
    EXPECT_FALSE(store->readOnly());
    Cursor cursor(store.get());
    EXPECT_EQ(cursor.insertRecord(recordOf(*store, row(5)).data()), kOk);
}

}  // namespace
}  // namespace enginetest
