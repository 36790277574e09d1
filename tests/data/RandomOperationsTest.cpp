// A long seeded run of random operations on the window's record set, compared
// after every step with a plain model of what the record set must hold: the
// records, the current record, the state, the set flags, the modified flag,
// the counts, the record window and the distances scrolls report.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "data/DBErrors.h"
#include "tests/data/Recorder.h"
#include "tests/support/WindowRecordSet.h"

namespace {

constexpr int kFieldCount = 4;
using Value = std::optional<std::string>;  // a field's text, nullopt for null
using Record = std::array<Value, kFieldCount>;

const std::string kNotEditing = "ClientDataSet1: Dataset not in edit or insert mode";

// What the record set must do, written as plainly as possible.
struct Model {
    std::vector<Record> records;
    int current = -1;  // index of the current stored record; -1 when there is none
    TDataSetState state = TDataSetState::dsBrowse;
    bool bof = true;
    bool eof = true;
    bool modified = false;
    Record pending{};  // the working copy (Edit) or the new record (Insert)
    int insertAt = 0;  // Insert: the index the new record will take
    bool appending = false;
    bool logged = false;  // a change logged since the set was opened

    bool editing() const {
        return state == TDataSetState::dsEdit || state == TDataSetState::dsInsert;
    }
    int size() const { return static_cast<int>(records.size()); }
    void reread() { bof = eof = records.empty(); }

    void checkBrowseMode() {
        if (editing()) {
            if (modified) {
                post();
            } else {
                cancel();
            }
        }
    }
    void insert(bool append) {
        checkBrowseMode();
        pending = Record{};
        pending[0] = "1";  // the after-insert handler
        appending = append;
        insertAt = append ? size() : std::max(current, 0);
        state = TDataSetState::dsInsert;
        modified = true;
        if (append) {
            bof = false;
            eof = true;
        }
    }
    void edit() {
        if (editing()) {
            return;
        }
        if (records.empty()) {
            insert(false);
            return;
        }
        state = TDataSetState::dsEdit;
        pending = records[static_cast<std::size_t>(current)];
        modified = false;
    }
    std::string post() {
        if (!editing()) {
            return kNotEditing;
        }
        if (state == TDataSetState::dsEdit) {
            records[static_cast<std::size_t>(current)] = pending;
        } else {
            records.insert(records.begin() + insertAt, pending);
            current = insertAt;
        }
        logged = true;
        state = TDataSetState::dsBrowse;
        modified = false;
        reread();
        return {};
    }
    void cancel() {
        if (!editing()) {
            return;
        }
        if (state == TDataSetState::dsInsert && appending) {
            current = size() - 1;
        }
        state = TDataSetState::dsBrowse;
        modified = false;
        reread();
    }
    std::string deleteRecord() {
        if (state == TDataSetState::dsInsert) {
            cancel();
            return {};
        }
        if (records.empty()) {
            return "ClientDataSet1: Cannot perform this operation on an empty dataset";
        }
        records.erase(records.begin() + current);
        current = std::min(current, size() - 1);
        logged = true;
        state = TDataSetState::dsBrowse;
        modified = false;
        reread();
        return {};
    }
    void first() {
        checkBrowseMode();
        current = records.empty() ? -1 : 0;
        bof = true;
        eof = records.empty();
    }
    void last() {
        checkBrowseMode();
        current = size() - 1;
        eof = true;
        bof = records.empty();
    }
    // Returns the records moved, or nullopt when the move did nothing at all.
    std::optional<int> moveBy(int distance) {
        checkBrowseMode();
        if (distance == 0 || (distance > 0 && eof) || (distance < 0 && bof)) {
            return std::nullopt;
        }
        bof = eof = false;
        if (distance > 0) {
            const int moved = std::min(distance, size() - 1 - current);
            current += moved;
            eof = moved < distance;
            return moved;
        }
        const int moved = std::min(-distance, current);
        current -= moved;
        bof = moved < -distance;
        return -moved;
    }
    void setRecNo(int position) {
        checkBrowseMode();
        if (records.empty()) {
            return;
        }
        position = std::clamp(position, 1, size());
        if (position - 1 != current) {
            current = position - 1;
            bof = eof = false;
        }
    }
    std::string refresh() {
        checkBrowseMode();
        reread();
        return logged ? "ClientDataSet1: Must apply updates before refreshing data"
                      : "ClientDataSet1: Missing data provider or data packet";
    }
    void reopen() {
        records.clear();
        current = -1;
        state = TDataSetState::dsBrowse;
        bof = eof = true;
        modified = false;
        logged = false;
    }
    // A field write whose conversion gave `value` (or failed with `conversionError`).
    std::string write(int field, const Value& value, const std::string& conversionError) {
        if (!conversionError.empty()) {
            return conversionError;
        }
        if (!editing()) {
            return kNotEditing;
        }
        pending[static_cast<std::size_t>(field)] = value;
        modified = true;
        return {};
    }

