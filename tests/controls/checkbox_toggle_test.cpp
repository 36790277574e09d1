// Toggling a field-bound check box: the edit request, the pending toggle, and
// when it is written or discarded.

#include <functional>

#include "data/DBErrors.h"
#include "tests/controls/checkbox_fixture.h"

namespace {

using S = TCheckBoxState;

class CheckBoxToggle : public testing::Test {
protected:
    CheckBoxWindow w;

    // Appends and posts one record; null where a text is nullptr.
    void addRecord(const char* aInt, const char* strShowCheck, const char* aBoolean) {
        w.data.dataSet->append();
        auto set = [](TField* field, const char* text) {
            if (text) {
                field->setAsString(text);
            } else {
                field->clear();
            }
        };
        set(w.data.aInt, aInt);
        set(w.data.strShowCheck, strShowCheck);
        set(w.data.aBoolean, aBoolean);
        w.data.dataSet->post();
    }
};

TEST_F(CheckBoxToggle, ClickOnTheIntegerBoxOfAnEmptySetInsertsAndHoldsTheToggle) {
    w.click(w.box2);
    EXPECT_TRUE(w.box2->hasFocus());
    EXPECT_EQ(w.state(), TDataSetState::dsInsert);
    // The new record reads ticked (AInt is 1); the toggle makes it clear but
    // is not written yet.
    EXPECT_EQ(w.box2->state(), S::cbUnchecked);
    EXPECT_TRUE(w.box2->togglePending());
    EXPECT_EQ(w.text(w.data.aInt), "1");
    EXPECT_EQ(w.box1->state(), S::cbGrayed);
    EXPECT_EQ(w.box3->state(), S::cbGrayed);

    // The focus moving to another control writes it; the record stays in Insert.
    w.click(w.elsewhere);
    EXPECT_TRUE(w.elsewhere->hasFocus());
    EXPECT_EQ(w.text(w.data.aInt), "0");
    EXPECT_FALSE(w.box2->togglePending());
    EXPECT_EQ(w.box2->state(), S::cbUnchecked);
    EXPECT_EQ(w.state(), TDataSetState::dsInsert);
    w.runPostedEvents();
    EXPECT_TRUE(w.dialogs.shown.empty());
}

TEST_F(CheckBoxToggle, PostWritesThePendingToggleFirst) {
    w.click(w.box2);
    ASSERT_EQ(w.text(w.data.aInt), "1");
    w.data.dataSet->post();
    EXPECT_EQ(w.state(), TDataSetState::dsBrowse);
    EXPECT_EQ(w.data.dataSet->recordCount(), 1);
    EXPECT_EQ(w.text(w.data.aInt), "0");
    EXPECT_EQ(w.box2->state(), S::cbUnchecked);
    EXPECT_FALSE(w.box2->togglePending());
}

TEST_F(CheckBoxToggle, TogglesOfTwoBoxesOnTheNewRecordAreEachWrittenAsTheFocusMovesOn) {
    w.click(w.box2);
    w.click(w.box1);  // writes AInt as the focus leaves box2
    EXPECT_EQ(w.text(w.data.aInt), "0");
    EXPECT_EQ(w.box1->state(), S::cbChecked);  // grey becomes ticked
    EXPECT_TRUE(w.data.strShowCheck->isNull());
    w.key(Qt::Key_Tab);
    EXPECT_FALSE(w.box1->hasFocus());
    EXPECT_EQ(w.text(w.data.strShowCheck), "aa");
    EXPECT_EQ(w.box1->state(), S::cbChecked);
}

TEST_F(CheckBoxToggle, ClickOnTheCaptionTogglesToo) {
    addRecord("1", "bb", "True");
    w.click(w.box1, QPoint(70, 8));
    EXPECT_EQ(w.box1->state(), S::cbChecked);
    EXPECT_TRUE(w.box1->togglePending());
}

TEST_F(CheckBoxToggle, OnlyALeftClickReleasedOverTheBoxToggles) {
    addRecord("1", "bb", "True");
    QTest::mouseClick(w.box1, Qt::RightButton, {}, QPoint(6, 8));
    QTest::mousePress(w.box1, Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseMove(w.box1, QPoint(200, 8));
    QTest::mouseRelease(w.box1, Qt::LeftButton, {}, QPoint(200, 8));
    EXPECT_EQ(w.box1->state(), S::cbUnchecked);
    EXPECT_FALSE(w.box1->togglePending());
    EXPECT_EQ(w.state(), TDataSetState::dsBrowse);
}

TEST_F(CheckBoxToggle, AUserNeverMakesABoxGrey) {
    addRecord("2", nullptr, nullptr);
    ASSERT_EQ(w.box2->state(), S::cbGrayed);
    const S expected[] = {S::cbChecked, S::cbUnchecked, S::cbChecked};
    for (S state : expected) {
        w.click(w.box2);
        EXPECT_EQ(w.box2->state(), state);
    }
    w.click(w.box3);
    EXPECT_EQ(w.text(w.data.aInt), "1");
    EXPECT_EQ(w.box3->state(), S::cbChecked);
    w.data.dataSet->post();
    EXPECT_TRUE(w.data.aBoolean->asBoolean());
    EXPECT_FALSE(w.data.aBoolean->isNull());
}

TEST_F(CheckBoxToggle, AMoveToAnotherRecordWritesAndPostsThePendingToggle) {
    addRecord("1", "bb", "False");
    addRecord("0", "aa", "False");
    w.data.dataSet->first();
    w.click(w.box3);
    ASSERT_EQ(w.state(), TDataSetState::dsEdit);
    ASSERT_EQ(w.box3->state(), S::cbChecked);
    EXPECT_FALSE(w.data.aBoolean->asBoolean());

    w.data.dataSet->next();
    EXPECT_EQ(w.state(), TDataSetState::dsBrowse);
    EXPECT_EQ(w.box3->state(), S::cbUnchecked);  // the second record's value
    EXPECT_FALSE(w.box3->togglePending());
    w.data.dataSet->first();
    EXPECT_TRUE(w.data.aBoolean->asBoolean());
    EXPECT_EQ(w.box3->state(), S::cbChecked);
}

TEST_F(CheckBoxToggle, APendingToggleIsDiscardedWhenTheBoxReadsItsFieldFirst) {
    struct Discard {
        const char* what;
        std::function<void(CheckBoxWindow&)> act;
        TDataSetState stateAfter;
        S shownAfter;
    };
    const Discard discards[] = {
        {"Cancel", [](CheckBoxWindow& w) { w.data.dataSet->cancel(); }, TDataSetState::dsBrowse,
         S::cbUnchecked},
        {"Delete", [](CheckBoxWindow& w) { w.data.dataSet->deleteRecord(); },
         TDataSetState::dsBrowse, S::cbGrayed},
        {"Esc", [](CheckBoxWindow& w) { w.key(Qt::Key_Escape); }, TDataSetState::dsEdit,
         S::cbUnchecked},
        {"a write into its field by another control",
         [](CheckBoxWindow& w) { w.data.strShowCheck->setAsString("BB"); }, TDataSetState::dsEdit,
         S::cbUnchecked},
    };
    for (const Discard& discard : discards) {
        SCOPED_TRACE(discard.what);
        addRecord("1", "bb", nullptr);
        w.click(w.box1);
        ASSERT_TRUE(w.box1->togglePending());
        ASSERT_EQ(w.box1->state(), S::cbChecked);

        discard.act(w);
        EXPECT_EQ(w.state(), discard.stateAfter);
        EXPECT_EQ(w.box1->state(), discard.shownAfter);
        EXPECT_FALSE(w.box1->togglePending());
        // Nothing is written when the focus leaves afterwards.
        w.click(w.elsewhere);
        EXPECT_EQ(w.box1->state(), discard.shownAfter);
        if (!w.data.dataSet->isEmpty()) {
            EXPECT_NE(w.text(w.data.strShowCheck), "aa");
        }
        w.data.dataSet->cancel();
        while (!w.data.dataSet->isEmpty()) {
            w.data.dataSet->deleteRecord();
        }
    }
    w.runPostedEvents();
    EXPECT_TRUE(w.dialogs.shown.empty());
}

TEST_F(CheckBoxToggle, AWriteIntoAnotherFieldKeepsThePendingToggle) {
    addRecord("1", "bb", nullptr);
    w.click(w.box1);
    w.data.aInt->setAsString("5");
    EXPECT_TRUE(w.box1->togglePending());
    EXPECT_EQ(w.box1->state(), S::cbChecked);
    w.data.dataSet->post();
    EXPECT_EQ(w.text(w.data.strShowCheck), "aa");
    EXPECT_EQ(w.text(w.data.aInt), "5");
}

TEST_F(CheckBoxToggle, SpaceMakesTheEditRequestGoingDownAndTogglesComingUp) {
    w.box2->setFocus();
    w.keyDown(Qt::Key_Space);
    EXPECT_EQ(w.state(), TDataSetState::dsInsert);
    EXPECT_EQ(w.box2->state(), S::cbChecked);
    EXPECT_FALSE(w.box2->togglePending());
    w.keyUp(Qt::Key_Space);
    EXPECT_EQ(w.box2->state(), S::cbUnchecked);
    EXPECT_TRUE(w.box2->togglePending());
    EXPECT_EQ(w.text(w.data.aInt), "1");
}

TEST_F(CheckBoxToggle, BackspaceOnlyBeginsEditing) {
    addRecord("0", "aa", "True");
    w.box1->setFocus();
    w.key(Qt::Key_Backspace);
    EXPECT_EQ(w.state(), TDataSetState::dsEdit);
    EXPECT_EQ(w.box1->state(), S::cbChecked);
    EXPECT_FALSE(w.box1->togglePending());
    EXPECT_FALSE(w.data.dataSet->modified());
    EXPECT_EQ(w.text(w.data.strShowCheck), "aa");
    EXPECT_EQ(w.text(w.data.aInt), "0");

    // On an empty set the edit request inserts a record.
    w.data.dataSet->deleteRecord();
    w.key(Qt::Key_Backspace);
    EXPECT_EQ(w.state(), TDataSetState::dsInsert);
    EXPECT_EQ(w.text(w.data.aInt), "1");
    EXPECT_EQ(w.box1->state(), S::cbGrayed);
}

TEST_F(CheckBoxToggle, NothingHappensWhenTheFieldCannotBeModified) {
    addRecord("1", "aa", "True");
    const std::function<void()> refusals[] = {
        [&] { w.data.aInt->setReadOnly(true); },
        [&] { w.data.dataSet->setReadOnly(true); },
        [&] { w.box2->setReadOnly(true); },
    };
    for (const auto& makeReadOnly : refusals) {
        makeReadOnly();
        w.click(w.box2);
        w.key(Qt::Key_Space);
        w.key(Qt::Key_Backspace);
        EXPECT_EQ(w.state(), TDataSetState::dsBrowse);
        EXPECT_EQ(w.box2->state(), S::cbChecked);
        EXPECT_FALSE(w.box2->togglePending());
        w.data.aInt->setReadOnly(false);
        w.data.dataSet->setReadOnly(false);
        w.box2->setReadOnly(false);
    }
    w.runPostedEvents();
    EXPECT_TRUE(w.dialogs.shown.empty());
}

TEST_F(CheckBoxToggle, ARefusedEditShowsItsErrorAndLeavesTheBoxAsItWas) {
    addRecord("1", "aa", "True");
    w.data.dataSet->BeforeEdit = [](TDataSet&) {
        throw EDatabaseError("ClientDataSet1: Edits refused here");
    };
    w.click(w.box1);
    w.key(Qt::Key_Space);  // one error: the key going up makes no second request
    w.runPostedEvents();
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(w.dialogs.shown[0].text, "ClientDataSet1: Edits refused here");
    EXPECT_EQ(w.dialogs.shown[0].icon, DialogIcon::Error);
    EXPECT_EQ(w.state(), TDataSetState::dsBrowse);
    EXPECT_EQ(w.box1->state(), S::cbChecked);
    EXPECT_FALSE(w.box1->togglePending());
}

TEST_F(CheckBoxToggle, AllowGrayedAddsGreyToTheCycleAndWritesNull) {
    addRecord("1", "aa", "True");
    w.box1->setAllowGrayed(true);
    const S expected[] = {S::cbGrayed, S::cbUnchecked, S::cbChecked, S::cbGrayed};
    for (S state : expected) {
        w.click(w.box1);
        EXPECT_EQ(w.box1->state(), state);
    }
    w.data.dataSet->post();
    EXPECT_TRUE(w.data.strShowCheck->isNull());
}

// A box whose ticked value the integer field cannot take: its write fails.
class FailingWrite : public CheckBoxToggle {
protected:
    void SetUp() override {
        static constexpr BoxSettings kFailing{"DBCheckBox4", "AInt abc", "AInt", "abc",
                                              "0",           72,         130,    5};
        failing = w.addBox(kFailing);
        addRecord("0", "bb", "False");
        w.click(failing);
        ASSERT_EQ(failing->state(), S::cbChecked);
        ASSERT_TRUE(failing->togglePending());
    }

    void expectFocusKeptAndOneMoreMessage(std::size_t messages) {
        w.runPostedEvents();
        EXPECT_TRUE(failing->hasFocus());
        EXPECT_TRUE(failing->togglePending());
        EXPECT_EQ(failing->state(), S::cbChecked);
        EXPECT_EQ(w.text(w.data.aInt), "0");
        ASSERT_EQ(w.dialogs.shown.size(), messages);
        EXPECT_EQ(w.dialogs.shown.back().text,
                  "'abc' is not a valid integer value for field 'AInt'");
        EXPECT_EQ(w.dialogs.shown.back().icon, DialogIcon::Error);
    }

    TDBCheckBox* failing = nullptr;
};

TEST_F(FailingWrite, KeepsTheFocusAndDropsTheClickThatWasTakingIt) {
    w.click(w.box1);
    expectFocusKeptAndOneMoreMessage(1);
    EXPECT_EQ(w.box1->state(), S::cbUnchecked);
    EXPECT_FALSE(w.box1->togglePending());

    w.click(w.elsewhere);
    expectFocusKeptAndOneMoreMessage(2);
    w.key(Qt::Key_Tab);
    expectFocusKeptAndOneMoreMessage(3);

    // After Esc nothing is pending and the focus moves on.
    w.key(Qt::Key_Escape);
    EXPECT_FALSE(failing->togglePending());
    w.click(w.box1);
    EXPECT_TRUE(w.box1->hasFocus());
    EXPECT_EQ(w.box1->state(), S::cbChecked);
    w.runPostedEvents();
    EXPECT_EQ(w.dialogs.shown.size(), 3u);
}

TEST_F(FailingWrite, APostFailsAndKeepsTheRecordInEdit) {
    EXPECT_THROW(w.data.dataSet->post(), EDatabaseError);
    EXPECT_EQ(w.state(), TDataSetState::dsEdit);
    EXPECT_EQ(w.text(w.data.aInt), "0");
    EXPECT_EQ(failing->state(), S::cbChecked);
}

TEST_F(FailingWrite, LeavingTheWindowWritesNothing) {
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(failing->togglePending());
    w.runPostedEvents();
    EXPECT_TRUE(w.dialogs.shown.empty());
}

}  // namespace
