#include "controls/NavigatorAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <mutex>

#include "controls/DBNavigator.h"
#include "controls/NavigatorButton.h"

namespace {

class NavigatorButtonAccessible : public QAccessibleWidget {
public:
    explicit NavigatorButtonAccessible(NavigatorButton* button)
        : QAccessibleWidget(button, QAccessible::PushButton) {}

    NavigatorButton* button() const { return static_cast<NavigatorButton*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name || t == QAccessible::Description) {
            return navigatorHintText(button()->kind());
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.disabled = s.disabled || !button()->available();
        s.pressed = button()->isDown();
        s.focusable = false;
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    // The press runs from the event loop, not inside the caller's request:
    // the caller (over the accessibility bus) gets its answer at once, and an
    // error of the operation reaches the error box like any other.
    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            QPointer<NavigatorButton> target = button();
            QMetaObject::invokeMethod(
                target,
                [target] {
                    if (target) {
                        target->press();
                    }
                },
                Qt::QueuedConnection);
        }
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

class NavigatorBarAccessible : public QAccessibleWidget {
public:
    explicit NavigatorBarAccessible(TDBNavigator* navigator)
        : QAccessibleWidget(navigator, QAccessible::ToolBar) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return QString::fromStdString(static_cast<TDBNavigator*>(widget())->name());
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* navigatorFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("NavigatorButton")) {
        if (auto* button = qobject_cast<NavigatorButton*>(object)) {
            return new NavigatorButtonAccessible(button);
        }
    } else if (className == QLatin1String("TDBNavigator")) {
        if (auto* navigator = qobject_cast<TDBNavigator*>(object)) {
            return new NavigatorBarAccessible(navigator);
        }
    }
    return nullptr;
}

}  // namespace

void installNavigatorAccessibility() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(navigatorFactory); });
}
