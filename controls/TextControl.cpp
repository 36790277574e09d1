#include "controls/TextControl.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace {

// Static text whose name is the text shown.
class TextControlAccessible : public QAccessibleWidget {
public:
    explicit TextControlAccessible(TTextControl* control)
        : QAccessibleWidget(control, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return static_cast<const TTextControl*>(widget())->shownText();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* textControlAccessibleFactory(const QString&, QObject* object) {
    if (auto* control = qobject_cast<TTextControl*>(object)) {
        return new TextControlAccessible(control);
    }
    return nullptr;
}

}  // namespace

TTextControl::TTextControl(TComponent* owner) : TControl(owner) {
    // Qt asks the factories each time it needs an interface; one installation serves all.
    static const bool accessibilityInstalled = [] {
        QAccessible::installFactory(&textControlAccessibleFactory);
        return true;
    }();
    (void)accessibilityInstalled;
    setTabStop(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTextControl::textChanged() {
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void TTextControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | textFlags(),
                     paintedText());
}
