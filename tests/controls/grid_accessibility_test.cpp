// The grid as assistive technology reads and works it.

#include "tests/controls/grid_fixture.h"

namespace gridtest {
namespace {

// Records the accessibility events a grid sends.
struct EventRecorder {
    explicit EventRecorder(TDBGrid& grid) : grid(grid) {
        grid.setAccessibleEventSink([this](QAccessibleEvent* event) {
            Seen seen{event->type(), event->accessibleInterface(), {}};
            if (event->type() == QAccessible::StateChanged) {
                seen.changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
            }
            events.push_back(seen);
        });
    }
    ~EventRecorder() { grid.setAccessibleEventSink(nullptr); }
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;
    TDBGrid& grid;
    struct Seen {
        QAccessible::Event type;
        QAccessibleInterface* target;
        QAccessible::State changed;
    };
    std::vector<Seen> events;
};

using Accessibility = GridFixture;

TEST_F(Accessibility, TheGridIsATableWithColumnsNamedByTheirTitles) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Table);
    ASSERT_NE(table(), nullptr);
    ASSERT_EQ(table()->columnCount(), 4);
    const QStringList titles{"AInt", "AStr", "ABoolean", "StrShowCheck"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(table()->columnDescription(column), titles[column]);
        QAccessibleInterface* header = iface->child(column);
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
        EXPECT_EQ(header->text(QAccessible::Name), titles[column]);
    }
}

TEST_F(Accessibility, AnEmptySetHasOneBlankRowWithoutBoxes) {
    EXPECT_EQ(table()->rowCount(), 1);
    for (int column = 0; column < 4; ++column) {
        QAccessibleInterface* c = cell(0, column);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->text(QAccessible::Name), QString());
        EXPECT_FALSE(c->state().checkable);
    }
    EXPECT_TRUE(cell(0, kAInt)->state().focused);
}

TEST_F(Accessibility, CellsReportTheirTextAndCheckState) {
    addRecord({1, "abc", std::nullopt, "bb"});
    addRecord({0, "de", true, "aa"});
    ASSERT_EQ(table()->rowCount(), 2);
    EXPECT_EQ(cell(0, kAStr)->text(QAccessible::Name), QStringLiteral("abc"));
    EXPECT_EQ(cell(1, kAStr)->text(QAccessible::Name), QStringLiteral("de"));
    EXPECT_EQ(cell(0, kAInt)->text(QAccessible::Name), QStringLiteral("1"));
    EXPECT_FALSE(cell(0, kAStr)->state().checkable);
    EXPECT_EQ(shownState(0, kAInt), "checked");
    EXPECT_EQ(shownState(0, kABoolean), "grey");
    EXPECT_EQ(shownState(0, kStrShowCheck), "clear");
    EXPECT_EQ(shownState(1, kAInt), "clear");
    EXPECT_EQ(shownState(1, kABoolean), "checked");
    EXPECT_EQ(shownState(1, kStrShowCheck), "checked");
    // The current cell: the last record, first column.
    EXPECT_TRUE(cell(1, kAInt)->state().focused);
    EXPECT_FALSE(cell(0, kAInt)->state().focused);
    other->setFocus();
    EXPECT_FALSE(cell(1, kAInt)->state().focused);
}

TEST_F(Accessibility, CellsAreFoundByPositionAndKnowTheirPlace) {
    addRecord({1, "abc", true, "aa"});
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid);
    const QPoint centre = grid->mapToGlobal(grid->cellRect(0, kABoolean).center());
    QAccessibleInterface* hit = iface->childAt(centre.x(), centre.y());
    ASSERT_EQ(hit, cell(0, kABoolean));
    QAccessibleTableCellInterface* tableCell = hit->tableCellInterface();
    ASSERT_NE(tableCell, nullptr);
    EXPECT_EQ(tableCell->rowIndex(), 0);
    EXPECT_EQ(tableCell->columnIndex(), int(kABoolean));
    ASSERT_EQ(tableCell->columnHeaderCells().size(), 1);
    EXPECT_EQ(tableCell->columnHeaderCells()[0]->text(QAccessible::Name),
              QStringLiteral("ABoolean"));
    EXPECT_EQ(iface->child(iface->indexOfChild(hit)), hit);
    EXPECT_EQ(hit->parent(), iface);
}

TEST_F(Accessibility, AToggleAnnouncesTheCellsNewState) {
    addRecord({1, "abc", true, "aa"});
    EventRecorder recorder(*grid);
    click(0, kStrShowCheck);
    ASSERT_EQ(data.strShowCheck->asString(), "bb");
    QAccessibleInterface* toggled = cell(0, kStrShowCheck);
    bool stateChange = false;
    bool valueChange = false;
    for (const auto& seen : recorder.events) {
        if (seen.target != toggled) {
            continue;
        }
        stateChange |= seen.type == QAccessible::StateChanged && seen.changed.checked;
        valueChange |= seen.type == QAccessible::ValueChanged;
    }
    EXPECT_TRUE(stateChange);
    EXPECT_TRUE(valueChange);
    EXPECT_EQ(shownState(0, kStrShowCheck), "clear");
}

TEST_F(Accessibility, TheToggleActionTogglesTheCell) {
    addRecord({1, "abc", true, "aa"});
    addRecord({1, "def", true, "aa"});
    QAccessibleActionInterface* actions = cell(0, kABoolean)->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(set().recNo(), 1);
    EXPECT_FALSE(data.aBoolean->asBoolean());
    EXPECT_FALSE(cell(0, kAStr)->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::toggleAction()));
}

}  // namespace
}  // namespace gridtest
