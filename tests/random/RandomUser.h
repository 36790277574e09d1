#pragma once
// A random user of the window: mouse clicks, double-clicks, drags and right
// clicks anywhere on the grid, the three boxes and the navigator, and the keys
// a user of this window presses, typed text included. Every input goes
// through the window system (as QTest's window functions send it), so the
// application object's notify() delivers it, and an error it raises ends in
// the error box.
//
// An event may take several steps (the two clicks of a double-click, the
// press and the release of a drag, the characters of a typed text); each step
// is reported as it is done, so that the window can be checked after each.

#include <QPoint>
#include <functional>
#include <random>
#include <string>

class QWidget;
class TForm1;

class RandomUser {
public:
    using StepDone = std::function<void(const std::string& step)>;

    RandomUser(TForm1& form, std::mt19937& random, StepDone stepDone)
        : form_(form), random_(random), stepDone_(std::move(stepDone)) {}

    // Performs one event.
    void act();

private:
    void mouse();
    void key();
    void sendMouse(int type, QPoint point, int button, int buttonsHeld);
    void click(QPoint point, int button, const std::string& what);
    QPoint pointOnGrid();
    QPoint pointOn(QWidget* widget);
    QPoint anywhere();
    int below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

    TForm1& form_;
    std::mt19937& random_;
    StepDone stepDone_;
    // Mouse event times in milliseconds: separate clicks lie far apart, the
    // two clicks of a double-click close together.
    int mouseTime_ = 0;
};
