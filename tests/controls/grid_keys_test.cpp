// Moving around the grid with the keyboard: records, columns, appending at
// the end, inserting, and keeping the focus inside the grid.

#include <QScrollBar>

#include "tests/controls/grid_fixture.h"

namespace gridtest {
namespace {

using Keys = GridFixture;

// The current cell, as assistive technology sees it.
std::pair<int, int> focusedCell(const GridFixture& fixture, QAccessibleTableInterface* table) {
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (table->cellAt(row, column)->state().focused) {
                return {row, column};
            }
        }
    }
    (void)fixture;
    return {-1, -1};
}

TEST_F(Keys, DownOnTheLastRecordAppendsAndASecondDownPostsIt) {
    addRecord({0, "only", false, "bb"});
    key(Qt::Key_Down);
    EXPECT_EQ(set().state(), TDataSetState::dsInsert);
    EXPECT_EQ(set().recordCount(), 1);
    EXPECT_EQ(shownState(1, kAInt), "checked") << "the new record has AInt 1";
    key(Qt::Key_Down);
    EXPECT_EQ(set().state(), TDataSetState::dsInsert);
    EXPECT_EQ(set().recordCount(), 2);
    key(Qt::Key_Up);
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(set().recordCount(), 3);
    EXPECT_EQ(set().recNo(), 2);
}

TEST_F(Keys, TabInTheLastColumnOfTheLastRecordAppendsAndGoesToAInt) {
    addRecord({0, "only", false, "bb"});
    key(Qt::Key_End);
    ASSERT_EQ(focusedCell(*this, table()), std::make_pair(0, int(kStrShowCheck)));
    key(Qt::Key_Tab);
    EXPECT_EQ(set().state(), TDataSetState::dsInsert);
    EXPECT_EQ(focusedCell(*this, table()), std::make_pair(1, int(kAInt)));
    key(Qt::Key_Space);
    EXPECT_EQ(data.aInt->asInteger(), 0);
}

TEST_F(Keys, TabAndShiftTabWrapBetweenRecords) {
    addRecord({1, "first", true, "aa"});
    addRecord({1, "second", true, "aa"});
    set().first();
    for (int i = 0; i < 4; ++i) {
        key(Qt::Key_Tab);
    }
    EXPECT_EQ(set().recNo(), 2);
    EXPECT_EQ(focusedCell(*this, table()), std::make_pair(1, int(kAInt)));
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(set().recNo(), 1);
    EXPECT_EQ(focusedCell(*this, table()), std::make_pair(0, int(kStrShowCheck)));
    // Shift+Tab in the first column of the first record stays there.
    key(Qt::Key_Home);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(set().recNo(), 1);
    EXPECT_EQ(focusedCell(*this, table()), std::make_pair(0, int(kAInt)));
}

TEST_F(Keys, TabAndArrowsNeverMoveTheFocusOutOfTheGrid) {
    addRecord({1, "first", true, "aa"});
    addRecord({1, "second", true, "aa"});
    set().first();
    const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {Qt::Key_Tab, Qt::NoModifier},        {Qt::Key_Tab, Qt::ShiftModifier},
        {Qt::Key_Backtab, Qt::ShiftModifier}, {Qt::Key_Left, Qt::NoModifier},
        {Qt::Key_Right, Qt::NoModifier},      {Qt::Key_Up, Qt::NoModifier},
        {Qt::Key_Down, Qt::NoModifier}};
    for (int round = 0; round < 12; ++round) {
        for (const auto& [k, modifiers] : keys) {
            key(k, modifiers);
            ASSERT_TRUE(focusInGrid()) << "after key " << k << " in round " << round;
        }
    }
    // From the open in-place editor too.
    key(Qt::Key_Home);
    key(Qt::Key_Right);
    type(QStringLiteral("x"));
    ASSERT_NE(QApplication::focusWidget(), grid);
    key(Qt::Key_Tab);
    EXPECT_TRUE(focusInGrid());
    key(Qt::Key_Tab, Qt::ShiftModifier);
    key(Qt::Key_F2);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(focusInGrid());
}

TEST_F(Keys, PagesHomeEndAndFirstLast) {
    for (int i = 1; i <= 40; ++i) {
        addRecord({i, "r" + std::to_string(i), true, "aa"});
    }
    key(Qt::Key_Home, Qt::ControlModifier);
    ASSERT_EQ(set().recNo(), 1);
    const int visibleRows = table()->rowCount();
    ASSERT_GT(visibleRows, 3);
    ASSERT_LT(visibleRows, 40);
    key(Qt::Key_PageDown);
    EXPECT_EQ(set().recNo(), 1 + visibleRows);
    key(Qt::Key_PageUp);
    EXPECT_EQ(set().recNo(), 1);
    key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(set().recNo(), 40);
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    key(Qt::Key_End);
    EXPECT_EQ(focusedCell(*this, table()).second, int(kStrShowCheck));
    key(Qt::Key_Left);
    EXPECT_EQ(focusedCell(*this, table()).second, int(kABoolean));
    key(Qt::Key_Home);
    EXPECT_EQ(focusedCell(*this, table()).second, int(kAInt));
    key(Qt::Key_Left);
    EXPECT_EQ(focusedCell(*this, table()).second, int(kAInt));
    // The last row shown is the last record.
    EXPECT_EQ(table()->cellAt(table()->rowCount() - 1, kAStr)->text(QAccessible::Name),
              QStringLiteral("r40"));
}

TEST_F(Keys, TheScrollBarStandsForPositionNumbers) {
    for (int i = 1; i <= 50; ++i) {
        addRecord({i, "r" + std::to_string(i), true, "aa"});
    }
    set().first();
    QScrollBar* bar = nullptr;
    for (QScrollBar* candidate : grid->findChildren<QScrollBar*>()) {
        if (candidate->orientation() == Qt::Vertical) {
            bar = candidate;
        }
    }
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 50);
    EXPECT_EQ(bar->value(), 1);
    bar->setSliderPosition(37);  // as a drag of the thumb does
    QApplication::processEvents();
    EXPECT_EQ(set().recNo(), 37);
    EXPECT_EQ(data.aStr->asString(), "r37");
    key(Qt::Key_Down);
    EXPECT_EQ(bar->value(), 38);
}

TEST_F(Keys, InsertPutsANewRecordBeforeTheCurrentOne) {
    addRecord({0, "first", true, "aa"});
    addRecord({0, "second", true, "aa"});
    key(Qt::Key_Insert);
    EXPECT_EQ(set().state(), TDataSetState::dsInsert);
    set().post();
    EXPECT_EQ(set().recNo(), 2);
    EXPECT_EQ(data.aInt->asInteger(), 1);
    set().last();
    EXPECT_EQ(data.aStr->asString(), "second");
}

TEST_F(Keys, DownOnTheEmptySetAppends) {
    key(Qt::Key_Down);
    EXPECT_EQ(set().state(), TDataSetState::dsInsert);
    EXPECT_EQ(shownState(0, kAInt), "checked");
}

}  // namespace
}  // namespace gridtest
