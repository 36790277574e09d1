// How a field-bound check box looks and what it tells assistive technology.

#include <QAccessible>
#include <QImage>
#include <QStyle>

#include "tests/controls/checkbox_fixture.h"

namespace {

using S = TCheckBoxState;

QImage picture(QWidget* widget) {
    return widget->grab().toImage();
}

class CheckBoxLook : public testing::Test {
protected:
    CheckBoxWindow w;

    void showValue(const char* strShowCheck) {
        w.data.dataSet->cancel();
        w.data.dataSet->insert();
        if (strShowCheck) {
            w.data.strShowCheck->setAsString(strShowCheck);
        }
    }
};

TEST_F(CheckBoxLook, TheThreeStatesLookDifferentAndTheFocusShows) {
    showValue("aa");
    const QImage ticked = picture(w.box1);
    showValue("bb");
    const QImage clear = picture(w.box1);
    showValue(nullptr);
    const QImage grey = picture(w.box1);
    EXPECT_NE(ticked, clear);
    EXPECT_NE(ticked, grey);
    EXPECT_NE(clear, grey);

    w.box1->setFocus();
    EXPECT_NE(picture(w.box1), grey);
}

TEST_F(CheckBoxLook, TheCaptionStandsRightOfTheBox) {
    // Without a caption only the box is drawn; the caption adds pixels to its right.
    const QImage withCaption = picture(w.box1);
    w.box1->setCaption(QString());
    const QImage boxOnly = picture(w.box1);
    const int boxWidth = w.box1->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    bool differsRightOfBox = false;
    for (int x = 0; x < withCaption.width(); ++x) {
        for (int y = 0; y < withCaption.height(); ++y) {
            if (withCaption.pixel(x, y) != boxOnly.pixel(x, y)) {
                EXPECT_GE(x, boxWidth) << "caption pixel inside the box at " << x << "," << y;
                differsRightOfBox = true;
            }
        }
    }
    EXPECT_TRUE(differsRightOfBox);
}

TEST_F(CheckBoxLook, AccessibleAsACheckBoxNamedByItsCaption) {
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(w.box2);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::CheckBox);
    EXPECT_EQ(access->text(QAccessible::Name), "AInt");

    struct Expected {
        const char* aInt;
        bool checked;
        bool mixed;
    };
    const Expected states[] = {{"1", true, false}, {"0", false, false}, {nullptr, false, true}};
    for (const Expected& e : states) {
        SCOPED_TRACE(e.aInt ? e.aInt : "null");
        showValue(nullptr);
        if (e.aInt) {
            w.data.aInt->setAsString(e.aInt);
        } else {
            w.data.aInt->clear();
        }
        const QAccessible::State state = access->state();
        EXPECT_TRUE(state.checkable);
        EXPECT_EQ(bool(state.checked), e.checked);
        EXPECT_EQ(bool(state.checkStateMixed), e.mixed);
        EXPECT_TRUE(state.focusable);
    }
    EXPECT_FALSE(access->state().focused);
    w.box2->setFocus();
    EXPECT_TRUE(access->state().focused);
}

TEST_F(CheckBoxLook, TheToggleActionWorksTheBoxAsAClickDoes) {
    showValue("bb");
    w.data.dataSet->post();
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(w.box1);
    QAccessibleActionInterface* actions = access->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(w.box1->state(), S::cbUnchecked);  // the toggle runs from the event loop
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.box1->hasFocus());
    EXPECT_EQ(w.box1->state(), S::cbChecked);
    EXPECT_TRUE(access->state().checked);
    EXPECT_EQ(w.state(), TDataSetState::dsEdit);
    EXPECT_TRUE(w.box1->togglePending());
}

}  // namespace
