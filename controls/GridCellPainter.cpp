#include "controls/GridCellPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>

#include "controls/GridGeometry.h"

namespace {

// Room between a cell's edge and its text.
constexpr int kTextMargin = 2;

}  // namespace

GridCellPainter::GridCellPainter(const QWidget& widget) : widget_(widget) {}

QSize GridCellPainter::checkBoxSize(const QWidget& widget) {
    const QStyle* style = widget.style();
    return {style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &widget),
            style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, &widget)};
}

void GridCellPainter::paintFixedCell(QPainter& painter, const QRect& cell,
                                     Qt::Orientation orientation, bool raised) const {
    if (!raised) {
        painter.fillRect(cell, widget_.palette().button());
        return;
    }
    // The style's header section is the platform's raised cell of a table.
    QStyleOptionHeader option;
    option.initFrom(&widget_);
    option.rect = cell;
    option.orientation = orientation;
    option.position = QStyleOptionHeader::Middle;
    option.state |= QStyle::State_Raised;
    if (orientation == Qt::Horizontal) {
        option.state |= QStyle::State_Horizontal;
    }
    widget_.style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, &widget_);
}

void GridCellPainter::paintTitle(QPainter& painter, const QRect& cell, const QString& caption,
                                 const QFont& font, bool raised) const {
    paintFixedCell(painter, cell, Qt::Horizontal, raised);
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(widget_.palette().color(QPalette::ButtonText));
    painter.drawText(cell.adjusted(kTextMargin, 0, -kTextMargin, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
    painter.restore();
}

void GridCellPainter::paintIndicator(QPainter& painter, const QRect& cell, IndicatorMark mark,
                                     bool raised) const {
    paintFixedCell(painter, cell, Qt::Vertical, raised);
    paintMark(painter, cell, mark);
}

void GridCellPainter::paintMark(QPainter& painter, const QRect& cell, IndicatorMark mark) const {
    if (mark == IndicatorMark::None) {
        return;
    }
    // Marks are drawn in a square of odd size centred in the cell, so that
    // their strokes fall on whole pixels.
    const int size = std::max(3, (std::min(cell.width(), cell.height()) - 4) | 1);
    const int half = size / 2;
    const QPoint centre(cell.left() + cell.width() / 2, cell.top() + cell.height() / 2);
    const QColor ink = widget_.palette().color(QPalette::ButtonText);
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    switch (mark) {
        case IndicatorMark::Browse: {
            // A triangle pointing at the current record.
            const int depth = std::max(2, half);  // from the base to the tip
            QPainterPath triangle;
            const qreal base = centre.x() - depth / 2 + 0.5;
            triangle.moveTo(base, centre.y() - depth + 0.5);
            triangle.lineTo(base + depth, centre.y() + 0.5);
            triangle.lineTo(base, centre.y() + depth + 0.5);
            triangle.closeSubpath();
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            painter.drawPath(triangle);
            break;
        }
        case IndicatorMark::Edit: {
            // An I-beam: the record's text is being changed.
            const int serif = std::max(1, half / 2);
            painter.setPen(QPen(ink, 1));
            painter.drawLine(centre.x(), centre.y() - half, centre.x(), centre.y() + half);
            painter.drawLine(centre.x() - serif, centre.y() - half, centre.x() + serif,
                             centre.y() - half);
            painter.drawLine(centre.x() - serif, centre.y() + half, centre.x() + serif,
                             centre.y() + half);
            break;
        }
        case IndicatorMark::Insert: {
            // An asterisk: a new record not yet stored.
            const int diagonal = half * 7 / 10;
            painter.setPen(QPen(ink, 1));
            painter.drawLine(centre.x(), centre.y() - half, centre.x(), centre.y() + half);
            painter.drawLine(centre.x() - half, centre.y(), centre.x() + half, centre.y());
            painter.drawLine(centre.x() - diagonal, centre.y() - diagonal, centre.x() + diagonal,
                             centre.y() + diagonal);
            painter.drawLine(centre.x() - diagonal, centre.y() + diagonal, centre.x() + diagonal,
                             centre.y() - diagonal);
            break;
        }
        case IndicatorMark::None:
            break;
    }
    painter.restore();
}

QColor GridCellPainter::background(CellLook look) const {
    return widget_.palette().color(look.highlighted ? QPalette::Highlight : QPalette::Base);
}

void GridCellPainter::paintBackground(QPainter& painter, const QRect& cell, CellLook look) const {
    painter.fillRect(cell, background(look));
}

void GridCellPainter::paintText(QPainter& painter, const QRect& cell, const QString& text,
                                Qt::Alignment alignment, const QFont& font, CellLook look) const {
    paintBackground(painter, cell, look);
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(
        widget_.palette().color(look.highlighted ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(cell.adjusted(kTextMargin, 0, -kTextMargin, 0),
                     static_cast<int>(alignment | Qt::AlignVCenter | Qt::TextSingleLine), text);
    painter.restore();
    if (look.focusFrame) {
        paintFocusFrame(painter, cell, background(look));
    }
}

void GridCellPainter::paintCheckBox(QPainter& painter, const QRect& cell, TCheckBoxState state,
                                    QSize boxSize, CellLook look) const {
    paintBackground(painter, cell, look);
    const QRect box = checkBoxRect(cell, boxSize);
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.drawPixmap(box.topLeft(), checkBoxImage(state, box.size(), background(look)));
    painter.restore();
    if (look.focusFrame) {
        paintFocusFrame(painter, cell, background(look));
    }
}

QPixmap GridCellPainter::checkBoxImage(TCheckBoxState state, QSize size,
                                       const QColor& background) const {
    QStyleOptionButton option;
    option.initFrom(&widget_);
    option.rect = QRect(QPoint(0, 0), size);
    // Enabled and not pressed whatever the grid's own state; never hovered.
    option.state = QStyle::State_Enabled;
    switch (state) {
        case TCheckBoxState::cbChecked:
            option.state |= QStyle::State_On;
            break;
        case TCheckBoxState::cbUnchecked:
            option.state |= QStyle::State_Off;
            break;
        case TCheckBoxState::cbGrayed:
            option.state |= QStyle::State_NoChange;
            break;
    }
    // The style draws its box with a gradient and antialiasing, which costs
    // more than the rest of a row. Drawn once for each look on the cell's own
    // background, the image has the very pixels the style would draw in the
    // cell, and every later cell copies it.
    const qreal ratio = widget_.devicePixelRatioF();
    const QString key = QStringLiteral("checkgrid-grid-box-%1-%2x%3-%4-%5-%6-%7-%8")
                            .arg(static_cast<int>(state))
                            .arg(size.width())
                            .arg(size.height())
                            .arg(background.rgba(), 0, 16)
                            .arg(option.palette.cacheKey())
                            .arg(static_cast<int>(option.palette.currentColorGroup()))
                            .arg(reinterpret_cast<quintptr>(widget_.style()), 0, 16)
                            .arg(ratio);
    QPixmap image;
    if (QPixmapCache::find(key, &image)) {
        return image;
    }
    image = QPixmap(size * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(background);
    QPainter painter(&image);
    widget_.style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, &widget_);
    painter.end();
    QPixmapCache::insert(key, image);
    return image;
}

void GridCellPainter::paintBlank(QPainter& painter, const QRect& cell, CellLook look) const {
    paintBackground(painter, cell, look);
    if (look.focusFrame) {
        paintFocusFrame(painter, cell, background(look));
    }
}

void GridCellPainter::paintEmptyArea(QPainter& painter, const QRect& area) const {
    painter.fillRect(area, widget_.palette().base());
}

void GridCellPainter::paintLines(QPainter& painter, const QRect& cell, int colLine, int rowLine,
                                 bool fixedCell) const {
    // Fixed cells draw their own raised edges; their lines take the edge's
    // dark colour. Data cells take the style's table grid colour (which the
    // style works out from the palette of the option it is given).
    QColor colour = widget_.palette().color(QPalette::Dark);
    if (!fixedCell) {
        QStyleOption option;
        option.initFrom(&widget_);
        colour = QColor::fromRgba(static_cast<QRgb>(
            widget_.style()->styleHint(QStyle::SH_Table_GridLineColor, &option, &widget_)));
    }
    if (colLine > 0) {
        painter.fillRect(QRect(cell.right() + 1, cell.top(), colLine, cell.height() + rowLine),
                         colour);
    }
    if (rowLine > 0) {
        painter.fillRect(QRect(cell.left(), cell.bottom() + 1, cell.width(), rowLine), colour);
    }
}

void GridCellPainter::paintDropMark(QPainter& painter, int x, int top, int bottom) const {
    painter.fillRect(QRect(x - 1, top, 3, bottom - top + 1),
                     widget_.palette().color(QPalette::Highlight));
}

void GridCellPainter::paintFocusFrame(QPainter& painter, const QRect& cell,
                                      const QColor& background) const {
    // A dotted frame along the cell's edges, in the colour that stands out
    // against the cell: every other pixel, as the classic focus rectangle.
    const QColor ink = background.value() >= 128 ? QColor(Qt::black) : QColor(Qt::white);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(ink, Qt::Dense4Pattern));
    painter.setBrushOrigin(cell.topLeft());
    painter.drawRect(QRect(cell.left(), cell.top(), cell.width(), 1));
    painter.drawRect(QRect(cell.left(), cell.bottom(), cell.width(), 1));
    painter.drawRect(QRect(cell.left(), cell.top() + 1, 1, cell.height() - 2));
    painter.drawRect(QRect(cell.right(), cell.top() + 1, 1, cell.height() - 2));
    painter.restore();
}
