#pragma once
// One button of the record navigator: a picture button with raised 3-D edges
// that never takes the keyboard focus. It tracks the left mouse button itself:
// a click is a press and a release on the same available button; the prior and
// next buttons repeat while held (first step 400 ms after the press, then every
// 100 ms, only while the pointer is over the button).

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "controls/NavigatorButtonKinds.h"

class NavigatorButton : public QWidget {
    Q_OBJECT
public:
    NavigatorButton(TNavigateBtn kind, QWidget* parent);

    TNavigateBtn kind() const { return kind_; }

    // Whether the button's operation applies now (the navigator's enabling
    // rule). An unavailable button shows its disabled picture and ignores the
    // mouse. Becoming unavailable while held ends the press: the button rises,
    // repetition stops and the release clicks nothing.
    bool available() const { return available_; }
    void setAvailable(bool available);

    void setAutoRepeat(bool autoRepeat) { autoRepeat_ = autoRepeat; }
    bool autoRepeat() const { return autoRepeat_; }

    // The dotted focus rectangle, shown while the navigator has the focus and
    // this is its marked button.
    void setFocusMarkShown(bool shown);
    bool focusMarkShown() const { return focusMarkShown_; }

    // Drawn pressed: the left button is held on it with the pointer over it.
    bool isDown() const { return held_ && over_; }

    // Clicks the button when it is available, as a mouse click would (the
    // accessible press action). Errors of the operation propagate.
    void press();

    // The operation; it may throw, and the error travels on to the caller.
    std::function<void()> onClick;
    // A press of the left button on the available button (the navigator
    // marks it).
    std::function<void()> onPress;

    // The picture drawn at the face's centre, and where it goes now.
    const QImage& picture() const;
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void beginPress();
    void repeatStep();
    void endPress();
    void setOver(bool over);

    TNavigateBtn kind_;
    QImage enabledPicture_;
    QImage disabledPicture_;
    QTimer repeatTimer_;
    bool available_ = false;
    bool autoRepeat_ = false;
    bool focusMarkShown_ = false;
    bool held_ = false;  // the left button went down here and is not released
    bool over_ = false;  // the pointer is over the button
};
