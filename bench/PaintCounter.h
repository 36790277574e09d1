#pragma once
// Counts the paint events each widget receives, so that a widget benchmark
// can check that what it times really reached the screen.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <map>

class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }

    int paints(const QWidget* widget) const {
        auto it = paints_.find(widget);
        return it == paints_.end() ? 0 : it->second;
    }
    void reset() { paints_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints_[watched];
        }
        return false;
    }

private:
    std::map<const QObject*, int> paints_;
};
