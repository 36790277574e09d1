#include "controls/NavigatorPictures.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace {

// The disabled look's colours: the engraved shape and its highlight.
const QColor engravedShade(128, 128, 128);
const QColor engravedHighlight(255, 255, 255);

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath box(qreal left, qreal top, qreal width, qreal height) {
    QPainterPath path;
    path.addRect(left, top, width, height);
    return path;
}

// Triangles are 5 pixels deep and 9 high, centred on row 6.
QPainterPath leftTriangle(qreal tipX) {
    return polygon({{tipX, 6.5}, {tipX + 5, 1.5}, {tipX + 5, 11.5}});
}

QPainterPath rightTriangle(qreal tipX) {
    return polygon({{tipX, 6.5}, {tipX - 5, 1.5}, {tipX - 5, 11.5}});
}

// A diagonal of unit pixels: `length` steps of (stepX, stepY) from (x, y),
// each step `thickX` pixels wide and `thickY` high. Diagonals drawn as pixel
// runs stay crisp where a smoothed stroke would break up at this size.
QPainterPath diagonal(int x, int y, int stepX, int stepY, int length, int thickX, int thickY) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);  // overlapping steps must not cancel out
    for (int i = 0; i < length; ++i) {
        path.addRect(x + i * stepX, y + i * stepY, thickX, thickY);
    }
    return path.simplified();
}

// A ring open at the top right; its upper end carries an arrowhead pointing
// right, along the ring (clockwise): the usual "load again" sign.
QPainterPath circularArrow() {
    const QPointF centre(6.5, 7.0);
    const qreal outer = 5.5;
    const qreal inner = 3.3;
    // The gap, in degrees counter-clockwise from three o'clock.
    const qreal gapFrom = 0;
    const qreal gapTo = 100;
    QPainterPath ring;
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 14; ++x) {
            const qreal dx = x + 0.5 - centre.x();
            const qreal dy = centre.y() - (y + 0.5);
            const qreal distance = std::hypot(dx, dy);
            qreal angle = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
            if (angle < 0) {
                angle += 360;
            }
            if (distance >= inner && distance < outer && (angle < gapFrom || angle > gapTo)) {
                ring.addRect(x, y, 1, 1);
            }
        }
    }
    QPainterPath head = polygon({{6, -0.5}, {6, 6.5}, {10, 3}});
    return ring.united(head).simplified();
}

}  // namespace

QSize navigatorPictureSize(TNavigateBtn button) {
    return button == nbPrior || button == nbNext ? QSize(10, 13) : QSize(14, 13);
}

QPainterPath navigatorPictureShape(TNavigateBtn button) {
    switch (button) {
        case nbFirst:
            return box(3, 2, 2, 9).united(leftTriangle(6));
        case nbPrior:
            return leftTriangle(2);
        case nbNext:
            return rightTriangle(8);
        case nbLast:
            return rightTriangle(8).united(box(9, 2, 2, 9));
        case nbInsert:
            return box(2, 5, 10, 2).united(box(6, 1, 2, 10));
        case nbDelete:
            return box(2, 5, 10, 2);
        case nbEdit:
            return polygon({{7, 3}, {13, 9}, {1, 9}});
        case nbPost:
            return diagonal(2, 5, 1, 1, 4, 1, 3).united(diagonal(5, 8, 1, -1, 7, 1, 3));
        case nbCancel:
            return diagonal(2, 2, 1, 1, 9, 2, 2).united(diagonal(10, 2, -1, 1, 9, 2, 2));
        case nbRefresh:
            return circularArrow();
    }
    return {};
}

QImage navigatorPicture(TNavigateBtn button, bool enabled) {
    QImage image(navigatorPictureSize(button), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Crisp pixels: at this size smoothing only blurs the shapes.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    const QPainterPath shape = navigatorPictureShape(button);
    if (enabled) {
        painter.fillPath(shape, Qt::black);
    } else {
        painter.fillPath(shape.translated(1, 1), engravedHighlight);
        painter.fillPath(shape, engravedShade);
    }
    return image;
}
