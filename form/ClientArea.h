#pragma once
// The widget the window's controls are placed on. It keeps its minimum size
// at the extent of its controls (their right and bottom edges), so that the
// scroll area around it shows scroll bars while the window is smaller.

#include <QWidget>

class ClientArea : public QWidget {
    Q_OBJECT
public:
    explicit ClientArea(QWidget* parent = nullptr);

    // The size that holds every visible control.
    QSize controlsExtent() const;
    // Takes the controls' extent as minimum size; runs on its own whenever a
    // control moves, resizes, shows or hides.
    void updateExtent();

protected:
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
