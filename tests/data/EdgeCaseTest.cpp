// States, flags and counts of the record set through its operations, the
// cases the window relies on, and the errors with their prefix.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/DBErrors.h"
#include "tests/support/WindowRecordSet.h"

namespace {

template <typename Action>
std::string errorOf(Action action) {
    try {
        action();
    } catch (const Exception& error) {
        return std::string(error.className()) + ": " + error.what();
    }
    return "(no error)";
}

class RecordSetTest : public ::testing::Test {
protected:
    TDataSet& data() { return *set.dataSet; }
    // Appends records whose AInt is given, then makes the first current.
    void fill(std::initializer_list<int> values) {
        for (int value : values) {
            data().append();
            set.aInt->setAsInteger(value);
            data().post();
        }
        data().first();
    }
    // AInt of every record in order; moves to the first record and back to
    // the position it started on.
    std::vector<int> contents() {
        const int position = data().recNo();
        std::vector<int> values;
        for (data().first(); !data().eof(); data().next()) {
            values.push_back(set.aInt->asInteger());
        }
        if (position > 0) {
            data().setRecNo(position);
        }
        return values;
    }
    void expectFlags(bool bof, bool eof) {
        EXPECT_EQ(data().bof(), bof);
        EXPECT_EQ(data().eof(), eof);
    }
    int changeCount() { return set.dataSet->changeCount(); }

