#include "form/ClientArea.h"

#include <QChildEvent>

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

QSize ClientArea::controlsExtent() const {
    QSize extent(0, 0);
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && !widget->isHidden()) {
            QRect bounds = widget->geometry();
            extent =
                extent.expandedTo(QSize(bounds.x() + bounds.width(), bounds.y() + bounds.height()));
        }
    }
    return extent;
}

void ClientArea::childEvent(QChildEvent* event) {
    QWidget::childEvent(event);
    if (event->added() && event->child()->isWidgetType()) {
        event->child()->installEventFilter(this);
    }
    updateExtent();
}

bool ClientArea::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            updateExtent();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void ClientArea::updateExtent() {
    QSize extent = controlsExtent();
    if (extent != minimumSize()) {
        setMinimumSize(extent);
    }
}
