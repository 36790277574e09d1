#pragma once
// Draws the cells of the record grid: the raised title and indicator cells,
// text cells, check-box cells and the blank row. It knows nothing of records:
// the grid hands it the text or check state of each cell. The widget's style
// draws the parts the system provides (header sections, check boxes).

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include "data/CheckState.h"

class QPainter;
class QWidget;

// The mark in the indicator column at the current record.
enum class IndicatorMark { None, Browse, Edit, Insert };

// How a data cell looks beyond its content.
struct CellLook {
    bool highlighted = false;  // the current cell while the grid has the keyboard focus
    bool focusFrame = false;   // ... and the grid is the active window's focus
};

class GridCellPainter {
public:
    // `widget`: the grid, whose style, palette and fonts are used.
    explicit GridCellPainter(const QWidget& widget);

    // The size of the system's check-box image in `widget`'s style.
    static QSize checkBoxSize(const QWidget& widget);

    // Title cell with the column's caption, left-aligned.
    void paintTitle(QPainter& painter, const QRect& cell, const QString& caption, const QFont& font,
                    bool raised) const;
    // Indicator cell (or the corner above the indicator column) with a mark.
    void paintIndicator(QPainter& painter, const QRect& cell, IndicatorMark mark,
                        bool raised) const;
    void paintText(QPainter& painter, const QRect& cell, const QString& text,
                   Qt::Alignment alignment, const QFont& font, CellLook look) const;
    // The system's check box of `boxSize`, placed by checkBoxRect; no text.
    void paintCheckBox(QPainter& painter, const QRect& cell, TCheckBoxState state, QSize boxSize,
                       CellLook look) const;
    // A data cell with nothing in it (the blank row of an empty record set).
    void paintBlank(QPainter& painter, const QRect& cell, CellLook look) const;
    // The area of the grid where there are no cells.
    void paintEmptyArea(QPainter& painter, const QRect& area) const;
    // The lines right of and below a cell (`cell` without its lines).
    void paintLines(QPainter& painter, const QRect& cell, int colLine, int rowLine,
                    bool fixedCell) const;
    // The mark showing where a dragged column title would be dropped.
    void paintDropMark(QPainter& painter, int x, int top, int bottom) const;

private:
    void paintFixedCell(QPainter& painter, const QRect& cell, Qt::Orientation orientation,
                        bool raised) const;
    QColor background(CellLook look) const;
    void paintBackground(QPainter& painter, const QRect& cell, CellLook look) const;
    void paintFocusFrame(QPainter& painter, const QRect& cell, const QColor& background) const;
    void paintMark(QPainter& painter, const QRect& cell, IndicatorMark mark) const;
    // The style's check box of `size` on `background`, drawn once and kept in
    // the application's pixmap cache.
    QPixmap checkBoxImage(TCheckBoxState state, QSize size, const QColor& background) const;

    const QWidget& widget_;
};
