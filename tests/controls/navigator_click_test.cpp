// What makes a click on the navigator, and what a click does: the delete
// confirmation, the refresh errors, and the keyboard focus left where it was.

#include <QApplication>

#include "data/DBErrors.h"
#include "tests/controls/navigator_fixture.h"

TEST(NavigatorClick, RunsAtTheReleaseOnTheSameButton) {
    NavigatorWindow w;
    w.press(nbInsert);
    EXPECT_TRUE(w.navigator->button(nbInsert)->isDown());
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsBrowse);
    w.release(nbInsert);
    EXPECT_FALSE(w.navigator->button(nbInsert)->isDown());
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsInsert);
}

TEST(NavigatorClick, ReleaseOffThePressedButtonDoesNothing) {
    struct Case {
        const char* what;
        std::function<QPoint(NavigatorWindow&)> releaseAt;
    };
    const Case cases[] = {
        {"off the bar", [](auto& w) { return w.offTheBar(); }},
        {"on another enabled button", [](auto& w) { return w.centre(nbEdit); }},
        {"on the bar's edge", [](auto& w) { return QPoint(w.navigator->width() + 2, 5); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NavigatorWindow w;
        w.press(nbInsert);
        w.moveTo(c.releaseAt(w));
        // Off the button it rises while the mouse button stays down.
        EXPECT_FALSE(w.navigator->button(nbInsert)->isDown());
        w.releaseAt(c.releaseAt(w));
        EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsBrowse);
        EXPECT_EQ(w.data.dataSet->recordCount(), 0);
    }
}

TEST(NavigatorClick, LeavingAndComingBackBeforeTheReleaseStillClicks) {
    NavigatorWindow w;
    w.press(nbInsert);
    w.moveTo(w.offTheBar());
    w.moveTo(w.centre(nbInsert));
    EXPECT_TRUE(w.navigator->button(nbInsert)->isDown());
    w.release(nbInsert);
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsInsert);
}

TEST(NavigatorClick, OtherMouseButtonsAndDisabledButtonsDoNothing) {
    NavigatorWindow w;
    w.fill(3);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(w.navigator, button, {}, w.centre(nbNext));
        QTest::mouseClick(w.navigator, button, {}, w.centre(nbInsert));
    }
    EXPECT_EQ(w.currentAInt(), 1);
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsBrowse);

    // First is disabled on the first record: pressing it neither clicks nor
    // sinks it nor moves the mark.
    w.press(nbFirst);
    EXPECT_FALSE(w.navigator->button(nbFirst)->isDown());
    w.release(nbFirst);
    w.click(nbPost);
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsBrowse);
    EXPECT_TRUE(w.reported().empty());
}

TEST(NavigatorClick, ADoubleClickIsTwoClicks) {
    NavigatorWindow w;
    w.fill(4);
    QTest::mouseDClick(w.navigator, Qt::LeftButton, {}, w.centre(nbNext));
    EXPECT_EQ(w.currentAInt(), 3);
}

