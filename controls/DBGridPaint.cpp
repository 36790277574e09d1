// Painting the grid: only the rows of the record window that are shown, read
// through the record set's row scope, so the cost does not depend on how many
// records the set holds.

#include <QFrame>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "controls/DBGrid.h"
#include "data/DataSet.h"
#include "data/Field.h"

namespace {

Qt::Alignment alignmentOf(const TField* field) {
    if (!field) {
        return Qt::AlignLeft;
    }
    switch (field->alignment()) {
        case TAlignment::taRightJustify:
            return Qt::AlignRight;
        case TAlignment::taCenter:
            return Qt::AlignHCenter;
        case TAlignment::taLeftJustify:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace

void TDBGrid::paintEvent(QPaintEvent* event) {
    // Qt clips the painter to the region being repainted; cells outside it
    // are skipped, so that repainting one row costs one row.
    const QRegion& dirty = event->region();
    QPainter painter(this);
    const GridCellPainter cells(*this);

    // The grid's sunken border, and the corner between the two scroll bars.
    painter.fillRect(rect(), palette().window());
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect();
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    frame.frameShape = QFrame::StyledPanel;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);

    const QRect viewport = geometry_.viewport();
    painter.setClipRect(viewport);
    cells.paintEmptyArea(painter, viewport);
    paintTitleRow(painter, cells, dirty);
    paintDataRows(painter, cells, dirty);

    if (drag_ == Drag::Move && dropIndex_ >= 0) {
        painter.setClipRect(viewport);
        cells.paintDropMark(painter, geometry_.dropMarkX(dropIndex_), viewport.top(),
                            viewport.bottom());
    }
}

void TDBGrid::paintTitleRow(QPainter& painter, const GridCellPainter& cells,
                            const QRegion& dirty) const {
    const GridMetrics& metrics = geometry_.metrics();
    if (metrics.titleHeight <= 0) {
        return;
    }
    const QRect viewport = geometry_.viewport();
    const QRect titleRow(viewport.left(), viewport.top(), viewport.width(),
                         metrics.titleHeight + metrics.rowLine);
    if (!dirty.intersects(titleRow)) {
        return;
    }
    const bool raised = optionsEx_.fixed3D;
    if (metrics.indicatorWidth > 0) {
        painter.setClipRect(viewport);
        const QRect corner = geometry_.cornerCell();
        cells.paintIndicator(painter, corner, IndicatorMark::None, raised);
        cells.paintLines(painter, corner, metrics.colLine, metrics.rowLine, true);
    }
    // Scrolled columns pass under the indicator column, not over it.
    const QRect columnsArea(geometry_.dataLeft(), viewport.top(),
                            viewport.right() + 1 - geometry_.dataLeft(), viewport.height());
    painter.setClipRect(columnsArea);
    for (int c = 0; c < columnCount(); ++c) {
        const QRect cell = geometry_.titleCell(c);
        const QRect withLines = geometry_.withLines(cell);
        if (!withLines.intersects(columnsArea) || !dirty.intersects(withLines)) {
            continue;
        }
        cells.paintTitle(painter, cell, columnTitle(c), titleFont(), raised);
        cells.paintLines(painter, cell, metrics.colLine, metrics.rowLine, true);
    }
}

IndicatorMark TDBGrid::currentMark() const {
    switch (link_.dataSource() ? link_.dataSource()->state() : TDataSetState::dsInactive) {
        case TDataSetState::dsBrowse:
            return IndicatorMark::Browse;
        case TDataSetState::dsEdit:
            return IndicatorMark::Edit;
        case TDataSetState::dsInsert:
            return IndicatorMark::Insert;
        case TDataSetState::dsInactive:
            break;
    }
    return IndicatorMark::None;
}

CellLook TDBGrid::lookOf(int row, int column) const {
    CellLook look;
    if (row != currentRow() || column != currentColumn_ || !hasFocusWithin()) {
        return look;
    }
    look.highlighted = optionsEx_.highlightFocus;
    look.focusFrame = isActiveWindow();
    return look;
}

void TDBGrid::paintDataRows(QPainter& painter, const GridCellPainter& cells,
                            const QRegion& dirty) const {
    const GridMetrics& metrics = geometry_.metrics();
    const QRect viewport = geometry_.viewport();
    const QRect columnsArea(geometry_.dataLeft(), geometry_.dataTop(),
                            viewport.right() + 1 - geometry_.dataLeft(),
                            viewport.bottom() + 1 - geometry_.dataTop());
    const bool raised = optionsEx_.fixed3D;
    TDataSet* dataSet = activeDataSet();
    const bool blank = showsBlankRow();
    const int rows = shownRowCount();
    const int current = currentRow();

    for (int row = 0; row < rows; ++row) {
        const QRect indicator = geometry_.indicatorCell(row);
        if (indicator.top() > viewport.bottom()) {
            break;
        }
        const QRect rowArea(viewport.left(), indicator.top(), viewport.width(),
                            indicator.height() + metrics.rowLine);
        if (!dirty.intersects(rowArea)) {
            continue;
        }
        if (metrics.indicatorWidth > 0) {
            painter.setClipRect(viewport);
            cells.paintIndicator(painter, indicator,
                                 row == current ? currentMark() : IndicatorMark::None, raised);
            cells.paintLines(painter, indicator, metrics.colLine, metrics.rowLine, true);
        }
        painter.setClipRect(columnsArea);
        // Field reads below come from this row of the record window.
        std::optional<TDataSet::RowScope> scope;
        if (!blank) {
            scope.emplace(*dataSet, link_.firstRecord() + row);
        }
        for (int c = 0; c < columnCount(); ++c) {
            const QRect cell = geometry_.dataCell(row, c);
            const QRect withLines = geometry_.withLines(cell);
            if (!withLines.intersects(columnsArea) || !dirty.intersects(withLines)) {
                continue;
            }
            const TDBGridColumn& shown = column(c);
            const CellLook look = lookOf(row, c);
            if (blank) {
                cells.paintBlank(painter, cell, look);
            } else if (shown.isCheckBoxColumn()) {
                cells.paintCheckBox(painter, cell, shown.checkState(), boxSize_, look);
            } else {
                const TField* field = shown.field();
                const QString text =
                    field ? QString::fromStdString(field->displayText()) : QString();
                cells.paintText(painter, cell, text, alignmentOf(field), font(), look);
            }
            cells.paintLines(painter, cell, metrics.colLine, metrics.rowLine, false);
        }
    }
}
