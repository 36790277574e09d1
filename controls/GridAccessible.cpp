#include "controls/GridAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>
#include <mutex>

#include "controls/DBGrid.h"

namespace {

class GridAccessible;

// One cell of the grid: a title cell (row -1) or a data cell. It holds only
// its coordinates and asks the grid for everything else when asked itself.
class GridCellAccessible : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleActionInterface {
public:
    GridCellAccessible(TDBGrid* grid, int row, int column)
        : grid_(grid), row_(row), column_(column) {}

    bool isTitle() const { return row_ < 0; }
    bool isCurrent() const {
        return !isTitle() && row_ == grid_->currentRow() && column_ == grid_->currentColumn();
    }

    bool isValid() const override {
        return grid_ && column_ < grid_->columnCount() && row_ < grid_->shownRowCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!isValid() || t != QAccessible::Name) {
            return {};
        }
        return isTitle() ? grid_->columnTitle(column_) : grid_->cellText(row_, column_);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect local = isTitle() ? grid_->titleRect(column_) : grid_->cellRect(row_, column_);
        return {grid_->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::Role role() const override {
        return isTitle() ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        if (isTitle()) {
            return state;
        }
        state.focusable = true;
        state.selectable = true;
        state.selected = isCurrent();
        state.focused = isCurrent() && grid_->hasFocusWithin();
        state.readOnly = !grid_->cellMayChange(column_);
        if (const auto box = grid_->cellCheckState(row_, column_)) {
            state.checkable = true;
            state.checked = *box == TCheckBoxState::cbChecked;
            state.checkStateMixed = *box == TCheckBoxState::cbGrayed;
        }
        state.offscreen = !grid_->rect().intersects(grid_->cellRect(row_, column_));
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (isTitle()) {
            return nullptr;
        }
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        if (type == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return isCurrent(); }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // QAccessibleActionInterface: move to the cell, and toggle a box.
    QStringList actionNames() const override {
        if (!isValid()) {
            return {};
        }
        if (grid_->cellCheckState(row_, column_)) {
            return {toggleAction(), setFocusAction()};
        }
        return {setFocusAction()};
    }
    void doAction(const QString& name) override {
        if (!isValid()) {
            return;
        }
        if (name == setFocusAction() || name == toggleAction()) {
            grid_->setFocus(Qt::OtherFocusReason);
            grid_->moveToCell(row_, column_);
        }
        if (name == toggleAction() && grid_->currentColumn() == column_) {
            grid_->toggleCurrentCell();
        }
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        return name == toggleAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }

private:
    QPointer<TDBGrid> grid_;
    int row_;
    int column_;
};

// The grid: a table of title cells and data cells; the in-place editor,
// while it shows, follows the cells as one more child.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(TDBGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridAccessible() override { dropCells(); }

    TDBGrid* grid() const { return static_cast<TDBGrid*>(widget()); }

    // The cell at `row` (-1: the title row) and `column`, made once and kept.
    QAccessibleInterface* cell(int row, int column) const {
        if (column < 0 || column >= grid()->columnCount() || row < -1 ||
            row >= grid()->shownRowCount()) {
            return nullptr;
        }
        const qint64 key = (static_cast<qint64>(row + 1) << 32) | static_cast<quint32>(column);
        auto found = cells_.constFind(key);
        if (found != cells_.constEnd()) {
            return QAccessible::accessibleInterface(*found);
        }
        auto* made = new GridCellAccessible(grid(), row, column);
        cells_.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    void dropCells() {
        for (QAccessible::Id id : std::as_const(cells_)) {
            QAccessible::deleteAccessibleInterface(id);
        }
        cells_.clear();
    }

    QWidget* shownEditor() const {
        for (QWidget* child : grid()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible() && child->focusPolicy() != Qt::NoFocus) {
                return child;
            }
        }
        return nullptr;
    }

    // QAccessibleInterface
    int childCount() const override {
        const int cells = grid()->columnCount() * (grid()->shownRowCount() + 1);
        return cells + (shownEditor() ? 1 : 0);
    }
    QAccessibleInterface* child(int index) const override {
        const int columns = grid()->columnCount();
        const int cells = columns * (grid()->shownRowCount() + 1);
        if (index < 0 || columns == 0) {
            return nullptr;
        }
        if (index < cells) {
            return cell(index / columns - 1, index % columns);
        }
        if (index == cells) {
            return QAccessible::queryAccessibleInterface(shownEditor());
        }
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) {
            return -1;
        }
        const int columns = grid()->columnCount();
        if (const auto* cellChild = dynamic_cast<const GridCellAccessible*>(child)) {
            if (!cellChild->isValid() || child->parent() != this) {
                return -1;
            }
            const auto* tableCell =
                const_cast<GridCellAccessible*>(cellChild)->tableCellInterface();
            const int row = tableCell ? tableCell->rowIndex() : -1;
            const int column = tableCell ? tableCell->columnIndex() : indexOfTitle(cellChild);
            return (row + 1) * columns + column;
        }
        if (child->object() && child->object() == shownEditor()) {
            return columns * (grid()->shownRowCount() + 1);
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = grid()->mapFromGlobal(QPoint(x, y));
        const GridHit hit = grid()->hitTest(local);
        switch (hit.area) {
            case GridArea::Title:
                return cell(-1, hit.column);
            case GridArea::Data:
                return cell(hit.row, hit.column);
            default:
                return nullptr;
        }
    }
    QAccessibleInterface* focusChild() const override {
        if (grid()->hasFocus() && grid()->currentRow() >= 0 && grid()->columnCount() > 0) {
            return cell(grid()->currentRow(), grid()->currentColumn());
        }
        return QAccessibleWidget::focusChild();
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) {
            return static_cast<QAccessibleTableInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return row < 0 ? nullptr : cell(row, column);
    }
    int selectedCellCount() const override { return currentCell() ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        if (QAccessibleInterface* current = currentCell()) {
            return {current};
        }
        return {};
    }
    QString columnDescription(int column) const override {
        return column >= 0 && column < grid()->columnCount() ? grid()->columnTitle(column)
                                                             : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return grid()->columnCount(); }
    int rowCount() const override { return grid()->shownRowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int row) override {
        if (row < 0 || row >= grid()->shownRowCount()) {
            return false;
        }
        grid()->moveToCell(row, grid()->currentColumn());
        return true;
    }
    bool selectColumn(int column) override {
        if (column < 0 || column >= grid()->columnCount()) {
            return false;
        }
        grid()->setCurrentColumn(column);
        return true;
    }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { dropCells(); }

private:
    QAccessibleInterface* currentCell() const {
        const int row = grid()->currentRow();
        return row >= 0 ? cell(row, grid()->currentColumn()) : nullptr;
    }
    int indexOfTitle(const GridCellAccessible* title) const {
        for (int c = 0; c < grid()->columnCount(); ++c) {
            if (cell(-1, c) == title) {
                return c;
            }
        }
        return -1;
    }

    mutable QHash<qint64, QAccessible::Id> cells_;
};

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    auto* table = dynamic_cast<GridAccessible*>(parent());
    if (!table) {
        return {};
    }
    QAccessibleInterface* title = table->cell(-1, column_);
    return title ? QList<QAccessibleInterface*>{title} : QList<QAccessibleInterface*>{};
}

QAccessibleInterface* gridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TDBGrid")) {
        if (auto* grid = qobject_cast<TDBGrid*>(object)) {
            return new GridAccessible(grid);
        }
    }
    return nullptr;
}

