// The navigator as assistive technology sees it: a tool bar of ten push
// buttons named by their hint texts, each available or not, pressable.

#include <QAccessible>

#include "tests/controls/navigator_fixture.h"

namespace {

QAccessibleInterface* childNamed(QAccessibleInterface* bar, const QString& name) {
    for (int i = 0; i < bar->childCount(); ++i) {
        if (bar->child(i)->text(QAccessible::Name) == name) {
            return bar->child(i);
        }
    }
    return nullptr;
}

void pressAction(QAccessibleInterface* button) {
    QAccessibleActionInterface* actions = button->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    // The press runs from the event loop.
    QCoreApplication::processEvents();
}

}  // namespace

TEST(NavigatorAccessibility, IsAToolBarOfTenNamedPushButtons) {
    NavigatorWindow w;
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.navigator);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::ToolBar);
    EXPECT_EQ(bar->text(QAccessible::Name), "DBNavigator1");
    const char* names[] = {"First record",  "Prior record",  "Next record", "Last record",
                           "Insert record", "Delete record", "Edit record", "Post edit",
                           "Cancel edit",   "Refresh data"};
    ASSERT_EQ(bar->childCount(), 10);
    for (int i = 0; i < 10; ++i) {
        QAccessibleInterface* button = bar->child(i);
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(button->role(), QAccessible::PushButton);
        EXPECT_EQ(button->text(QAccessible::Name), names[i]);
        EXPECT_EQ(button->parent(), bar);
        EXPECT_FALSE(button->state().focusable);
        EXPECT_EQ(button->state().disabled,
                  !w.navigator->isButtonEnabled(static_cast<TNavigateBtn>(i)));
        EXPECT_EQ(button->rect().size(), QSize(24, 25));
    }
}

TEST(NavigatorAccessibility, StatesFollowTheRecordSetAndPressClicks) {
    NavigatorWindow w;
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.navigator);
    QAccessibleInterface* insert = childNamed(bar, "Insert record");
    QAccessibleInterface* post = childNamed(bar, "Post edit");
    ASSERT_TRUE(insert && post);
    EXPECT_FALSE(insert->state().disabled);
    EXPECT_TRUE(post->state().disabled);

    // Pressing a disabled button does nothing.
    pressAction(post);
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsBrowse);

    pressAction(insert);
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsInsert);
    EXPECT_FALSE(post->state().disabled);
    EXPECT_TRUE(childNamed(bar, "Edit record")->state().disabled);

    pressAction(post);
    EXPECT_EQ(w.data.dataSet->state(), TDataSetState::dsBrowse);
    EXPECT_EQ(w.data.dataSet->recordCount(), 1);
    EXPECT_TRUE(post->state().disabled);
    // The press action leaves the focus where it is.
    EXPECT_TRUE(w.before->hasFocus());
}

TEST(NavigatorAccessibility, AnErrorOfAPressReachesTheErrorBox) {
    NavigatorWindow w;
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.navigator);
    QAccessibleInterface* refresh = childNamed(bar, "Refresh data");
    ASSERT_NE(refresh, nullptr);
    refresh->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(w.reported().empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(w.reported().size(), 1u);
    EXPECT_EQ(w.reported()[0].message, "ClientDataSet1: Missing data provider or data packet");
}
