#include "controls/CheckBoxAccessible.h"

#include "controls/DBCheckBox.h"

namespace {

QAccessibleInterface* checkBoxFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TDBCheckBox")) {
        if (auto* box = qobject_cast<TDBCheckBox*>(object)) {
            return new CheckBoxAccessible(box);
        }
    }
    return nullptr;
}

}  // namespace

CheckBoxAccessible::CheckBoxAccessible(TDBCheckBox* box)
    : QAccessibleWidget(box, QAccessible::CheckBox) {}

TDBCheckBox* CheckBoxAccessible::box() const {
    return static_cast<TDBCheckBox*>(widget());
}

QString CheckBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && box()->accessibleName().isEmpty()) {
        return box()->caption();
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State CheckBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = box()->state() == TCheckBoxState::cbChecked;
    state.checkStateMixed = box()->state() == TCheckBoxState::cbGrayed;
    return state;
}

QStringList CheckBoxAccessible::actionNames() const {
    return QStringList{toggleAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void CheckBoxAccessible::doAction(const QString& actionName) {
    if (actionName != toggleAction() && actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    // The toggle runs from the event loop: the caller (an assistive tool, over
    // the accessibility bus) is answered at once, and an error the toggle
    // raises reaches the error box like any other.
    TDBCheckBox* target = box();
    QMetaObject::invokeMethod(
        target,
        [target] {
            // As with a click, the focus moves to the box first; when the
            // control holding it keeps it, nothing happens.
            if (target->isActiveWindow() && !target->hasFocus()) {
                target->setFocus(Qt::OtherFocusReason);
                if (!target->hasFocus()) {
                    return;
                }
            }
            target->toggle();
        },
        Qt::QueuedConnection);
}

QStringList CheckBoxAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == toggleAction() || actionName == pressAction()) {
        return {QStringLiteral("Space")};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void installCheckBoxAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(checkBoxFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
