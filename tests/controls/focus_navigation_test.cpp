// The window's arrow-key navigation: the focus moves through the windowed
// controls in TabOrder, tab stop or not, wherever the focused control leaves
// the arrow keys unclaimed.

#include <QKeyEvent>
#include <vector>

#include "controls/FocusNavigation.h"
#include "tests/controls/checkbox_fixture.h"

namespace {

// Stands for the grid and the navigator, which use the arrow keys themselves.
class ArrowClaimingControl : public TControl {
public:
    const char* className() const override { return "TArrowClaimingControl"; }
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        keys.push_back(event->key());
        event->accept();
    }
};

// A control with no place in the tab order, like a label.
class PlainControl : public TControl {
public:
    const char* className() const override { return "TPlainControl"; }
};

class ArrowKeys : public testing::Test {
protected:
    ArrowKeys() {
        // Made in another order than TabOrder, so that only TabOrder can
        // give the order the keys follow.
        label = place(new PlainControl, -1, {80, 40, 300, 13});
        grid = place(new ArrowClaimingControl, 1, {8, 152, 537, 200});
        grid->setTabStop(true);
        navigator = place(new ArrowClaimingControl, 0, {8, 360, 240, 25});
        new ArrowKeyNavigation(&w.window);
        grid->setFocus();
    }

    template <class Control>
    Control* place(Control* control, int tabOrder, QRect bounds) {
        control->setParent(&w.window);
        control->setTabOrder(tabOrder);
        control->setGeometry(bounds);
        control->show();
        return control;
    }

    // Sends the key where the user's key goes: to the focused widget.
    QWidget* afterKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        w.key(key, modifiers);
        return QApplication::focusWidget();
    }

    CheckBoxWindow w;
    PlainControl* label = nullptr;
    ArrowClaimingControl* grid = nullptr;
    ArrowClaimingControl* navigator = nullptr;
};

TEST_F(ArrowKeys, FollowTabOrderInBothDirectionsAndWrapAround) {
    // The navigator's TabOrder is 0, the grid's 1, the boxes' 2, 3 and 4.
    struct Step {
        QWidget* from;
        Qt::Key key;
        QWidget* to;
    };
    const Step steps[] = {
        {w.box1, Qt::Key_Right, w.box2},    {w.box2, Qt::Key_Down, w.box3},
        {w.box3, Qt::Key_Right, navigator}, {w.box3, Qt::Key_Left, w.box2},
        {w.box2, Qt::Key_Up, w.box1},       {w.box1, Qt::Key_Left, grid},
        {w.box1, Qt::Key_Up, grid},
    };
    int index = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "step " << index++);
        step.from->setFocus();
        EXPECT_EQ(afterKey(step.key), step.to) << "key " << step.key;
    }
}

TEST_F(ArrowKeys, AreLeftToTheControlsThatClaimThem) {
    navigator->setFocus();
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
        EXPECT_EQ(afterKey(key), navigator);
    }
    EXPECT_EQ(navigator->keys.size(), 4u);
    grid->setFocus();
    EXPECT_EQ(afterKey(Qt::Key_Down), grid);
    EXPECT_EQ(grid->keys, std::vector<int>{Qt::Key_Down});
}

TEST_F(ArrowKeys, SkipControlsThatCannotTakeTheFocus) {
    w.box2->setEnabled(false);
    w.box1->setFocus();
    EXPECT_EQ(afterKey(Qt::Key_Right), w.box3);
    w.box2->setEnabled(true);
    w.box2->hide();
    EXPECT_EQ(afterKey(Qt::Key_Left), w.box1);
}

TEST_F(ArrowKeys, WithAltDoNotMoveTheFocus) {
    w.box1->setFocus();
    EXPECT_EQ(afterKey(Qt::Key_Right, Qt::AltModifier), w.box1);
}

TEST_F(ArrowKeys, TheTargetInTabOrderIsComputedFromAnyWidgetInsideAControl) {
    const std::vector<TControl*> order = controlsInTabOrder(&w.window);
    EXPECT_EQ(order, (std::vector<TControl*>{navigator, grid, w.box1, w.box2, w.box3}));
    QWidget inner(grid);  // say, the grid's in-place editor
    EXPECT_EQ(arrowKeyTarget(&w.window, &inner, true), w.box1);
    EXPECT_EQ(arrowKeyTarget(&w.window, &inner, false), navigator);
    EXPECT_EQ(arrowKeyTarget(&w.window, nullptr, true), navigator);
    EXPECT_EQ(arrowKeyTarget(&w.window, nullptr, false), w.box3);
}

TEST_F(ArrowKeys, WriteThePendingToggleAsTheFocusLeavesTheBox) {
    w.data.dataSet->insert();  // AInt 1: DBCheckBox2 ticked
    w.click(w.box2);
    ASSERT_TRUE(w.box2->togglePending());
    EXPECT_EQ(afterKey(Qt::Key_Right), w.box3);
    EXPECT_FALSE(w.box2->togglePending());
    EXPECT_EQ(w.text(w.data.aInt), "0");
}

}  // namespace