    Record currentRecord() const {
        if (editing()) {
            return pending;
        }
        return current >= 0 ? records[static_cast<std::size_t>(current)] : Record{};
    }
};

// A text written into a field and what it must give.
struct TextWrite {
    int field;
    const char* text;
    Value stored;
    const char* error;  // without the field name's message, "" when it converts
};

const TextWrite kTextWrites[] = {
    {0, "12", "12", ""},
    {0, "-0x10", "-16", ""},
    {0, " 7", "7", ""},
    {0, "$FFFFFFFF", "-1", ""},
    {0, "", std::nullopt, ""},
    {0, "abc", std::nullopt, "'abc' is not a valid integer value for field 'AInt'"},
    {0, "12 ", std::nullopt, "'12 ' is not a valid integer value for field 'AInt'"},
    {0, "2147483648", std::nullopt, "'2147483648' is not a valid integer value for field 'AInt'"},
    {1, "hello", "hello", ""},
    {1, "", std::nullopt, ""},
    {1, "abcdefghijklmno", "abcdefghijkl", ""},
    {1, "abcdefghij\xE4\xB8\xAD", "abcdefghij", ""},
    {1, "  pad ", "  pad ", ""},
    {2, "t", "True", ""},
    {2, "FA", "False", ""},
    {2, "", std::nullopt, ""},
    {2, "x", std::nullopt, "'x' is not a valid boolean value for field 'ABoolean'"},
    {2, "Falsey", std::nullopt, "'Falsey' is not a valid boolean value for field 'ABoolean'"},
    {3, "aa", "aa", ""},
    {3, "bb", "bb", ""},
    {3, "abc", "ab", ""},
    {3, "", std::nullopt, ""},
};

class RandomRun {
public:
    explicit RandomRun(unsigned seed) : random_(seed) {
        link_.setDataSource(set_.source);
        fields_ = {set_.aInt, set_.aStr, set_.aBoolean, set_.strShowCheck};
    }

    void step(int number) {
        stepNumber_ = number;
        const int oldFirst = windowFirst();
        const bool wasBrowsing = model_.state == TDataSetState::dsBrowse;
        log_.take();
        std::optional<int> expectedMove;
        bool moveDidNothing = false;
        std::string expected;
        std::string actual;
        auto run = [&actual](auto&& action) {
            try {
                action();
            } catch (const Exception& error) {
                actual = error.what();
            }
        };

        const int size = model_.size();
        const int choice = pick(0, 99);
        if (choice < (size > 40 ? 4 : 10)) {
            operation_ = "insert";
            model_.insert(false);
            run([&] { data().insert(); });
        } else if (choice < 18) {
            operation_ = "append";
            if (size > 40) {
                operation_ = "first";
                model_.first();
                run([&] { data().first(); });
            } else {
                model_.insert(true);
                run([&] { data().append(); });
            }
        } else if (choice < 24) {
            operation_ = "edit";
            model_.edit();
            run([&] { data().edit(); });
        } else if (choice < 27) {
            operation_ = "edit request";
            if (model_.state == TDataSetState::dsBrowse) {
                model_.edit();
            }
            run([&] { link_.edit(); });
        } else if (choice < 34) {
            operation_ = "post";
            expected = model_.post();
            run([&] { data().post(); });
        } else if (choice < 38) {
            operation_ = "cancel";
            model_.cancel();
            run([&] { data().cancel(); });
        } else if (choice < (size > 20 ? 48 : 43)) {
            operation_ = "delete";
            expected = model_.deleteRecord();
            run([&] { data().deleteRecord(); });
        } else if (choice < 50) {
            operation_ = "first";
            model_.first();
            run([&] { data().first(); });
        } else if (choice < 52) {
            operation_ = "last";
            model_.last();
            run([&] { data().last(); });
        } else if (choice < 62) {
            const int distance = pick(0, 9) < 6 ? (pick(0, 1) ? 1 : -1) : pick(-8, 8);
            operation_ = "move by " + std::to_string(distance);
            expectedMove = model_.moveBy(distance);
            moveDidNothing = !expectedMove;
            int moved = 0;
            run([&] { moved = data().moveBy(distance); });
            EXPECT_EQ(moved, expectedMove.value_or(0)) << where();
        } else if (choice < 65) {
            const int position = pick(-1, size + 1);
            operation_ = "move to position " + std::to_string(position);
            model_.setRecNo(position);
            run([&] { data().setRecNo(position); });
        } else if (choice < 67) {
            operation_ = "refresh";
            expected = model_.refresh();
            run([&] { data().refresh(); });
        } else if (choice < 90) {
            const TextWrite& write = kTextWrites[pick(0, std::size(kTextWrites) - 1)];
            operation_ = std::string("write '") + write.text + "' into " +
                         fields_[static_cast<std::size_t>(write.field)]->fieldName();
            expected = model_.write(write.field, write.stored, write.error);
            run([&] { fields_[static_cast<std::size_t>(write.field)]->setAsString(write.text); });
        } else if (choice < 93) {
            const int field = pick(0, kFieldCount - 1);
            operation_ = "clear " + fields_[static_cast<std::size_t>(field)]->fieldName();
            expected = model_.write(field, std::nullopt, "");
            run([&] { fields_[static_cast<std::size_t>(field)]->clear(); });
        } else if (choice < 96) {
            const int value = pick(-1000, 1000);
            operation_ = "integer " + std::to_string(value);
            expected = model_.write(0, std::to_string(value), "");
            run([&] { set_.aInt->setAsInteger(value); });
        } else if (choice < 98) {
            const bool value = pick(0, 1) == 1;
            operation_ = "Boolean";
            expected = model_.write(2, value ? "True" : "False", "");
            run([&] { set_.aBoolean->setAsBoolean(value); });
        } else if (choice < 99) {
            const int rows = pick(1, 6);
            operation_ = "window of " + std::to_string(rows);
            link_.setBufferCount(rows);
        } else {
            operation_ = "close and open";
            model_.reopen();
            run([&] {
                data().close();
                data().open();
            });
        }

        EXPECT_EQ(actual, expected) << where();
        compare();
        checkNotifications(oldFirst, moveDidNothing && wasBrowsing);
    }

