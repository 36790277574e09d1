// A long seeded random run of cursor operations on two cursors, checked after
// every step against a plain vector model: contents, positions, record count,
// change count and bookmarks. Run on the window's schema and on a schema of
// wide records, whose small chunks split and merge all the time.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "EngineTestSupport.h"

namespace enginetest {
namespace {

struct ModelCursor {
    enum class Where { Beginning, Record, End };
    Where where = Where::Beginning;
    std::size_t index = 0;  // on a record
};

struct SchemaCase {
    const char* name;
    std::vector<ColumnDesc> columns;
    friend void PrintTo(const SchemaCase& schema, std::ostream* out) { *out << schema.name; }
};

class RandomModel : public ::testing::TestWithParam<SchemaCase> {
protected:
    void SetUp() override {
        columns_ = GetParam().columns;
        store_ = loadStore(writePacket(columns_, {}));
        cursors_[0] = std::make_unique<Cursor>(store_.get());
        cursors_[1] = std::make_unique<Cursor>(store_.get());
        buffer_.resize(store_->recordSize());
    }

    std::vector<FieldValue> randomRow() {
        std::vector<FieldValue> fields;
        for (const ColumnDesc& column : columns_) {
            if (random_() % 5 == 0) {
                fields.push_back(nullValue());
                continue;
            }
            switch (column.type) {
                case kTypeInt32:
                    fields.push_back(intValue(static_cast<std::int32_t>(random_())));
                    break;
                case kTypeBoolean:
                    fields.push_back(intValue(static_cast<std::int32_t>(
                        random_() % 3 == 0 ? random_() % 65536 : random_() % 2)));
                    break;
                default: {
                    std::string bytes(random_() % (column.size + 1), '\0');
                    for (char& c : bytes) {
                        c = static_cast<char>(random_());
                    }
                    fields.push_back(textValue(std::move(bytes)));
                    break;
                }
            }
        }
        return fields;
    }

    // Where an insert through cursor `c` places its record in the model.
    std::size_t insertIndex(const ModelCursor& c) const {
        switch (c.where) {
            case ModelCursor::Where::Beginning:
                return 0;
            case ModelCursor::Where::Record:
                return c.index;
            default:
                return order_.size();
        }
    }

    void checkCursor(int which) {
        ICursor& cursor = *cursors_[which];
        const ModelCursor& model = model_[which];
        ASSERT_EQ(cursor.recordCount(), order_.size());
        const Status status = cursor.getCurrentRecord(buffer_.data());
        switch (model.where) {
            case ModelCursor::Where::Beginning:
                ASSERT_EQ(status, kBof);
                ASSERT_EQ(cursor.positionNumber(), 0u);
                break;
            case ModelCursor::Where::End:
                ASSERT_EQ(status, kEof);
                ASSERT_EQ(cursor.positionNumber(), 0u);
                break;
            case ModelCursor::Where::Record:
                ASSERT_EQ(status, kOk);
                ASSERT_EQ(cursor.positionNumber(), model.index + 1);
                ASSERT_EQ(fieldsOf(*store_, buffer_.data()), rows_[order_[model.index]]);
                break;
        }
    }

