#pragma once
// How a field-bound check box presents itself to assistive technology (and to
// tests that drive the window from outside): a check box named by its
// caption, checkable, reporting checked, clear or mixed (grey), with a toggle
// action that works the box as a click does.

#include <QAccessibleWidget>

class TDBCheckBox;

class CheckBoxAccessible : public QAccessibleWidget {
public:
    explicit CheckBoxAccessible(TDBCheckBox* box);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TDBCheckBox* box() const;
};

// Makes Qt's accessibility use CheckBoxAccessible for every TDBCheckBox. Safe
// to call any number of times; the factory is installed once.
void installCheckBoxAccessibility();
