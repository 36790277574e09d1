#include "controls/GridGeometry.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

GridGeometry::GridGeometry(QRect viewport, GridMetrics metrics, std::vector<int> columnWidths,
                           int scrollX)
    : viewport_(viewport), metrics_(metrics), widths_(std::move(columnWidths)), scrollX_(scrollX) {}

int GridGeometry::fixedWidth() const {
    return metrics_.indicatorWidth > 0 ? metrics_.indicatorWidth + metrics_.colLine : 0;
}

int GridGeometry::fixedHeight() const {
    return metrics_.titleHeight > 0 ? metrics_.titleHeight + metrics_.rowLine : 0;
}

int GridGeometry::visibleRowCount() const {
    const int pitch = metrics_.rowHeight + metrics_.rowLine;
    // The last row's line may fall outside the viewport.
    const int room = viewport_.height() - fixedHeight() + metrics_.rowLine;
    return std::max(1, room / std::max(1, pitch));
}

int GridGeometry::columnsWidth() const {
    return std::accumulate(widths_.begin(), widths_.end(), 0) + metrics_.colLine * columnCount();
}

int GridGeometry::maxScrollX() const {
    return std::max(0, columnsWidth() - (viewport_.width() - fixedWidth()));
}

int GridGeometry::columnLeft(int column) const {
    int x = dataLeft() - scrollX_;
    for (int c = 0; c < column; ++c) {
        x += columnWidth(c) + metrics_.colLine;
    }
    return x;
}

int GridGeometry::rowTop(int row) const {
    return dataTop() + row * (metrics_.rowHeight + metrics_.rowLine);
}

QRect GridGeometry::cornerCell() const {
    return {viewport_.left(), viewport_.top(), metrics_.indicatorWidth, metrics_.titleHeight};
}

QRect GridGeometry::titleCell(int column) const {
    return {columnLeft(column), viewport_.top(), columnWidth(column), metrics_.titleHeight};
}

QRect GridGeometry::indicatorCell(int row) const {
    return {viewport_.left(), rowTop(row), metrics_.indicatorWidth, metrics_.rowHeight};
}

QRect GridGeometry::dataCell(int row, int column) const {
    return {columnLeft(column), rowTop(row), columnWidth(column), metrics_.rowHeight};
}

QRect GridGeometry::withLines(const QRect& cell) const {
    return cell.adjusted(0, 0, metrics_.colLine, metrics_.rowLine);
}

GridHit GridGeometry::hitTest(QPoint point, int shownRows) const {
    GridHit hit;
    if (!viewport_.contains(point)) {
        return hit;
    }
    const bool inTitleRow = point.y() < dataTop();
    int row = -1;
    if (!inTitleRow) {
        row = (point.y() - dataTop()) / (metrics_.rowHeight + metrics_.rowLine);
        if (row >= shownRows) {
            return hit;
        }
    }
    if (point.x() < dataLeft()) {
        hit.area = inTitleRow ? GridArea::Corner : GridArea::Indicator;
        hit.row = row;
        return hit;
    }
    for (int c = 0; c < columnCount(); ++c) {
        const int left = columnLeft(c);
        const int right = left + columnWidth(c) + metrics_.colLine;  // exclusive
        if (inTitleRow && std::abs(point.x() - (left + columnWidth(c))) <= 2) {
            hit.resizeColumn = c;
        }
        if (point.x() >= left && point.x() < right && hit.column < 0) {
            hit.column = c;
        }
    }
    if (hit.column < 0) {
        // Right of the last column.
        return {GridArea::None, -1, -1, hit.resizeColumn};
    }
    hit.area = inTitleRow ? GridArea::Title : GridArea::Data;
    hit.row = row;
    return hit;
}

int GridGeometry::dropIndex(int x) const {
    for (int c = 0; c < columnCount(); ++c) {
        if (x < columnLeft(c) + columnWidth(c) / 2) {
            return c;
        }
    }
    return columnCount();
}

int GridGeometry::dropMarkX(int index) const {
    if (index >= columnCount()) {
        return columnLeft(columnCount() - 1) + columnWidth(columnCount() - 1);
    }
    return columnLeft(index) - metrics_.colLine;
}

QRect checkBoxRect(const QRect& cell, QSize box) {
    // One axis of the rule, on [start, start + length) with the box size `size`.
    auto place = [](int start, int length, int size, int& from, int& to) {
        if (length < size) {
            from = start;
            to = start + length;
        } else {
            from = start + length / 2 - size / 2;
            to = from + size;
        }
    };
    int left = 0, right = 0, top = 0, bottom = 0;
    place(cell.left(), cell.width(), box.width(), left, right);
    place(cell.top(), cell.height(), box.height(), top, bottom);
    const int width = right - left;
    const int height = bottom - top;
    if (width > height) {
        const int excess = width - height;
        left += excess / 2;
        right -= excess - excess / 2;
    } else if (height > width) {
        const int excess = height - width;
        top += excess / 2;
        bottom -= excess - excess / 2;
    }
    return {left, top, right - left, bottom - top};
}