    void step() {
        const int which = static_cast<int>(random_() % 2);
        ICursor& cursor = *cursors_[which];
        ModelCursor& model = model_[which];
        ModelCursor& other = model_[1 - which];
        // Two growing stretches, then a shrinking one, so the set swells and empties.
        const bool growing = (stepNumber_ / 20000) % 3 != 2;
        const unsigned roll = random_() % 100;

        if (roll < (growing ? 30u : 12u)) {  // insert at the cursor, sometimes at the end
            if (random_() % 4 == 0) {
                cursor.moveToEnd();
                model = {ModelCursor::Where::End, 0};
            }
            const std::vector<FieldValue> fields = randomRow();
            ASSERT_EQ(cursor.insertRecord(recordOf(*store_, fields).data()), kOk);
            const std::size_t at = insertIndex(model);
            rows_.push_back(fields);
            order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(at), rows_.size() - 1);
            alive_.push_back(true);
            if (other.where == ModelCursor::Where::Record && other.index >= at) {
                ++other.index;
            }
            model = {ModelCursor::Where::Record, at};
            ++changes_;
        } else if (roll < (growing ? 40u : 45u)) {  // delete
            if (model.where != ModelCursor::Where::Record) {
                ASSERT_EQ(cursor.deleteRecord(), kErrNoCurrentRecord);
                return;
            }
            ASSERT_EQ(cursor.deleteRecord(), kOk);
            const std::size_t at = model.index;
            alive_[order_[at]] = false;
            order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(at));
            for (ModelCursor* c : {&model, &other}) {
                if (c->where != ModelCursor::Where::Record) {
                    continue;
                }
                if (c->index > at) {
                    --c->index;
                }
                if (c->index >= order_.size()) {
                    *c = {ModelCursor::Where::End, 0};
                }
            }
            ++changes_;
        } else if (roll < 50) {  // modify
            const std::vector<FieldValue> fields = randomRow();
            if (model.where != ModelCursor::Where::Record) {
                ASSERT_EQ(cursor.modifyRecord(recordOf(*store_, fields).data()),
                          kErrNoCurrentRecord);
                return;
            }
            ASSERT_EQ(cursor.modifyRecord(recordOf(*store_, fields).data()), kOk);
            rows_[order_[model.index]] = fields;
            ++changes_;
        } else if (roll < 65) {  // next
            const Status status = cursor.getNextRecord(buffer_.data());
            const std::size_t target = model.where == ModelCursor::Where::Beginning ? 0
                                       : model.where == ModelCursor::Where::Record ? model.index + 1
                                                                                   : order_.size();
            if (target < order_.size()) {
                ASSERT_EQ(status, kOk);
                model = {ModelCursor::Where::Record, target};
                ASSERT_EQ(fieldsOf(*store_, buffer_.data()), rows_[order_[target]]);
            } else {
                ASSERT_EQ(status, kEof);
                model = {ModelCursor::Where::End, 0};
            }
        } else if (roll < 80) {  // prior
            const Status status = cursor.getPriorRecord(buffer_.data());
            const bool hasPrior = (model.where == ModelCursor::Where::End && !order_.empty()) ||
                                  (model.where == ModelCursor::Where::Record && model.index > 0);
            if (hasPrior) {
                const std::size_t target =
                    model.where == ModelCursor::Where::End ? order_.size() - 1 : model.index - 1;
                ASSERT_EQ(status, kOk);
                model = {ModelCursor::Where::Record, target};
                ASSERT_EQ(fieldsOf(*store_, buffer_.data()), rows_[order_[target]]);
            } else {
                ASSERT_EQ(status, kBof);
                model = {ModelCursor::Where::Beginning, 0};
            }
        } else if (roll < 88) {  // move to a position, now and then one that does not exist
            const std::uint32_t position =
                static_cast<std::uint32_t>(random_() % (order_.size() + 2));
            const Status status = cursor.moveToPosition(position);
            if (position >= 1 && position <= order_.size()) {
                ASSERT_EQ(status, kOk);
                model = {ModelCursor::Where::Record, position - 1};
            } else {
                ASSERT_EQ(status, kErrNoSuchPosition);
            }
        } else if (roll < 92) {  // remember a bookmark
            Bookmark bookmark = 0;
            const Status status = cursor.getBookmark(&bookmark);
            if (model.where != ModelCursor::Where::Record) {
                ASSERT_EQ(status, model.where == ModelCursor::Where::Beginning ? kBof : kEof);
                return;
            }
            ASSERT_EQ(status, kOk);
            bookmarks_.push_back({bookmark, order_[model.index]});
            if (bookmarks_.size() > 64) {
                bookmarks_.erase(bookmarks_.begin());
            }
        } else if (roll < 97) {  // go to a remembered bookmark
            if (bookmarks_.empty()) {
                return;
            }
            const auto [bookmark, id] = bookmarks_[random_() % bookmarks_.size()];
            const Status status = cursor.moveToBookmark(bookmark);
            if (!alive_[id]) {
                ASSERT_EQ(status, kErrBadBookmark);
                return;
            }
            ASSERT_EQ(status, kOk);
            const auto found = std::find(order_.begin(), order_.end(), id);
            model = {ModelCursor::Where::Record, static_cast<std::size_t>(found - order_.begin())};
        } else if (roll < 99) {
            cursor.moveToBeginning();
            model = {ModelCursor::Where::Beginning, 0};
        } else {
            cursor.moveToEnd();
            model = {ModelCursor::Where::End, 0};
        }
    }

    std::vector<ColumnDesc> columns_;
    std::unique_ptr<RecordStore> store_;
    std::unique_ptr<Cursor> cursors_[2];
    ModelCursor model_[2];
    std::vector<std::vector<FieldValue>> rows_;  // every record ever made, by id
    std::vector<bool> alive_;                    // by id
    std::vector<std::size_t> order_;             // ids in placement order
    std::vector<std::pair<Bookmark, std::size_t>> bookmarks_;
    std::uint32_t changes_ = 0;
    std::uint64_t stepNumber_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::mt19937 random_{987654321};
};

TEST_P(RandomModel, AgreesWithAVectorAfterEveryStep) {
    constexpr std::uint64_t kSteps = 120000;
    std::size_t largest = 0;
    for (stepNumber_ = 0; stepNumber_ < kSteps; ++stepNumber_) {
        step();
        checkCursor(0);
        checkCursor(1);
        ASSERT_EQ(store_->changeCount(), changes_);
        if (HasFatalFailure()) {
            FAIL() << "at step " << stepNumber_;
        }
        largest = std::max(largest, order_.size());
        if (stepNumber_ % 20000 == 0) {
            std::vector<std::vector<FieldValue>> expected;
            for (std::size_t id : order_) {
                expected.push_back(rows_[id]);
            }
            ASSERT_EQ(allRecords(*store_), expected) << "at step " << stepNumber_;
        }
    }
    // The run must have spread over many chunks to exercise splits and merges.
    EXPECT_GT(largest, 2 * store_->records().chunkCapacity());
}

INSTANTIATE_TEST_SUITE_P(Schemas, RandomModel,
                         ::testing::Values(SchemaCase{"WindowSchema", storedSchema()},
                                           SchemaCase{"WideRecords",
                                                      {{"Id", kTypeInt32, 4, 0, 4},
                                                       {"Text", kTypeString, 1, 0, 2000},
                                                       {"Flag", kTypeBoolean, 2, 0, 2},
                                                       {"Code", kTypeString, 1, 0, 3}}}),
                         [](const ::testing::TestParamInfo<SchemaCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace enginetest
