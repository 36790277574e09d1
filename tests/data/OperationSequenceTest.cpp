// The exact order of events and notifications of every record-set operation,
// each recorded once and compared with the expected sequence as a whole.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/DBErrors.h"
#include "tests/data/Recorder.h"
#include "tests/support/WindowRecordSet.h"

namespace {

using Steps = std::vector<std::string>;

// The window's record set with a recording link and recorded events.
struct RecordedSet {
    WindowRecordSet set{false};
    EventLog log;
    RecordingLink link{log};

    RecordedSet() {
        link.setDataSource(set.source);
        recordEvents(*set.dataSet, log);
    }
    TDataSet& data() { return *set.dataSet; }
    // Appends records whose AInt is 10, 20, ... and leaves the first current.
    void fill(int count) {
        for (int i = 1; i <= count; ++i) {
            data().append();
            set.aInt->setAsInteger(10 * i);
            data().post();
        }
        data().first();
    }
};

const Steps kInsertSteps = {
    "LeaveEditing",  "BeforeInsert", "BeforeScroll",      "StateChange(dsInsert)", "OnNewRecord",
    "DataSetChange", "AfterInsert",  "FieldChange(AInt)", "AfterScroll",
};
const Steps kPostSteps = {
    "UpdateData",    "LeaveEditing", "BeforePost", "StateChange(dsBrowse)",
    "DataSetChange", "AfterPost",
};
const Steps kCancelInsertSteps = {
    "LeaveEditing",  "BeforeCancel", "BeforeScroll", "StateChange(dsBrowse)",
    "DataSetChange", "AfterCancel",  "AfterScroll",
};
const Steps kCancelEditSteps = {
    "LeaveEditing", "BeforeCancel", "StateChange(dsBrowse)", "DataSetChange", "AfterCancel",
};

Steps join(std::initializer_list<Steps> parts) {
    Steps all;
    for (const Steps& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

struct SequenceCase {
    const char* name;
    std::function<void(RecordedSet&)> prepare;  // runs unrecorded, on the open set
    std::function<void(RecordedSet&)> act;      // recorded
    Steps expected;
};

void insertPending(RecordedSet& r) {
    r.data().insert();
}
void editFirstOfThree(RecordedSet& r) {
    r.fill(3);
    r.data().edit();
}

std::vector<SequenceCase> cases() {
    return {
        {"insert on the empty set", nullptr, [](RecordedSet& r) { r.data().insert(); },
         kInsertSteps},
        {"append on a filled set", [](RecordedSet& r) { r.fill(2); },
         [](RecordedSet& r) { r.data().append(); }, kInsertSteps},
        {"edit on the empty set inserts", nullptr, [](RecordedSet& r) { r.data().edit(); },
         kInsertSteps},
        {"insert while a new record is pending posts it first", insertPending,
         [](RecordedSet& r) { r.data().insert(); },
         join({{"LeaveEditing", "UpdateData"},
               kPostSteps,
               Steps(kInsertSteps.begin() + 1, kInsertSteps.end())})},
        {"post of a new record", insertPending, [](RecordedSet& r) { r.data().post(); },
         kPostSteps},
        {"post of an unchanged edit still stores", editFirstOfThree,
         [](RecordedSet& r) { r.data().post(); }, kPostSteps},
        {"edit with records",
         [](RecordedSet& r) { r.fill(3); },
         [](RecordedSet& r) { r.data().edit(); },
         {"LeaveEditing", "BeforeEdit", "StateChange(dsEdit)", "RecordChange", "AfterEdit"}},
        {"edit while editing does nothing",
         editFirstOfThree,
         [](RecordedSet& r) { r.data().edit(); },
         {}},
        {"field write",
         editFirstOfThree,
         [](RecordedSet& r) { r.set.aStr->setAsString("x"); },
         {"FieldChange(AStr)"}},
        {"cancel of an edit", editFirstOfThree, [](RecordedSet& r) { r.data().cancel(); },
         kCancelEditSteps},
        {"cancel of an insert", insertPending, [](RecordedSet& r) { r.data().cancel(); },
         kCancelInsertSteps},
        {"cancel in Browse does nothing",
         [](RecordedSet& r) { r.fill(1); },
         [](RecordedSet& r) { r.data().cancel(); },
         {}},
        {"delete in Browse",
         [](RecordedSet& r) { r.fill(3); },
         [](RecordedSet& r) { r.data().deleteRecord(); },
         {"LeaveEditing", "BeforeDelete", "BeforeScroll", "DataSetChange", "AfterDelete",
          "AfterScroll"}},
        {"delete in Edit",
         editFirstOfThree,
         [](RecordedSet& r) { r.data().deleteRecord(); },
         {"LeaveEditing", "BeforeDelete", "BeforeScroll", "StateChange(dsBrowse)", "DataSetChange",
          "AfterDelete", "AfterScroll"}},
        {"delete in Insert cancels", insertPending, [](RecordedSet& r) { r.data().deleteRecord(); },
         kCancelInsertSteps},
        {"first",
         [](RecordedSet& r) { r.fill(3); },
         [](RecordedSet& r) { r.data().first(); },
         {"LeaveEditing", "BeforeScroll", "DataSetChange", "AfterScroll"}},
        {"last",
         [](RecordedSet& r) { r.fill(3); },
         [](RecordedSet& r) { r.data().last(); },
         {"LeaveEditing", "BeforeScroll", "DataSetChange", "AfterScroll"}},
        {"next",
         [](RecordedSet& r) { r.fill(3); },
         [](RecordedSet& r) { r.data().next(); },
         {"LeaveEditing", "BeforeScroll", "Scroll(1)", "AfterScroll"}},
        {"prior",
         [](RecordedSet& r) {
             r.fill(3);
             r.data().last();
         },
         [](RecordedSet& r) { r.data().prior(); },
         {"LeaveEditing", "BeforeScroll", "Scroll(-1)", "AfterScroll"}},
        {"next at the end sends nothing",
         [](RecordedSet& r) {
             r.fill(3);
             r.data().last();
         },
         [](RecordedSet& r) { r.data().next(); },
         {"LeaveEditing", "BeforeScroll"}},
        {"move by nothing",
         [](RecordedSet& r) { r.fill(3); },
         [](RecordedSet& r) { r.data().moveBy(0); },
         {"LeaveEditing", "BeforeScroll"}},
        {"move from an unchanged edit cancels it first", editFirstOfThree,
         [](RecordedSet& r) { r.data().next(); },
         join({{"LeaveEditing", "UpdateData"},
               kCancelEditSteps,
               {"BeforeScroll", "Scroll(1)", "AfterScroll"}})},
        {"move from a new record posts it first", insertPending,
         [](RecordedSet& r) { r.data().prior(); },
         // The posted record is the only one: the move finds no prior record,
         // yet it was tried, so the scroll notice and AfterScroll follow.
         join({{"LeaveEditing", "UpdateData"},
               kPostSteps,
               {"BeforeScroll", "Scroll(0)", "AfterScroll"}})},
        {"move to a position number",
         [](RecordedSet& r) { r.fill(5); },
         [](RecordedSet& r) { r.data().setRecNo(4); },
         {"LeaveEditing", "BeforeScroll", "DataSetChange", "AfterScroll"}},
        {"move to the current position number",
         [](RecordedSet& r) { r.fill(5); },
         [](RecordedSet& r) { r.data().setRecNo(1); },
         {"LeaveEditing"}},
        {"refresh fails but re-reads",
         [](RecordedSet& r) { r.fill(1); },
         [](RecordedSet& r) { EXPECT_THROW(r.data().refresh(), EDatabaseError); },
         {"BeforeRefresh", "LeaveEditing", "LeaveEditing", "DataSetChange", "AfterRefresh"}},
        {"refresh posts a new record first", insertPending,
         [](RecordedSet& r) { EXPECT_THROW(r.data().refresh(), EDatabaseError); },
         join({{"BeforeRefresh", "LeaveEditing", "UpdateData"},
               kPostSteps,
               {"LeaveEditing", "DataSetChange", "AfterRefresh"}})},
        {"post in Browse fails before anything",
         [](RecordedSet& r) { r.fill(1); },
         [](RecordedSet& r) { EXPECT_THROW(r.data().post(), EDatabaseError); },
         {}},
        {"close drops a pending record without posting",
         insertPending,
         [](RecordedSet& r) { r.data().close(); },
         {"BeforeClose", "StateChange(dsInactive)", "AfterClose"}},
    };
}

TEST(OperationSequence, EveryOperationSendsItsEventsInOrder) {
    for (const SequenceCase& c : cases()) {
        SCOPED_TRACE(c.name);
        RecordedSet r;
        r.data().open();
        if (c.prepare) {
            c.prepare(r);
        }
        r.log.take();
        c.act(r);
        EXPECT_EQ(r.log.take(), c.expected);
    }
}

TEST(OperationSequence, OpenSendsOneStateChangeBetweenItsEvents) {
    RecordedSet r;
    r.data().open();
    EXPECT_EQ(r.log.take(), (Steps{"BeforeOpen", "StateChange(dsBrowse)", "AfterOpen"}));
}

TEST(OperationSequence, AnErrorInOnNewRecordDropsTheNewRecord) {
    RecordedSet r;
    r.data().open();
    r.fill(1);
    r.data().OnNewRecord = [](TDataSet& set) { set.databaseError("refused"); };
    r.log.take();
    EXPECT_THROW(r.data().insert(), EDatabaseError);
    EXPECT_EQ(r.log.take(),
              (Steps{"LeaveEditing", "BeforeInsert", "BeforeScroll", "StateChange(dsInsert)",
                     "StateChange(dsBrowse)", "DataSetChange"}));
    EXPECT_EQ(r.data().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(r.data().recordCount(), 1);
    EXPECT_EQ(r.set.aInt->asInteger(), 10);
}

}  // namespace