    bool failed() const { return ::testing::Test::HasFailure(); }

private:
    TDataSet& data() { return *set_.dataSet; }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::string where() const { return "step " + std::to_string(stepNumber_) + ": " + operation_; }

    // The model's index of the record in the window's first row (Browse only).
    int windowFirst() const {
        return model_.state == TDataSetState::dsBrowse && model_.current >= 0
                   ? model_.current - set_.dataSet->activeRow()
                   : -1;
    }

    Record readRow() const {
        Record values;
        for (std::size_t f = 0; f < kFieldCount; ++f) {
            if (!fields_[f]->isNull()) {
                values[f] = fields_[f]->asString();
            }
        }
        return values;
    }

    void compare() {
        TDataSet& set = data();
        ASSERT_EQ(set.state(), model_.state) << where();
        EXPECT_EQ(set.bof(), model_.bof) << where();
        EXPECT_EQ(set.eof(), model_.eof) << where();
        EXPECT_EQ(set.modified(), model_.modified) << where();
        ASSERT_EQ(set.recordCount(), model_.size()) << where();
        const int expectedRecNo = model_.state == TDataSetState::dsInsert ? -1 : model_.current + 1;
        ASSERT_EQ(set.recNo(), expectedRecNo) << where();
        EXPECT_EQ(readRow(), model_.currentRecord()) << where();

        // Every row of the window against the model's records.
        const int count = set.windowCount();
        const int active = set.activeRow();
        EXPECT_EQ(link_.recordCount(), count) << where();
        EXPECT_EQ(link_.activeRecord(), active) << where();
        if (model_.state == TDataSetState::dsBrowse) {
            EXPECT_EQ(count, std::min(set.windowSize(), model_.size())) << where();
        }
        ASSERT_TRUE(count > 0 || model_.currentRecord() == Record{}) << where();
        for (int row = 0; row < count; ++row) {
            Record expected;
            if (row == active) {
                expected = model_.currentRecord();
            } else {
                const int anchor =
                    model_.state == TDataSetState::dsInsert ? model_.insertAt : model_.current;
                int index = anchor + row - active;
                if (model_.state == TDataSetState::dsInsert && row > active) {
                    index -= 1;
                }
                ASSERT_GE(index, 0) << where() << ", row " << row;
                ASSERT_LT(index, model_.size()) << where() << ", row " << row;
                expected = model_.records[static_cast<std::size_t>(index)];
            }
            TDataSet::RowScope scope(set, row);
            EXPECT_EQ(readRow(), expected) << where() << ", row " << row;
        }
    }

    // `quietMove`: a move from Browse that found nothing to do, which sends
    // only the leave-editing notice.
    void checkNotifications(int oldFirst, bool quietMove) {
        const std::vector<std::string> entries = log_.take();
        if (quietMove) {
            EXPECT_EQ(entries, std::vector<std::string>{"LeaveEditing"}) << where();
            return;
        }
        const bool reread =
            std::find(entries.begin(), entries.end(), "DataSetChange") != entries.end();
        for (const std::string& entry : entries) {
            if (entry.rfind("Scroll(", 0) == 0 && !reread && oldFirst >= 0) {
                const int distance = std::stoi(entry.substr(7));
                EXPECT_EQ(windowFirst() - oldFirst, distance) << where();
            }
        }
    }

    std::mt19937 random_;
    WindowRecordSet set_;
    EventLog log_;
    RecordingLink link_{log_, 4};
    std::vector<TField*> fields_;
    Model model_;
    int stepNumber_ = 0;
    std::string operation_;
};

TEST(RandomOperations, TheRecordSetFollowsItsModelStepByStep) {
    constexpr int kSteps = 120000;
    RandomRun run(20240611u);
    for (int step = 1; step <= kSteps && !run.failed(); ++step) {
        run.step(step);
    }
}

}  // namespace
