#pragma once
// The window's arrow-key navigation. Right and Down move the focus to the next
// control in TabOrder, Left and Up to the previous one, the last and the first
// being neighbours. Unlike Tab it visits every windowed control (every control
// with a place in the tab order), tab stop or not, so it also reaches a control
// that Tab passes by. A control claims the arrow keys for itself by accepting
// them; only the arrow keys it leaves unaccepted travel up to the window and
// move the focus.

#include <QObject>
#include <vector>

class QWidget;
class TControl;

// The controls placed directly on `clientArea` that have a place in the tab
// order, sorted by TabOrder (ties keep their creation order).
std::vector<TControl*> controlsInTabOrder(const QWidget* clientArea);

// The control that the arrow keys reach from `from` (the focused widget or
// one inside a control) going forward or backward: the next or previous
// control in TabOrder that can take the focus (visible and enabled), wrapping
// around. nullptr when no other control can take it.
TControl* arrowKeyTarget(const QWidget* clientArea, const QWidget* from, bool forward);

// Watches the key presses that reach `clientArea` unaccepted and turns the
// arrow keys among them into focus moves. Owned by `clientArea`.
class ArrowKeyNavigation : public QObject {
    Q_OBJECT
public:
    explicit ArrowKeyNavigation(QWidget* clientArea);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* clientArea_;
};