TEST(NavigatorClick, DeleteAsksFirstAndDeletesOnlyOnOk) {
    struct Case {
        const char* what;
        bool confirmDelete;
        std::vector<DialogButton> answers;
        int questionsAsked;
        int recordsLeft;
    };
    const Case cases[] = {
        {"OK", true, {DialogButton::Ok}, 1, 1},
        {"Cancel", true, {DialogButton::Cancel}, 1, 2},
        {"no confirmation", false, {}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NavigatorWindow w;
        w.fill(2);
        w.navigator->setConfirmDelete(c.confirmDelete);
        w.dialogs.answers.assign(c.answers.begin(), c.answers.end());
        w.click(nbDelete);
        ASSERT_EQ(static_cast<int>(w.dialogs.shown.size()), c.questionsAsked);
        if (c.questionsAsked > 0) {
            const DialogRequest& asked = w.dialogs.shown.front();
            EXPECT_EQ(asked.caption, "Confirm");
            EXPECT_EQ(asked.text, "Delete record?");
            EXPECT_EQ(asked.icon, DialogIcon::Question);
            EXPECT_EQ(asked.buttons, (std::vector{DialogButton::Ok, DialogButton::Cancel}));
            EXPECT_EQ(asked.defaultButton, DialogButton::Ok);
            EXPECT_EQ(asked.escapeButton, DialogButton::Cancel);
        }
        EXPECT_EQ(w.data.dataSet->recordCount(), c.recordsLeft);
        EXPECT_EQ(w.currentAInt(), c.recordsLeft == 1 ? 2 : 1);
        EXPECT_TRUE(w.reported().empty());
    }
}

TEST(NavigatorClick, DeleteWhileInsertingDropsOnlyTheNewRecord) {
    NavigatorWindow w;
    w.fill(2);
    w.click(nbInsert);
    ASSERT_EQ(w.data.dataSet->state(), TDataSetState::dsInsert);
    w.click(nbDelete);
    EXPECT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsBrowse);
    EXPECT_EQ(w.data.dataSet->recordCount(), 2);
    EXPECT_EQ(w.currentAInt(), 1);
}

// Refresh has nothing to fetch from: it reports why, through the error box,
// and leaves the set as it was; the bar keeps working afterwards.
TEST(NavigatorClick, RefreshReportsWhyItCannotFetch) {
    struct Case {
        const char* what;
        std::function<void(NavigatorWindow&)> before;
        const char* message;
        int recordsAfter;
    };
    const char* noProvider = "ClientDataSet1: Missing data provider or data packet";
    const char* mustApply = "ClientDataSet1: Must apply updates before refreshing data";
    const Case cases[] = {
        {"fresh start", [](auto&) {}, noProvider, 0},
        {"after the first post",
         [](auto& w) {
             w.click(nbInsert);
             w.click(nbPost);
         },
         mustApply, 1},
        // The pending new record is posted first, which logs a change.
        {"with an insert pending", [](auto& w) { w.click(nbInsert); }, mustApply, 1},
        {"after a cancelled insert",
         [](auto& w) {
             w.click(nbInsert);
             w.click(nbCancel);
         },
         noProvider, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NavigatorWindow w;
        c.before(w);
        w.click(nbRefresh);
        ASSERT_EQ(w.reported().size(), 1u);
        EXPECT_EQ(w.reported()[0].className, "EDatabaseError");
        EXPECT_EQ(w.reported()[0].message, c.message);
        ASSERT_EQ(w.dialogs.shown.size(), 1u);
        EXPECT_EQ(w.dialogs.shown[0].text.toStdString(), c.message);
        EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsBrowse);
        EXPECT_EQ(w.data.dataSet->recordCount(), c.recordsAfter);
        EXPECT_EQ(w.enabledButtons(), c.recordsAfter ? "FPNLIDE--R" : "----I-E--R");

        // The window goes on: the next click works.
        w.click(nbInsert);
        EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsInsert);
    }
}

// Called directly, the operation's error reaches the caller unchanged.
TEST(NavigatorClick, ErrorsOfTheOperationPropagate) {
    NavigatorWindow w;
    EXPECT_THROW(w.navigator->btnClick(nbRefresh), EDatabaseError);
    // Post in Browse is refused by the record set, not hidden by the bar.
    EXPECT_THROW(w.navigator->btnClick(nbPost), EDatabaseError);
}

TEST(NavigatorClick, LeavesTheKeyboardFocusWhereItIs) {
    NavigatorWindow w;
    w.before->setFocus();
    ASSERT_TRUE(w.before->hasFocus());
    w.click(nbInsert);
    w.click(nbCancel);
    EXPECT_TRUE(w.before->hasFocus());
    EXPECT_FALSE(w.navigator->hasFocus());

    // Focused through the arrow keys, the bar keeps the focus too.
    w.navigator->setFocus();
    w.click(nbInsert);
    EXPECT_TRUE(w.navigator->hasFocus());
}
