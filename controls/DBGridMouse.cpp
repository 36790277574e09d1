// The mouse on the grid: a press moves to the pressed cell, a release in the
// same check-box cell toggles it, and drags in the title row resize and move
// columns.

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include "controls/DBGrid.h"
#include "data/DataSet.h"

void TDBGrid::mousePressEvent(QMouseEvent* event) {
    pressCell_.reset();
    if (!hasFocusWithin()) {
        setFocus(Qt::MouseFocusReason);
        if (!hasFocusWithin()) {
            return;  // a press that could not take the focus is ignored
        }
    }
    const GridHit hit = hitTest(event->position().toPoint());
    const bool left = event->button() == Qt::LeftButton;

    if (hit.area == GridArea::Title || (hit.area == GridArea::None && hit.resizeColumn >= 0)) {
        if (left && options_.columnResize) {
            dragStart_ = event->position().toPoint();
            if (hit.resizeColumn >= 0) {
                drag_ = Drag::Resize;
                dragColumn_ = hit.resizeColumn;
                dragStartWidth_ = geometry_.columnWidth(dragColumn_);
            } else {
                drag_ = Drag::MaybeMove;
                dragColumn_ = hit.column;
            }
        }
        return;
    }
    if (hit.area == GridArea::Indicator) {
        moveToCell(hit.row, currentColumn_);
        return;
    }
    if (hit.area != GridArea::Data) {
        return;
    }
    const bool wasCurrent =
        hit.row == currentRow() && hit.column == currentColumn_ && !editorShown_;
    // Moving may fail (the post before the move); then the press goes no further.
    moveToCell(hit.row, hit.column);
    if (!left) {
        return;
    }
    if (column(hit.column).isCheckBoxColumn()) {
        pressCell_ = hit;
    } else if (wasCurrent) {
        showEditor();
    }
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // The second press of a double-click only takes the focus: the first
    // click has toggled already.
    pressCell_.reset();
    if (!hasFocusWithin()) {
        setFocus(Qt::MouseFocusReason);
    }
}

void TDBGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    switch (drag_) {
        case Drag::Resize:
            setColumnWidth(dragColumn_, dragStartWidth_ + point.x() - dragStart_.x());
            return;
        case Drag::MaybeMove:
            if ((point - dragStart_).manhattanLength() < QApplication::startDragDistance()) {
                return;
            }
            drag_ = Drag::Move;
            setCursor(Qt::ClosedHandCursor);
            [[fallthrough]];
        case Drag::Move:
            dropIndex_ = geometry_.dropIndex(point.x());
            update();
            return;
        case Drag::None:
            break;
    }
    // Over a title border the cursor shows that the column can be resized.
    const GridHit hit = hitTest(point);
    const bool overBorder = options_.columnResize && hit.resizeColumn >= 0 &&
                            (hit.area == GridArea::Title || hit.area == GridArea::None) &&
                            point.y() < geometry_.dataTop();
    if (overBorder) {
        setCursor(Qt::SplitHCursor);
    } else {
        unsetCursor();
    }
}

void TDBGrid::mouseReleaseEvent(QMouseEvent* event) {
    const Drag drag = std::exchange(drag_, Drag::None);
    if (drag != Drag::None) {
        unsetCursor();
        if (drag == Drag::Move) {
            const int to = std::exchange(dropIndex_, -1);
            moveColumn(dragColumn_, to);
            update();
        }
        dragColumn_ = -1;
        return;
    }
    const std::optional<GridHit> pressed = std::exchange(pressCell_, std::nullopt);
    if (!pressed || event->button() != Qt::LeftButton) {
        return;
    }
    // Anywhere inside the pressed cell counts, not only the box.
    const GridHit released = hitTest(event->position().toPoint());
    if (released.area == GridArea::Data && released.row == pressed->row &&
        released.column == pressed->column) {
        toggleCurrentCell();
    }
}

void TDBGrid::wheelEvent(QWheelEvent* event) {
    TDataSet* dataSet = activeDataSet();
    if (!dataSet) {
        return;
    }
    // One record per notch of the wheel.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0) {
        dataSet->moveBy(-notches);
    }
    event->accept();
}
