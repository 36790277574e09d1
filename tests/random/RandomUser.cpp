#include "tests/random/RandomUser.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <array>

#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"
#include "form/Form1.h"

namespace {

std::string where(QPoint point) {
    return "(" + std::to_string(point.x()) + "," + std::to_string(point.y()) + ")";
}

// A widget's rectangle in the window's coordinates.
QRect inWindow(const QWidget* widget, const QWidget* window) {
    return {widget->mapTo(window, QPoint(0, 0)), widget->size()};
}

struct KeyChoice {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int weight;
};

// The keys a user of this window presses, and how often. Typed text is
// chosen separately.
const std::array<KeyChoice, 22> keys{{
    {"Space", Qt::Key_Space, Qt::NoModifier, 14},
    {"Delete", Qt::Key_Delete, Qt::NoModifier, 4},
    {"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier, 1},
    {"Ctrl+Delete", Qt::Key_Delete, Qt::ControlModifier, 4},
    {"Esc", Qt::Key_Escape, Qt::NoModifier, 6},
    {"Insert", Qt::Key_Insert, Qt::NoModifier, 4},
    {"Tab", Qt::Key_Tab, Qt::NoModifier, 6},
    {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, 5},
    {"Up", Qt::Key_Up, Qt::NoModifier, 5},
    {"Down", Qt::Key_Down, Qt::NoModifier, 6},
    {"Left", Qt::Key_Left, Qt::NoModifier, 4},
    {"Right", Qt::Key_Right, Qt::NoModifier, 4},
    {"Home", Qt::Key_Home, Qt::NoModifier, 1},
    {"End", Qt::Key_End, Qt::NoModifier, 1},
    {"PageUp", Qt::Key_PageUp, Qt::NoModifier, 1},
    {"PageDown", Qt::Key_PageDown, Qt::NoModifier, 1},
    {"Ctrl+Home", Qt::Key_Home, Qt::ControlModifier, 1},
    {"Ctrl+End", Qt::Key_End, Qt::ControlModifier, 1},
    {"Backspace", Qt::Key_Backspace, Qt::NoModifier, 4},
    {"F2", Qt::Key_F2, Qt::NoModifier, 3},
    {"Enter", Qt::Key_Return, Qt::NoModifier, 3},
    {"Text", Qt::Key_unknown, Qt::NoModifier, 10},
}};

}  // namespace

void RandomUser::act() {
    if (chance(0.5)) {
        mouse();
    } else {
        key();
    }
}

QPoint RandomUser::pointOn(QWidget* widget) {
    const QRect rect = inWindow(widget, &form_);
    return {rect.left() + below(rect.width()), rect.top() + below(rect.height())};
}

QPoint RandomUser::pointOnGrid() {
    TDBGrid& grid = *form_.DBGrid1;
    if (chance(0.25) || grid.columnCount() == 0) {
        return pointOn(&grid);  // titles, indicator, lines, empty space, scroll bars
    }
    // Mostly a data cell: a shown row or the one after it.
    const int row = below(grid.shownRowCount() + 1);
    const int column = below(grid.columnCount());
    const QRect cell = grid.cellRect(row, column).intersected(grid.rect());
    if (cell.isEmpty()) {
        return pointOn(&grid);
    }
    const QPoint local(cell.left() + below(cell.width()), cell.top() + below(cell.height()));
    return grid.mapTo(&form_, local);
}

QPoint RandomUser::anywhere() {
    const int target = below(10);
    if (target < 5) {
        return pointOnGrid();
    }
    if (target < 8) {
        QWidget* boxes[] = {form_.DBCheckBox1, form_.DBCheckBox2, form_.DBCheckBox3};
        return pointOn(boxes[below(3)]);
    }
    TDBNavigator& navigator = *form_.DBNavigator1;
    const QRect button =
        navigator.buttonRect(allNavigateBtns[static_cast<std::size_t>(below(navigateBtnCount))]);
    return navigator.mapTo(&form_, QPoint(button.left() + below(button.width()),
                                          button.top() + below(button.height())));
}

void RandomUser::sendMouse(int type, QPoint point, int button, int buttonsHeld) {
    QWindow* window = form_.windowHandle();
    qt_handleMouseEvent(window, point, window->mapToGlobal(point), Qt::MouseButtons(buttonsHeld),
                        Qt::MouseButton(button), QEvent::Type(type), Qt::NoModifier, mouseTime_);
    QCoreApplication::processEvents();
}

void RandomUser::click(QPoint point, int button, const std::string& what) {
    sendMouse(QEvent::MouseButtonPress, point, button, button);
    sendMouse(QEvent::MouseButtonRelease, point, button, Qt::NoButton);
    stepDone_(what + " " + where(point));
}

void RandomUser::mouse() {
    const QPoint point = anywhere();
    const int kind = below(100);
    mouseTime_ += 1000;  // long after the last click: no double-click
    if (kind < 80) {
        click(point, Qt::LeftButton, "click");
    } else if (kind < 87) {
        click(point, Qt::LeftButton, "double-click, first click");
        mouseTime_ += 1;
        click(point, Qt::LeftButton, "double-click, second click");
    } else if (kind < 95) {
        const QPoint to = anywhere();
        sendMouse(QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
        stepDone_("drag: press " + where(point));
        sendMouse(QEvent::MouseMove, (point + to) / 2, Qt::NoButton, Qt::LeftButton);
        sendMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        sendMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        stepDone_("drag: release " + where(to));
    } else {
        // A scroll bar or the cell editor answers with its context menu,
        // which runs a loop of its own until the user closes it (with Esc,
        // here, as soon as it shows).
        QTimer closer;
        bool menuShown = false;
        QObject::connect(&closer, &QTimer::timeout, [&menuShown] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                menuShown = true;
                QTest::keyClick(popup, Qt::Key_Escape);
            }
        });
        closer.start(0);
        click(point, Qt::RightButton, "right click");
        if (menuShown) {
            // The offscreen platform leaves no window active once the menu
            // is gone; a desktop gives the activation back to the window.
            bool reactivated = false;
            if (QApplication::activeWindow() != &form_) {
                form_.activateWindow();
                reactivated = QTest::qWaitForWindowActive(&form_);
            }
            stepDone_(reactivated ? "context menu closed with Esc, window active again"
                                  : "context menu closed with Esc");
        }
    }
}

void RandomUser::key() {
    QWindow* window = form_.windowHandle();
    int total = 0;
    for (const KeyChoice& choice : keys) {
        total += choice.weight;
    }
    int pick = below(total);
    const KeyChoice* chosen = &keys.front();
    for (const KeyChoice& choice : keys) {
        if (pick < choice.weight) {
            chosen = &choice;
            break;
        }
        pick -= choice.weight;
    }
    if (chosen->key != Qt::Key_unknown) {
        QTest::keyClick(window, chosen->key, chosen->modifiers);
        stepDone_(std::string("key ") + chosen->name);
        return;
    }
    // Typed text: letters, digits, a blank, "&", and a letter outside ASCII.
    static const QString characters = QStringLiteral("abAB01 &z9\u00e9");
    const int length = 1 + below(4);
    for (int i = 0; i < length; ++i) {
        const QChar character = characters[below(static_cast<int>(characters.size()))];
        const Qt::Key code = character.isLetter() ? Qt::Key(character.toUpper().unicode())
                             : character.isDigit() || character == u' ' || character == u'&'
                                 ? Qt::Key(character.unicode())
                                 : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, window, code, QString(character), Qt::NoModifier);
        stepDone_("type \"" + QString(character).toStdString() + "\"");
    }
}
