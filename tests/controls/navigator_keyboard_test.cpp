// The navigator and the keyboard: it is no tab stop, yet takes the focus when
// given; one marked button shows a focus rectangle while it has the focus;
// Left and Right move the mark, Space clicks the marked button.

#include <QKeyEvent>

#include "tests/controls/navigator_fixture.h"

namespace {

// Whether `button` shows the dotted focus rectangle: the pixels on its
// corners 3 pixels inside the edges (one pixel further while pressed).
bool showsFocusRectangle(NavigatorButton* button) {
    const QImage image = button->grab().toImage();
    const int shift = button->isDown() ? 1 : 0;
    const QColor face = button->palette().color(QPalette::Button);
    const QPoint corner(3 + shift, 3 + shift);
    // The rectangle's corners are dotted pixels; a pixel between two dots is face.
    return image.pixelColor(corner) != face && image.pixelColor(corner + QPoint(1, 0)) == face &&
           image.pixelColor(corner + QPoint(2, 0)) != face;
}

int buttonsShowingTheMark(const TDBNavigator& navigator) {
    int count = 0;
    for (TNavigateBtn kind : allNavigateBtns) {
        count += navigator.button(kind)->focusMarkShown() ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST(NavigatorKeyboard, IsNoTabStopButTakesTheFocusWhenGiven) {
    NavigatorWindow w;
    EXPECT_EQ(w.navigator->focusPolicy(), Qt::NoFocus);
    // Tab from the control before passes the bar by.
    QTest::keyClick(w.before, Qt::Key_Tab);
    EXPECT_TRUE(w.after->hasFocus());

    w.navigator->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(w.navigator->hasFocus());
    QTest::keyClick(w.navigator, Qt::Key_Tab);
    EXPECT_TRUE(w.after->hasFocus());

    w.navigator->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(w.navigator, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(w.before->hasFocus());
}

TEST(NavigatorKeyboard, LeftAndRightMoveTheMarkAndStopAtTheEnds) {
    NavigatorWindow w;
    w.navigator->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w.navigator->markedButton(), nbFirst);
    QTest::keyClick(w.navigator, Qt::Key_Left);
    EXPECT_EQ(w.navigator->markedButton(), nbFirst);
    QTest::keyClick(w.navigator, Qt::Key_Right);
    // Prior is disabled on the fresh set; the mark goes there all the same.
    EXPECT_EQ(w.navigator->markedButton(), nbPrior);
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(w.navigator, Qt::Key_Right);
    }
    EXPECT_EQ(w.navigator->markedButton(), nbRefresh);
    QTest::keyClick(w.navigator, Qt::Key_Left);
    EXPECT_EQ(w.navigator->markedButton(), nbCancel);

    // Hidden buttons are passed over.
    TNavButtonSet visible = allNavButtons();
    visible.reset(nbEdit);
    visible.reset(nbPost);
    w.navigator->setVisibleButtons(visible);
    QTest::keyClick(w.navigator, Qt::Key_Left);
    EXPECT_EQ(w.navigator->markedButton(), nbDelete);
}

TEST(NavigatorKeyboard, ClaimsAllFourArrowKeys) {
    NavigatorWindow w;
    w.navigator->setFocus(Qt::OtherFocusReason);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        press.ignore();
        QApplication::sendEvent(w.navigator, &press);
        EXPECT_TRUE(press.isAccepted()) << key;
    }
    EXPECT_TRUE(w.navigator->hasFocus());
    EXPECT_EQ(w.navigator->markedButton(), nbPrior);
}

TEST(NavigatorKeyboard, SpaceClicksTheMarkedButtonOnlyWhenEnabled) {
    NavigatorWindow w;
    w.fill(5);
    w.navigator->setFocus(Qt::OtherFocusReason);
    // First is disabled on the first record.
    QTest::keyClick(w.navigator, Qt::Key_Space);
    EXPECT_EQ(w.currentAInt(), 1);
    EXPECT_TRUE(w.reported().empty());

    QTest::keyClick(w.navigator, Qt::Key_Right);
    QTest::keyClick(w.navigator, Qt::Key_Right);
    ASSERT_EQ(w.navigator->markedButton(), nbNext);
    QTest::keyClick(w.navigator, Qt::Key_Space);
    EXPECT_EQ(w.currentAInt(), 2);
    // Every key-down counts, the keyboard's own repeats too.
    QTest::keyPress(w.navigator, Qt::Key_Space);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(w.navigator, &repeat);
    QTest::keyRelease(w.navigator, Qt::Key_Space);
    EXPECT_EQ(w.currentAInt(), 4);
}

TEST(NavigatorKeyboard, SpaceOnRefreshReportsTheErrorAndKeepsTheFocus) {
    NavigatorWindow w;
    w.navigator->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(w.navigator, Qt::Key_Right);
    }
    QTest::keyClick(w.navigator, Qt::Key_Space);
    ASSERT_EQ(w.reported().size(), 1u);
    EXPECT_EQ(w.reported()[0].message, "ClientDataSet1: Missing data provider or data packet");
    EXPECT_TRUE(w.navigator->hasFocus());
}

TEST(NavigatorKeyboard, TheMarkShowsOnlyWhileTheBarHasTheFocus) {
    NavigatorWindow w;
    EXPECT_EQ(buttonsShowingTheMark(*w.navigator), 0);
    EXPECT_FALSE(showsFocusRectangle(w.navigator->button(nbFirst)));

    w.navigator->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(buttonsShowingTheMark(*w.navigator), 1);
    EXPECT_TRUE(showsFocusRectangle(w.navigator->button(nbFirst)));
    QTest::keyClick(w.navigator, Qt::Key_Right);
    EXPECT_FALSE(showsFocusRectangle(w.navigator->button(nbFirst)));
    EXPECT_TRUE(showsFocusRectangle(w.navigator->button(nbPrior)));

    // Elsewhere the mark hides, and it comes back on the same button.
    w.after->setFocus();
    EXPECT_EQ(buttonsShowingTheMark(*w.navigator), 0);
    EXPECT_FALSE(showsFocusRectangle(w.navigator->button(nbPrior)));
    w.navigator->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(showsFocusRectangle(w.navigator->button(nbPrior)));
}

TEST(NavigatorKeyboard, APressWithTheMouseMovesTheMarkToAnEnabledButton) {
    NavigatorWindow w;
    w.navigator->setFocus(Qt::OtherFocusReason);
    // Post is disabled: the mark stays.
    w.click(nbPost);
    EXPECT_EQ(w.navigator->markedButton(), nbFirst);

    w.press(nbInsert);
    EXPECT_EQ(w.navigator->markedButton(), nbInsert);
    // Pressed, the rectangle moves one pixel right and down with the picture.
    EXPECT_TRUE(w.navigator->button(nbInsert)->isDown());
    EXPECT_TRUE(showsFocusRectangle(w.navigator->button(nbInsert)));
    w.release(nbInsert);
    EXPECT_TRUE(showsFocusRectangle(w.navigator->button(nbInsert)));
    EXPECT_TRUE(w.navigator->hasFocus());

    // The mark moves with a press even while the focus is elsewhere.
    w.before->setFocus();
    w.click(nbCancel);
    EXPECT_EQ(w.navigator->markedButton(), nbCancel);
    EXPECT_EQ(buttonsShowingTheMark(*w.navigator), 0);
}