QAccessibleInterface* gridCell(TDBGrid& grid, int row, int column) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    if (!table || !table->tableInterface() || row < 0) {
        return nullptr;
    }
    return table->tableInterface()->cellAt(row, column);
}

}  // namespace

void installGridAccessibility() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(gridFactory); });
}

void announceGridFocus(TDBGrid& grid) {
    if (!grid.accessibleEventsWanted() || !grid.hasFocus()) {
        return;
    }
    if (QAccessibleInterface* cell = gridCell(grid, grid.currentRow(), grid.currentColumn())) {
        QAccessibleEvent event(cell, QAccessible::Focus);
        grid.sendAccessibleEvent(&event);
    }
}

void announceGridCellChanged(TDBGrid& grid, int row, int column) {
    if (!grid.accessibleEventsWanted()) {
        return;
    }
    QAccessibleInterface* cell = gridCell(grid, row, column);
    if (!cell) {
        return;
    }
    QAccessible::State changed;
    changed.checked = true;
    changed.checkStateMixed = true;
    QAccessibleStateChangeEvent stateEvent(cell, changed);
    grid.sendAccessibleEvent(&stateEvent);
    QAccessibleValueChangeEvent valueEvent(cell, cell->text(QAccessible::Name));
    grid.sendAccessibleEvent(&valueEvent);
}

void announceGridStructureChanged(TDBGrid& grid) {
    if (!grid.accessibleEventsWanted()) {
        return;
    }
    QAccessibleTableModelChangeEvent event(&grid, QAccessibleTableModelChangeEvent::ModelReset);
    grid.sendAccessibleEvent(&event);
}