    WindowRecordSet set;
};

TEST_F(RecordSetTest, AfterStartTheSetIsEmptyInBrowse) {
    EXPECT_EQ(data().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data().recordCount(), 0);
    EXPECT_EQ(data().recNo(), 0);
    EXPECT_TRUE(data().isEmpty());
    expectFlags(true, true);
    EXPECT_FALSE(data().modified());
    EXPECT_EQ(changeCount(), 0);
    EXPECT_TRUE(data().canModify());
    for (TField* field : data().fields()) {
        EXPECT_TRUE(field->isNull());
        EXPECT_EQ(field->asString(), "");
    }
}

TEST_F(RecordSetTest, InsertOnTheEmptySetThenPostOrCancel) {
    data().insert();
    EXPECT_EQ(data().state(), TDataSetState::dsInsert);
    EXPECT_EQ(set.aInt->asInteger(), 1);
    EXPECT_EQ(set.aInt->asString(), "1");
    EXPECT_TRUE(set.aStr->isNull());
    EXPECT_TRUE(set.aBoolean->isNull());
    EXPECT_TRUE(set.strShowCheck->isNull());
    EXPECT_EQ(data().recordCount(), 0);
    EXPECT_EQ(data().recNo(), -1);
    expectFlags(true, true);
    EXPECT_TRUE(data().modified());
    EXPECT_FALSE(data().isEmpty());

    data().post();
    EXPECT_EQ(data().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data().recordCount(), 1);
    EXPECT_EQ(data().recNo(), 1);
    expectFlags(false, false);
    EXPECT_FALSE(data().modified());
    EXPECT_GT(changeCount(), 0);
    EXPECT_EQ(set.aInt->asInteger(), 1);

    WindowRecordSet other;
    other.dataSet->insert();
    other.dataSet->cancel();
    EXPECT_EQ(other.dataSet->state(), TDataSetState::dsBrowse);
    EXPECT_EQ(other.dataSet->recordCount(), 0);
    EXPECT_TRUE(other.dataSet->isEmpty());
    EXPECT_TRUE(other.dataSet->bof());
    EXPECT_TRUE(other.dataSet->eof());
    EXPECT_TRUE(other.aInt->isNull());
}

TEST_F(RecordSetTest, EditOnTheEmptySetInsertsWithTheHandler) {
    data().edit();
    EXPECT_EQ(data().state(), TDataSetState::dsInsert);
    EXPECT_EQ(set.aInt->asInteger(), 1);
    EXPECT_TRUE(data().modified());
    EXPECT_EQ(data().recNo(), -1);
}

TEST_F(RecordSetTest, InsertWhileANewRecordIsPendingPostsIt) {
    data().insert();
    data().insert();
    EXPECT_EQ(data().recordCount(), 1);
    data().post();
    EXPECT_EQ(data().recordCount(), 2);
    EXPECT_EQ(contents(), (std::vector<int>{1, 1}));
}

TEST_F(RecordSetTest, InsertGoesBeforeTheCurrentRecordAndAppendAfterTheLast) {
    fill({10, 20, 30});
    data().next();  // 20
    data().insert();
    set.aInt->setAsInteger(15);
    data().post();
    EXPECT_EQ(set.aInt->asInteger(), 15);
    EXPECT_EQ(data().recNo(), 2);
    data().first();
    data().append();
    EXPECT_FALSE(data().bof());
    EXPECT_TRUE(data().eof());
    set.aInt->setAsInteger(40);
    data().post();
    EXPECT_EQ(data().recNo(), 5);
    EXPECT_EQ(contents(), (std::vector<int>{10, 15, 20, 30, 40}));
}

TEST_F(RecordSetTest, InsertAndEditLeaveTheSetFlagsAlone) {
    fill({10, 20});
    data().last();
    expectFlags(false, true);
    data().edit();
    expectFlags(false, true);
    data().cancel();
    expectFlags(false, false);
    data().first();
    data().insert();
    expectFlags(true, false);
}

TEST_F(RecordSetTest, CancelReturnsToTheRecordCurrentBefore) {
    fill({10, 20, 30});
    data().next();
    data().insert();
    data().cancel();
    EXPECT_EQ(set.aInt->asInteger(), 20);
    data().append();
    data().cancel();
    EXPECT_EQ(set.aInt->asInteger(), 30);
    data().edit();
    set.aInt->setAsInteger(99);
    data().cancel();
    EXPECT_EQ(set.aInt->asInteger(), 30);
    EXPECT_EQ(contents(), (std::vector<int>{10, 20, 30}));
}

TEST_F(RecordSetTest, DeleteWhileANewRecordIsPendingDropsOnlyIt) {
    fill({10});
    const int changes = changeCount();
    data().insert();
    data().deleteRecord();
    EXPECT_EQ(data().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data().recordCount(), 1);
    EXPECT_EQ(set.aInt->asInteger(), 10);
    EXPECT_EQ(changeCount(), changes);
}

TEST_F(RecordSetTest, DeleteMakesTheFollowingRecordCurrentOrThePriorAtTheEnd) {
    fill({10, 20, 30, 40});
    data().next();
    data().deleteRecord();
    EXPECT_EQ(set.aInt->asInteger(), 30);
    data().last();
    data().deleteRecord();
    EXPECT_EQ(set.aInt->asInteger(), 30);
    EXPECT_EQ(data().recNo(), 2);
    expectFlags(false, false);
    EXPECT_EQ(contents(), (std::vector<int>{10, 30}));
}

TEST_F(RecordSetTest, DeletingTheOnlyRecordLeavesTheSetEmpty) {
    fill({10});
    data().edit();
    set.aInt->setAsInteger(11);
    data().deleteRecord();
    EXPECT_EQ(data().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data().recordCount(), 0);
    EXPECT_TRUE(data().isEmpty());
    expectFlags(true, true);
    EXPECT_TRUE(set.aInt->isNull());
    EXPECT_GT(changeCount(), 0);
}

TEST_F(RecordSetTest, EditThenMoveWithNothingWrittenCancels) {
    fill({10, 20});
    const int changes = changeCount();
    data().edit();
    data().next();
    EXPECT_EQ(data().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(changeCount(), changes);
    EXPECT_EQ(set.aInt->asInteger(), 20);

    data().edit();
    set.aInt->setAsInteger(21);
    data().prior();
    EXPECT_EQ(changeCount(), changes + 1);
    EXPECT_EQ(contents(), (std::vector<int>{10, 21}));
}

TEST_F(RecordSetTest, RefreshAlwaysFailsButKeepsContentAndCurrentRecord) {
    EXPECT_EQ(errorOf([&] { data().refresh(); }),
              "EDatabaseError: ClientDataSet1: Missing data provider or data packet");
    fill({10, 20, 30});
    data().next();
    EXPECT_EQ(errorOf([&] { data().refresh(); }),
              "EDatabaseError: ClientDataSet1: Must apply updates before refreshing data");
    EXPECT_EQ(data().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(set.aInt->asInteger(), 20);
    expectFlags(false, false);
    EXPECT_EQ(contents(), (std::vector<int>{10, 20, 30}));

    // A pending modified record is posted before the refresh fails.
    data().edit();
    set.aInt->setAsInteger(22);
    EXPECT_THROW(data().refresh(), EDatabaseError);
    EXPECT_EQ(data().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(set.aInt->asInteger(), 22);
}

TEST_F(RecordSetTest, MovesStopAtTheEndsAndCountTheRecordsMoved) {
    fill({10, 20, 30, 40, 50});
    EXPECT_EQ(data().moveBy(3), 3);
    EXPECT_EQ(set.aInt->asInteger(), 40);
    expectFlags(false, false);
    EXPECT_EQ(data().moveBy(5), 1);
    EXPECT_EQ(set.aInt->asInteger(), 50);
    expectFlags(false, true);
    EXPECT_EQ(data().moveBy(1), 0);
    EXPECT_EQ(data().moveBy(-2), -2);
    EXPECT_EQ(set.aInt->asInteger(), 30);
    EXPECT_EQ(data().moveBy(-10), -2);
    expectFlags(true, false);
    EXPECT_EQ(data().moveBy(-1), 0);
    EXPECT_EQ(data().moveBy(4), 4);
    // Reaching the last record exactly does not set the end-of-set flag.
    expectFlags(false, false);
    data().next();
    EXPECT_TRUE(data().eof());
    EXPECT_EQ(set.aInt->asInteger(), 50);
}

TEST_F(RecordSetTest, MoveToAPositionNumberClampsToTheSet) {
    fill({10, 20, 30});
    data().setRecNo(3);
    EXPECT_EQ(set.aInt->asInteger(), 30);
    expectFlags(false, false);
    data().setRecNo(0);
    EXPECT_EQ(set.aInt->asInteger(), 10);
    data().setRecNo(99);
    EXPECT_EQ(set.aInt->asInteger(), 30);
    EXPECT_EQ(data().recNo(), 3);
}

TEST_F(RecordSetTest, FirstAndLastSetTheirFlag) {
    data().first();
    expectFlags(true, true);
    data().last();
    expectFlags(true, true);
    fill({10, 20});
    data().last();
    expectFlags(false, true);
    EXPECT_EQ(set.aInt->asInteger(), 20);
    data().first();
    expectFlags(true, false);
    EXPECT_EQ(set.aInt->asInteger(), 10);
}

TEST_F(RecordSetTest, ChangeStateClearsTheModifiedFlag) {
    fill({10});
    data().edit();
    EXPECT_FALSE(data().modified());
    set.aStr->setAsString("x");
    EXPECT_TRUE(data().modified());
    data().post();
    EXPECT_FALSE(data().modified());
    EXPECT_EQ(set.aStr->asString(), "x");
}

TEST_F(RecordSetTest, AFailedPostKeepsTheWorkingCopy) {
    set.aStr->setRequired(true);
    data().insert();
    set.aBoolean->setAsBoolean(true);
    EXPECT_EQ(errorOf([&] { data().post(); }), "EDatabaseError: Field 'AStr' must have a value");
    EXPECT_EQ(data().state(), TDataSetState::dsInsert);
    EXPECT_TRUE(data().modified());
    EXPECT_TRUE(set.aBoolean->asBoolean());
    EXPECT_EQ(data().recordCount(), 0);
    set.aStr->setAsString("given");
    data().post();
    EXPECT_EQ(data().recordCount(), 1);
}

TEST_F(RecordSetTest, ErrorsOfTheRecordSetCarryItsName) {
    struct Case {
        const char* name;
        std::function<void()> action;
        const char* error;
    };
    const Case openCases[] = {
        {"post in Browse", [&] { data().post(); },
         "EDatabaseError: ClientDataSet1: Dataset not in edit or insert mode"},
        {"delete on the empty set", [&] { data().deleteRecord(); },
         "EDatabaseError: ClientDataSet1: Cannot perform this operation on an empty dataset"},
        {"field that does not exist", [&] { data().fieldByName("Nope"); },
         "EDatabaseError: ClientDataSet1: Field 'Nope' not found"},
    };
    for (const Case& c : openCases) {
        EXPECT_EQ(errorOf(c.action), c.error) << c.name;
    }
    data().close();
    const char* closed =
        "EDatabaseError: ClientDataSet1: Cannot perform this operation on a closed dataset";
    const Case closedCases[] = {
        {"insert", [&] { data().insert(); }, closed},
        {"append", [&] { data().append(); }, closed},
        {"edit", [&] { data().edit(); }, closed},
        {"delete", [&] { data().deleteRecord(); }, closed},
        {"first", [&] { data().first(); }, closed},
        {"move", [&] { data().moveBy(1); }, closed},
        {"refresh", [&] { data().refresh(); }, closed},
        {"post", [&] { data().post(); },
         "EDatabaseError: ClientDataSet1: Dataset not in edit or insert mode"},
        {"cancel", [&] { data().cancel(); }, "(no error)"},
    };
    for (const Case& c : closedCases) {
        EXPECT_EQ(errorOf(c.action), c.error) << c.name;
    }
}

TEST_F(RecordSetTest, AReadOnlySetRefusesChanges) {
    fill({10});
    data().setReadOnly(true);
    EXPECT_FALSE(data().canModify());
    EXPECT_FALSE(set.aInt->canModify());
    const char* refused = "EDatabaseError: ClientDataSet1: Cannot modify a read-only dataset";
    EXPECT_EQ(errorOf([&] { data().insert(); }), refused);
    EXPECT_EQ(errorOf([&] { data().edit(); }), refused);
    EXPECT_EQ(errorOf([&] { data().deleteRecord(); }), refused);
    EXPECT_EQ(data().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data().recordCount(), 1);
}

TEST_F(RecordSetTest, CloseDropsThePendingRecordAndEveryOpenStartsEmpty) {
    fill({10, 20});
    data().insert();
    data().close();
    EXPECT_EQ(data().state(), TDataSetState::dsInactive);
    EXPECT_EQ(data().recordCount(), 0);
    EXPECT_TRUE(set.aInt->isNull());
    data().open();
    EXPECT_EQ(data().recordCount(), 0);
    EXPECT_EQ(changeCount(), 0);
    EXPECT_TRUE(data().bof());
    EXPECT_TRUE(data().eof());
}

TEST_F(RecordSetTest, OpenAndCloseTwiceDoNothingMore) {
    int opens = 0;
    int closes = 0;
    data().AfterOpen = [&](TDataSet&) { ++opens; };
    data().AfterClose = [&](TDataSet&) { ++closes; };
    data().open();
    data().setActive(false);
    data().close();
    data().setActive(true);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(closes, 1);
}

}  // namespace
