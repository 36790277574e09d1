// The focus order of the real window: where the focus starts, what Tab and
// Shift+Tab visit, where the arrow keys lead, and the check boxes' pending
// toggles written as the focus moves on.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"
#include "controls/DBText.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "form/Form1.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

class WindowFocus : public testing::Test {
protected:
    WindowFocus() : form(createForm1()) {
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // The control of the window that holds the focus, or holds the widget that does.
    TControl* focusedControl() const {
        QWidget* widget = QApplication::focusWidget();
        while (widget && widget->parentWidget() != form->clientArea()) {
            widget = widget->parentWidget();
        }
        return qobject_cast<TControl*>(widget);
    }

    TControl* afterKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        return focusedControl();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

TEST_F(WindowFocus, StartsInTheGrid) {
    EXPECT_EQ(focusedControl(), form->DBGrid1);
}

TEST_F(WindowFocus, TabAndShiftTabVisitTheTabStopsInTabOrder) {
    form->DBCheckBox1->setFocus();
    EXPECT_EQ(afterKey(Qt::Key_Tab), form->DBCheckBox2);
    EXPECT_EQ(afterKey(Qt::Key_Tab), form->DBCheckBox3);
    EXPECT_EQ(afterKey(Qt::Key_Tab), form->DBGrid1);

    form->DBCheckBox3->setFocus();
    EXPECT_EQ(afterKey(Qt::Key_Backtab, Qt::ShiftModifier), form->DBCheckBox2);
    EXPECT_EQ(afterKey(Qt::Key_Backtab, Qt::ShiftModifier), form->DBCheckBox1);
    EXPECT_EQ(afterKey(Qt::Key_Backtab, Qt::ShiftModifier), form->DBGrid1);
}

TEST_F(WindowFocus, ArrowKeysVisitEveryWindowedControlTheNavigatorIncluded) {
    form->DBCheckBox3->setFocus();
    EXPECT_EQ(afterKey(Qt::Key_Right), form->DBNavigator1);
    // The navigator keeps the arrow keys for its own buttons.
    EXPECT_EQ(afterKey(Qt::Key_Left), form->DBNavigator1);
    EXPECT_EQ(afterKey(Qt::Key_Down), form->DBNavigator1);

    form->DBCheckBox1->setFocus();
    EXPECT_EQ(afterKey(Qt::Key_Down), form->DBCheckBox2);
    EXPECT_EQ(afterKey(Qt::Key_Up), form->DBCheckBox1);
    EXPECT_EQ(afterKey(Qt::Key_Left), form->DBGrid1);
    // The grid keeps them too.
    EXPECT_EQ(afterKey(Qt::Key_Up), form->DBGrid1);
    EXPECT_EQ(afterKey(Qt::Key_Left), form->DBGrid1);
}

TEST_F(WindowFocus, FromTheNavigatorTabGoesOnToTheGridAndShiftTabBackToTheLastBox) {
    form->DBNavigator1->setFocus();
    EXPECT_EQ(afterKey(Qt::Key_Tab), form->DBGrid1);
    form->DBNavigator1->setFocus();
    EXPECT_EQ(afterKey(Qt::Key_Backtab, Qt::ShiftModifier), form->DBCheckBox3);
}

TEST_F(WindowFocus, AToggleOnTheEmptyWindowShowsInTheTextOnlyOnceTheFocusMovesOn) {
    QTest::mouseClick(form->DBCheckBox2, Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(focusedControl(), form->DBCheckBox2);
    EXPECT_EQ(form->ClientDataSet1->state(), TDataSetState::dsInsert);
    EXPECT_EQ(form->DBCheckBox2->state(), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(form->DBText1->shownText(), "1");

    EXPECT_EQ(afterKey(Qt::Key_Right), form->DBCheckBox3);
    EXPECT_EQ(form->DBText1->shownText(), "0");
    EXPECT_EQ(form->ClientDataSet1AInt->asString(), "0");

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(form->DBCheckBox3->state(), TCheckBoxState::cbChecked);
    EXPECT_TRUE(form->ClientDataSet1ABoolean->isNull());
    EXPECT_EQ(afterKey(Qt::Key_Tab), form->DBGrid1);
    EXPECT_TRUE(form->ClientDataSet1ABoolean->asBoolean());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(WindowFocus, AFailingWriteKeepsTheFocusAndReachesTheErrorBox) {
    // A box whose ticked value AInt cannot take, added to the window.
    auto* failing = new TDBCheckBox(form.get());
    failing->setName("DBCheckBox4");
    failing->setDataField("AInt");
    failing->setValueChecked("abc");
    failing->setValueUnchecked("0");
    failing->setTabOrder(5);
    failing->setParentComponent(form.get());
    failing->move(72, 130);
    failing->setDataSource(form->DataSource1);

    QTest::mouseClick(failing, Qt::LeftButton, {}, QPoint(6, 8));
    ASSERT_TRUE(failing->togglePending());
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Tab}) {
        EXPECT_EQ(afterKey(key), failing) << "key " << key;
    }
    QTest::mouseClick(form->DBCheckBox1, Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(focusedControl(), failing);
    EXPECT_EQ(form->DBCheckBox1->state(), TCheckBoxState::cbGrayed);
    QCoreApplication::processEvents();

    ASSERT_EQ(dialogs.shown.size(), 4u);
    // Ending in a quote, the message gets no full stop from the error box.
    EXPECT_EQ(dialogs.shown.front().text.toStdString(),
              "'abc' is not a valid integer value for field 'AInt'");
    EXPECT_EQ(dialogs.shown.front().icon, DialogIcon::Error);
    EXPECT_TRUE(failing->togglePending());
    EXPECT_EQ(form->DBText1->shownText(), "1");
}

}  // namespace
