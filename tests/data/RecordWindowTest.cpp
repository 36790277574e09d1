// The record window: the run of records around the current one that a grid
// shows, how it moves, what the scroll notification says, and reading other
// rows of it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/data/Recorder.h"
#include "tests/support/WindowRecordSet.h"

namespace {

class RecordWindowTest : public ::testing::Test {
protected:
    // A link that asks for three rows, over records whose AInt is 1 to `count`.
    void SetUp() override {
        link.setDataSource(set.source);
        for (int i = 1; i <= 10; ++i) {
            data().append();
            set.aInt->setAsInteger(i);
            data().post();
        }
        data().first();
        log.take();
    }
    TDataSet& data() { return *set.dataSet; }

    // AInt of every row of the window, the current one in brackets.
    std::string rows() {
        std::string text;
        for (int row = 0; row < data().windowCount(); ++row) {
            TDataSet::RowScope scope(data(), row);
            const std::string value = set.aInt->isNull() ? "-" : set.aInt->asString();
            text += row == data().activeRow() ? "[" + value + "]" : value;
            text += row + 1 < data().windowCount() ? " " : "";
        }
        return text;
    }

    WindowRecordSet set;
    EventLog log;
    RecordingLink link{log, 3};
};

TEST_F(RecordWindowTest, MovesInsideTheWindowThenSlideIt) {
    EXPECT_EQ(data().windowSize(), 3);
    EXPECT_EQ(rows(), "[1] 2 3");
    data().next();
    EXPECT_EQ(rows(), "1 [2] 3");
    data().next();
    EXPECT_EQ(rows(), "1 2 [3]");
    data().next();
    EXPECT_EQ(rows(), "2 3 [4]");
    data().moveBy(3);
    EXPECT_EQ(rows(), "5 6 [7]");
    data().moveBy(-4);
    EXPECT_EQ(rows(), "[3] 4 5");
    data().moveBy(-1);
    EXPECT_EQ(rows(), "[2] 3 4");
    // Only the moves that slid the window report a distance.
    EXPECT_EQ(log.take(), (std::vector<std::string>{"LeaveEditing", "Scroll(0)", "LeaveEditing",
                                                    "Scroll(0)", "LeaveEditing", "Scroll(1)",
                                                    "LeaveEditing", "Scroll(3)", "LeaveEditing",
                                                    "Scroll(-2)", "LeaveEditing", "Scroll(-1)"}));
}

TEST_F(RecordWindowTest, FirstLastAndPositionNumbersRefillTheWindow) {
    data().last();
    EXPECT_EQ(rows(), "8 9 [10]");
    data().setRecNo(5);
    EXPECT_EQ(rows(), "4 [5] 6");
    data().setRecNo(1);
    EXPECT_EQ(rows(), "[1] 2 3");
    data().setRecNo(10);
    EXPECT_EQ(rows(), "8 9 [10]");
    data().first();
    EXPECT_EQ(rows(), "[1] 2 3");
}

TEST_F(RecordWindowTest, ANewRecordTakesTheCurrentRowAndAppendGoesToTheBottom) {
    data().next();
    data().insert();
    EXPECT_EQ(rows(), "1 [1] 2");  // the new record has AInt 1 from the handler
    set.aInt->setAsInteger(15);
    EXPECT_EQ(rows(), "1 [15] 2");
    data().post();
    EXPECT_EQ(rows(), "1 [15] 2");
    data().cancel();
    data().insert();
    data().cancel();
    EXPECT_EQ(rows(), "1 [15] 2");

    data().append();
    EXPECT_EQ(rows(), "9 10 [1]");
    data().cancel();
    EXPECT_EQ(rows(), "8 9 [10]");
}

TEST_F(RecordWindowTest, PostAndCancelKeepTheCurrentRow) {
    data().moveBy(4);  // window 3 4 [5]
    data().prior();    // 3 [4] 5
    data().edit();
    set.aInt->setAsInteger(40);
    EXPECT_EQ(rows(), "3 [40] 5");
    data().post();
    EXPECT_EQ(rows(), "3 [40] 5");
    data().deleteRecord();
    EXPECT_EQ(rows(), "3 [5] 6");
    data().last();
    data().deleteRecord();
    EXPECT_EQ(rows(), "7 8 [9]");
}

TEST_F(RecordWindowTest, RowsOutsideTheWindowReadNull) {
    {
        TDataSet::RowScope scope(data(), 3);
        EXPECT_TRUE(set.aInt->isNull());
    }
    {
        TDataSet::RowScope scope(data(), -1);
        EXPECT_TRUE(set.aInt->isNull());
    }
    EXPECT_EQ(set.aInt->asInteger(), 1);
}

TEST_F(RecordWindowTest, TheLargestWishSizesTheWindowAndLinksSeeTheirShare) {
    EventLog other;
    RecordingLink small(other, 2);
    small.setDataSource(set.source);
    EXPECT_EQ(data().windowSize(), 3);
    EXPECT_EQ(link.recordCount(), 3);
    EXPECT_EQ(small.recordCount(), 2);
    for (int step = 0; step < 9; ++step) {
        EXPECT_EQ(link.activeRecord(), data().activeRow());
        EXPECT_GE(small.activeRecord(), 0);
        EXPECT_LT(small.activeRecord(), 2);
        EXPECT_EQ(small.firstRecord() + small.activeRecord(), data().activeRow());
        data().next();
    }
    data().last();
    link.setBufferCount(5);
    EXPECT_EQ(data().windowSize(), 5);
    EXPECT_EQ(rows(), "6 7 8 9 [10]");
    EXPECT_TRUE(data().eof());  // a resize keeps the set flags
    link.setDataSource(nullptr);
    EXPECT_EQ(data().windowSize(), 2);
    EXPECT_EQ(rows(), "9 [10]");
    small.setDataSource(nullptr);
    EXPECT_EQ(data().windowSize(), 1);
    EXPECT_EQ(rows(), "[10]");
}

TEST_F(RecordWindowTest, ResizingWhileEditingKeepsTheWorkingCopy) {
    data().moveBy(2);  // 1 2 [3]
    data().edit();
    set.aInt->setAsInteger(30);
    link.setBufferCount(2);
    EXPECT_EQ(rows(), "2 [30]");
    link.setBufferCount(6);
    EXPECT_EQ(rows(), "2 [30]");  // grows at the next re-read
    data().post();
    EXPECT_EQ(rows(), "2 [30] 4 5 6 7");
    EXPECT_EQ(data().recordCount(), 10);
}

TEST(RecordWindow, AnEmptySetHasNoRows) {
    WindowRecordSet set;
    EventLog log;
    RecordingLink link(log, 4);
    link.setDataSource(set.source);
    EXPECT_EQ(set.dataSet->windowCount(), 0);
    EXPECT_EQ(link.recordCount(), 0);
    set.dataSet->insert();
    EXPECT_EQ(set.dataSet->windowCount(), 1);
    EXPECT_EQ(link.recordCount(), 1);
    set.dataSet->cancel();
    EXPECT_EQ(set.dataSet->windowCount(), 0);
    EXPECT_TRUE(set.dataSet->isEmpty());
}

}  // namespace
