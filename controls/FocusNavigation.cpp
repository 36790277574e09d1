#include "controls/FocusNavigation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

#include "controls/Control.h"

namespace {

// The control on `clientArea` that is `widget` or holds it.
const QWidget* controlHolding(const QWidget* clientArea, const QWidget* widget) {
    while (widget && widget->parentWidget() != clientArea) {
        widget = widget->parentWidget();
    }
    return widget;
}

bool canTakeFocus(const TControl* control) {
    return control->isVisible() && control->isEnabled();
}

// +1 for Right and Down, -1 for Left and Up, 0 for any other key.
int arrowDirection(const QKeyEvent& key) {
    if (key.modifiers() & Qt::AltModifier) {
        return 0;
    }
    switch (key.key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            return 1;
        case Qt::Key_Left:
        case Qt::Key_Up:
            return -1;
        default:
            return 0;
    }
}

}  // namespace

std::vector<TControl*> controlsInTabOrder(const QWidget* clientArea) {
    std::vector<TControl*> controls;
    for (QObject* child : clientArea->children()) {
        auto* control = qobject_cast<TControl*>(child);
        if (control && control->tabOrder() >= 0) {
            controls.push_back(control);
        }
    }
    std::stable_sort(controls.begin(), controls.end(), [](const TControl* a, const TControl* b) {
        return a->tabOrder() < b->tabOrder();
    });
    return controls;
}

TControl* arrowKeyTarget(const QWidget* clientArea, const QWidget* from, bool forward) {
    const std::vector<TControl*> controls = controlsInTabOrder(clientArea);
    const int count = static_cast<int>(controls.size());
    if (count == 0) {
        return nullptr;
    }
    const QWidget* current = controlHolding(clientArea, from);
    auto found = std::find(controls.begin(), controls.end(), current);
    // From outside the order, forward starts at the first control and
    // backward at the last.
    int start = found != controls.end() ? static_cast<int>(found - controls.begin())
                                        : (forward ? count - 1 : 0);
    const int step = forward ? 1 : -1;
    for (int i = 1; i <= count; ++i) {
        TControl* candidate = controls[((start + step * i) % count + count) % count];
        if (candidate == current) {
            break;
        }
        if (canTakeFocus(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

ArrowKeyNavigation::ArrowKeyNavigation(QWidget* clientArea)
    : QObject(clientArea), clientArea_(clientArea) {
    clientArea->installEventFilter(this);
}

bool ArrowKeyNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (watched != clientArea_ || event->type() != QEvent::KeyPress) {
        return false;
    }
    const int direction = arrowDirection(*static_cast<QKeyEvent*>(event));
    if (direction == 0) {
        return false;
    }
    // The key arrives here only when the focused control left it unaccepted.
    QWidget* focused = QApplication::focusWidget();
    if (!focused || !clientArea_->isAncestorOf(focused)) {
        return false;
    }
    if (TControl* target = arrowKeyTarget(clientArea_, focused, direction > 0)) {
        target->setFocus(direction > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
    event->accept();
    return true;
}
