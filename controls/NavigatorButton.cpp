#include "controls/NavigatorButton.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include "controls/NavigatorPictures.h"

namespace {

constexpr int firstRepeatDelayMs = 400;
constexpr int repeatIntervalMs = 100;

// Raised: light upper-left edges, dark lower-right ones, two pixels deep.
// Sunken swaps them, darkest on the outside.
void drawFace(QPainter& painter, const QRect& r, const QPalette& palette, bool down) {
    const QColor face = palette.color(QPalette::Button);
    const QColor light = palette.color(QPalette::Light);
    const QColor midlight = palette.color(QPalette::Midlight);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor shadow = palette.color(QPalette::Shadow);
    const QColor outerTopLeft = down ? shadow : midlight;
    const QColor outerBottomRight = down ? light : shadow;
    const QColor innerTopLeft = down ? dark : light;
    const QColor innerBottomRight = down ? face : dark;

    const int w = r.width();
    const int h = r.height();
    painter.fillRect(r, face);
    if (w < 4 || h < 4) {
        return;
    }
    painter.fillRect(0, 0, w - 1, 1, outerTopLeft);
    painter.fillRect(0, 0, 1, h - 1, outerTopLeft);
    painter.fillRect(0, h - 1, w, 1, outerBottomRight);
    painter.fillRect(w - 1, 0, 1, h, outerBottomRight);
    painter.fillRect(1, 1, w - 3, 1, innerTopLeft);
    painter.fillRect(1, 1, 1, h - 3, innerTopLeft);
    painter.fillRect(1, h - 2, w - 2, 1, innerBottomRight);
    painter.fillRect(w - 2, 1, 1, h - 2, innerBottomRight);
}

// A one-pixel dotted rectangle (every other pixel), as keyboard focus is marked.
void drawDottedRect(QPainter& painter, const QRect& r, const QColor& color) {
    if (r.width() < 1 || r.height() < 1) {
        return;
    }
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0) {
            painter.fillRect(x, y, 1, 1, color);
        }
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        dot(x, r.bottom());
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        dot(r.left(), y);
        dot(r.right(), y);
    }
}

}  // namespace

NavigatorButton::NavigatorButton(TNavigateBtn kind, QWidget* parent)
    : QWidget(parent),
      kind_(kind),
      enabledPicture_(navigatorPicture(kind, true)),
      disabledPicture_(navigatorPicture(kind, false)) {
    // A click on the navigator leaves the keyboard focus where it is.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    repeatTimer_.setTimerType(Qt::PreciseTimer);
    connect(&repeatTimer_, &QTimer::timeout, this, &NavigatorButton::repeatStep);
}

void NavigatorButton::setAvailable(bool available) {
    if (available == available_) {
        return;
    }
    available_ = available;
    if (!available_ && held_) {
        endPress();
    }
    update();
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void NavigatorButton::setFocusMarkShown(bool shown) {
    if (shown != focusMarkShown_) {
        focusMarkShown_ = shown;
        update();
    }
}

void NavigatorButton::press() {
    if (available_ && onClick) {
        onClick();
    }
}

const QImage& NavigatorButton::picture() const {
    return available_ ? enabledPicture_ : disabledPicture_;
}

QRect NavigatorButton::pictureRect() const {
    const QImage& image = picture();
    QRect r((width() - image.width()) / 2, (height() - image.height()) / 2, image.width(),
            image.height());
    return isDown() ? r.translated(1, 1) : r;
}

void NavigatorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool down = isDown();
    drawFace(painter, rect(), palette(), down);
    painter.drawImage(pictureRect().topLeft(), picture());
    if (focusMarkShown_) {
        QRect mark = rect().adjusted(3, 3, -3, -3);
        if (down) {
            mark.translate(1, 1);
        }
        drawDottedRect(painter, mark, palette().color(QPalette::ButtonText));
    }
}

void NavigatorButton::mousePressEvent(QMouseEvent* event) {
    // Every press is taken here, so none reaches the window behind.
    event->accept();
    if (event->button() == Qt::LeftButton) {
        beginPress();
    }
}

void NavigatorButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is one more press: two clicks.
    mousePressEvent(event);
}

void NavigatorButton::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (held_) {
        setOver(rect().contains(event->position().toPoint()));
    }
}

void NavigatorButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !held_) {
        return;
    }
    setOver(rect().contains(event->position().toPoint()));
    const bool click = over_ && available_;
    endPress();
    if (click && onClick) {
        onClick();
    }
}

void NavigatorButton::hideEvent(QHideEvent* event) {
    // A hidden button cannot be released on: the press ends here.
    endPress();
    QWidget::hideEvent(event);
}

void NavigatorButton::beginPress() {
    if (!available_ || held_) {
        return;
    }
    held_ = true;
    over_ = true;
    update();
    if (onPress) {
        onPress();
    }
    if (autoRepeat_ && held_) {
        repeatTimer_.start(firstRepeatDelayMs);
    }
}

void NavigatorButton::repeatStep() {
    if (!held_) {
        repeatTimer_.stop();
        return;
    }
    if (repeatTimer_.interval() != repeatIntervalMs) {
        repeatTimer_.setInterval(repeatIntervalMs);
    }
    // Off the button the ticks do nothing; the steps resume when it returns.
    if (!over_ || !available_ || !onClick) {
        return;
    }
    try {
        onClick();
    } catch (...) {
        // An error ends the repetition before it travels on to the error box.
        endPress();
        throw;
    }
}

void NavigatorButton::endPress() {
    repeatTimer_.stop();
    if (held_) {
        held_ = false;
        update();
    }
}

void NavigatorButton::setOver(bool over) {
    if (over != over_) {
        over_ = over;
        update();
    }
}
