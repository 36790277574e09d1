#pragma once
// Where everything of the record grid lies: the title row, the indicator
// column, the data cells with their lines, and which cell a point hits. Pure
// geometry, computed from the viewport, the measured heights and the column
// widths; no widget and no record set.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

struct GridMetrics {
    int indicatorWidth = 0;  // 0: no indicator column
    int titleHeight = 0;     // 0: no title row
    int rowHeight = 1;       // a data row without its line
    int colLine = 1;         // width of the line after each column (0 or 1)
    int rowLine = 1;         // height of the line below each row (0 or 1)
};

enum class GridArea { None, Corner, Title, Indicator, Data };

struct GridHit {
    GridArea area = GridArea::None;
    int row = -1;           // data row, for Indicator and Data
    int column = -1;        // data column, for Title and Data
    int resizeColumn = -1;  // a column whose right border lies under the point (title row)

    bool operator==(const GridHit&) const = default;
};

class GridGeometry {
public:
    GridGeometry() = default;
    // `viewport`: the area inside the border and the scroll bars; `scrollX`:
    // how many pixels the data columns are scrolled to the left.
    GridGeometry(QRect viewport, GridMetrics metrics, std::vector<int> columnWidths, int scrollX);

    const QRect& viewport() const { return viewport_; }
    const GridMetrics& metrics() const { return metrics_; }
    int columnCount() const { return static_cast<int>(widths_.size()); }
    int columnWidth(int column) const { return widths_[static_cast<std::size_t>(column)]; }

    // Rows that fit completely below the title row; at least one.
    int visibleRowCount() const;
    // Width of all data columns with their lines.
    int columnsWidth() const;
    // How far the data columns can be scrolled to the left.
    int maxScrollX() const;
    // Where the data columns and data rows begin (the area right of the
    // indicator and below the title row).
    int dataLeft() const { return viewport_.left() + fixedWidth(); }
    int dataTop() const { return viewport_.top() + fixedHeight(); }

    // Cell rectangles, without their lines; data columns as scrolled.
    QRect cornerCell() const;
    QRect titleCell(int column) const;
    QRect indicatorCell(int row) const;
    QRect dataCell(int row, int column) const;
    // A cell with the lines after it (what a point in it hits).
    QRect withLines(const QRect& cell) const;

    // The cell under `point` when `shownRows` data rows are shown.
    GridHit hitTest(QPoint point, int shownRows) const;
    // Where a column title dropped at `x` goes: the index before which it is
    // inserted, 0..columnCount().
    int dropIndex(int x) const;
    // The x of the line before the column at `index` (index == columnCount:
    // after the last column): where the drop mark is drawn.
    int dropMarkX(int index) const;

private:
    int fixedWidth() const;
    int fixedHeight() const;
    int columnLeft(int column) const;
    int rowTop(int row) const;

    QRect viewport_;
    GridMetrics metrics_;
    std::vector<int> widths_;
    int scrollX_ = 0;
};

// The square in which a check box is drawn inside `cell`: centred by
// cell.left + w div 2 - W div 2 (the whole cell when it is narrower than the
// box), the same vertically, then the longer side shortened to the shorter
// one, half the difference (rounded down) at its start and the rest at its end.
QRect checkBoxRect(const QRect& cell, QSize box);
