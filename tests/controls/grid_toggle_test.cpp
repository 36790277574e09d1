// Toggling check-box cells with the mouse and Space, clearing them with
// Delete, deleting records with Ctrl+Delete, and Esc after a toggle.

#include "tests/controls/grid_fixture.h"

namespace gridtest {
namespace {

using Toggle = GridFixture;

struct TriggerCase {
    const char* name;
    bool bySpace;
};

class TypicalEvent : public GridFixture, public testing::WithParamInterface<TriggerCase> {};

// The road of one typical event: the blank row of the empty set, AInt
// toggled by a click or by Space: the edit request inserts, the after-insert
// handler writes 1, the toggle turns that into 0.
TEST_P(TypicalEvent, FromTheBlankRowInsertsAndWritesZero) {
    ASSERT_EQ(set().recordCount(), 0);
    ASSERT_EQ(shownState(0, kAInt), "no box");
    if (GetParam().bySpace) {
        key(Qt::Key_Space);
    } else {
        click(0, kAInt);
    }
    EXPECT_EQ(set().state(), TDataSetState::dsInsert);
    EXPECT_EQ(set().recordCount(), 0);
    EXPECT_FALSE(data.aInt->isNull());
    EXPECT_EQ(data.aInt->asInteger(), 0);
    EXPECT_TRUE(data.aStr->isNull());
    EXPECT_TRUE(data.aBoolean->isNull());
    EXPECT_TRUE(data.strShowCheck->isNull());
    EXPECT_EQ(shownState(0, kAInt), "clear");
    EXPECT_EQ(shownState(0, kABoolean), "grey");
    EXPECT_EQ(shownState(0, kStrShowCheck), "grey");
    EXPECT_TRUE(dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(ClickOrSpace, TypicalEvent,
                         testing::Values(TriggerCase{"Click", false}, TriggerCase{"Space", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Toggle, SingleClicksCycleThroughTheKeyValues) {
    click(0, kAInt);  // inserts the record
    std::vector<std::string> strShowCheck;
    std::vector<bool> aBoolean;
    for (int i = 0; i < 3; ++i) {
        click(0, kStrShowCheck);
        strShowCheck.push_back(data.strShowCheck->asString());
    }
    for (int i = 0; i < 3; ++i) {
        click(0, kABoolean);
        aBoolean.push_back(data.aBoolean->asBoolean());
    }
    EXPECT_EQ(strShowCheck, (std::vector<std::string>{"aa", "bb", "aa"}));
    EXPECT_EQ(aBoolean, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(set().state(), TDataSetState::dsInsert);
}

TEST_F(Toggle, AClickAnywhereInTheCellToggles) {
    addRecord({1, "x", true, "aa"});
    const QRect cell = grid->cellRect(0, kStrShowCheck);
    for (QPoint corner : {cell.topLeft(), cell.bottomRight()}) {
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, corner);
    }
    // Two toggles: back where it started, but the record is in Edit.
    EXPECT_EQ(data.strShowCheck->asString(), "aa");
    EXPECT_EQ(set().state(), TDataSetState::dsEdit);
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, cell.topLeft() + QPoint(1, 1));
    EXPECT_EQ(data.strShowCheck->asString(), "bb");
}

TEST_F(Toggle, PressInOneCellAndReleaseInAnotherOnlyMoves) {
    addRecord({1, "x", true, "aa"});
    click(0, kAStr);
    QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, centreOf(0, kStrShowCheck));
    QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, centreOf(0, kABoolean));
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data.strShowCheck->asString(), "aa");
    EXPECT_TRUE(data.aBoolean->asBoolean());
    // The pressed cell became the current one: Space toggles it.
    EXPECT_TRUE(cell(0, kStrShowCheck)->state().focused);
    key(Qt::Key_Space);
    EXPECT_EQ(data.strShowCheck->asString(), "bb");
}

TEST_F(Toggle, ADoubleClickTogglesOnce) {
    addRecord({1, "x", true, "aa"});
    doubleClick(0, kAInt);
    EXPECT_EQ(data.aInt->asInteger(), 0);
    doubleClick(0, kStrShowCheck);
    EXPECT_EQ(data.strShowCheck->asString(), "bb");
}

TEST_F(Toggle, ClicksOnTitlesAndIndicatorsNeverToggle) {
    addRecord({1, "x", true, "aa"});
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->titleRect(kAInt).center());
    const QRect indicator(grid->cellRect(0, 0).left() - 6, grid->cellRect(0, 0).top(), 4,
                          grid->cellRect(0, 0).height());
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, indicator.center());
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data.aInt->asInteger(), 1);
}

TEST_F(Toggle, AClickOnAnotherRowPostsMovesAndToggles) {
    addRecord({1, "first", true, "aa"});
    addRecord({1, "second", false, "bb"});
    set().first();
    click(0, kAInt);  // first record into Edit, AInt 0
    ASSERT_EQ(set().state(), TDataSetState::dsEdit);
    click(1, kAInt);
    EXPECT_EQ(set().state(), TDataSetState::dsEdit);
    EXPECT_EQ(set().recNo(), 2);
    EXPECT_EQ(data.aStr->asString(), "second");
    EXPECT_EQ(data.aInt->asInteger(), 0);
    set().cancel();
    set().first();
    EXPECT_EQ(data.aInt->asInteger(), 0) << "the first record's toggle was posted";
}

TEST_F(Toggle, APressWhoseMoveFailsTogglesNothing) {
    addRecord({1, "first", true, "aa"});
    addRecord({1, "second", false, "bb"});
    set().first();
    click(0, kAInt);
    set().BeforePost = [](TDataSet&) { throw EDatabaseError("Posting refused"); };
    click(1, kStrShowCheck);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Posting refused"));
    EXPECT_EQ(set().state(), TDataSetState::dsEdit);
    EXPECT_EQ(data.aStr->asString(), "first");
    EXPECT_EQ(data.strShowCheck->asString(), "aa");
    set().BeforePost = nullptr;
    set().cancel();
    set().last();
    EXPECT_EQ(data.strShowCheck->asString(), "bb");
}

TEST_F(Toggle, RefusalsAreSilent) {
    addRecord({1, "x", true, "aa"});
    data.source->setAutoEdit(false);
    click(0, kAInt);
    key(Qt::Key_Space);
    key(Qt::Key_Delete);
    data.source->setAutoEdit(true);
    set().setReadOnly(true);
    click(0, kAInt);
    key(Qt::Key_Delete);
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data.aInt->asInteger(), 1);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Toggle, KeysOtherThanSpaceDoNotChangeACheckBox) {
    addRecord({1, "x", true, "aa"});
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_F2, Qt::Key_A, Qt::Key_1}) {
        key(k);
    }
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data.aInt->asInteger(), 1);
    EXPECT_EQ(QApplication::focusWidget(), grid) << "no editor opened";
}

struct DeleteCase {
    const char* name;
    Qt::KeyboardModifiers modifiers;
    std::optional<DialogButton> answer;  // the confirmation's answer, when one is asked
    int recordsAfter;
    bool aIntNull;
};

class DeleteKey : public GridFixture, public testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteKey, ClearsTheFieldOrDeletesTheRecord) {
    addRecord({1, "first", true, "aa"});
    addRecord({1, "second", true, "aa"});
    set().first();
    if (GetParam().answer) {
        dialogs.answers.push_back(*GetParam().answer);
    }
    key(Qt::Key_Delete, GetParam().modifiers);
    ASSERT_EQ(dialogs.shown.size(), GetParam().answer ? 1u : 0u);
    if (GetParam().answer) {
        const DialogRequest& asked = dialogs.shown[0];
        EXPECT_EQ(asked.caption, QStringLiteral("Confirm"));
        EXPECT_EQ(asked.text, QStringLiteral("Delete record?"));
        EXPECT_EQ(asked.icon, DialogIcon::Question);
    }
    EXPECT_EQ(set().recordCount(), GetParam().recordsAfter);
    EXPECT_EQ(data.aInt->isNull(), GetParam().aIntNull);
    if (GetParam().aIntNull) {
        EXPECT_EQ(shownState(0, kAInt), "grey");
        EXPECT_EQ(set().state(), TDataSetState::dsEdit);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DeleteKey,
    testing::Values(DeleteCase{"Delete", Qt::NoModifier, std::nullopt, 2, true},
                    DeleteCase{"ShiftDelete", Qt::ShiftModifier, std::nullopt, 2, true},
                    DeleteCase{"CtrlDeleteOk", Qt::ControlModifier, DialogButton::Ok, 1, false},
                    DeleteCase{"CtrlDeleteCancel", Qt::ControlModifier, DialogButton::Cancel, 2,
                               false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Toggle, CtrlDeleteOnTheEmptySetAsksNothing) {
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
}

TEST_F(Toggle, EscAfterAToggleOnAPostedRecordRestoresIt) {
    addRecord({1, "x", true, "aa"});
    click(0, kStrShowCheck);
    ASSERT_EQ(data.strShowCheck->asString(), "bb");
    key(Qt::Key_Escape);
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(data.strShowCheck->asString(), "aa");
    EXPECT_EQ(shownState(0, kStrShowCheck), "checked");
}

TEST_F(Toggle, EscAfterTheToggleThatInsertedDropsTheRecord) {
    click(0, kAInt);
    ASSERT_EQ(set().state(), TDataSetState::dsInsert);
    key(Qt::Key_Escape);
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse);
    EXPECT_EQ(set().recordCount(), 0);
    EXPECT_EQ(shownState(0, kAInt), "no box");
}

}  // namespace
}  // namespace gridtest
