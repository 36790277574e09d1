#pragma once
// The window's three field-bound check boxes on a plain window, configured by
// their stored settings and bound to the window's record set, with one more
// focusable widget (standing for the grid) to move the focus to.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <ostream>
#include <string>

#include "controls/DBCheckBox.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/WindowRecordSet.h"

inline PropertyValue textValue(std::string text) {
    PropertyValue value;
    value.kind = PropertyValue::Kind::String;
    value.text = std::move(text);
    return value;
}

inline PropertyValue integerValue(int number) {
    PropertyValue value;
    value.kind = PropertyValue::Kind::Integer;
    value.integer = number;
    return value;
}

inline PropertyValue identifierValue(std::string identifier) {
    PropertyValue value;
    value.kind = PropertyValue::Kind::Identifier;
    value.text = std::move(identifier);
    return value;
}

struct BoxSettings {
    const char* name;
    const char* caption;
    const char* dataField;
    const char* valueChecked;
    const char* valueUnchecked;
    int left;
    int top;
    int tabOrder;
};

inline constexpr BoxSettings kDBCheckBox1{
    "DBCheckBox1", "StrShowCheck", "StrShowCheck", "aa", "bb", 384, 72, 2};
inline constexpr BoxSettings kDBCheckBox2{"DBCheckBox2", "AInt", "AInt", "1", "0", 72, 80, 3};
inline constexpr BoxSettings kDBCheckBox3{"DBCheckBox3", "ABoolean", "ABoolean", "True",
                                          "False",       224,        72,         4};

class CheckBoxWindow {
public:
    explicit CheckBoxWindow(bool open = true) : data(open) {
        window.resize(574, 400);
        elsewhere = new QLineEdit(&window);
        elsewhere->setGeometry(8, 200, 120, 22);
        box1 = addBox(kDBCheckBox1);
        box2 = addBox(kDBCheckBox2);
        box3 = addBox(kDBCheckBox3);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        elsewhere->setFocus();
    }

    // A box made as the description reader makes one: named first, then its
    // settings in stored order, then the reference to the data source.
    TDBCheckBox* addBox(const BoxSettings& settings) {
        auto* box = new TDBCheckBox;
        box->setName(settings.name);
        box->setParent(&window);
        box->readSetting("Left", integerValue(settings.left));
        box->readSetting("Top", integerValue(settings.top));
        box->readSetting("Caption", textValue(settings.caption));
        box->readSetting("DataField", textValue(settings.dataField));
        box->readSetting("TabOrder", integerValue(settings.tabOrder));
        box->readSetting("ValueChecked", textValue(settings.valueChecked));
        box->readSetting("ValueUnchecked", textValue(settings.valueUnchecked));
        box->readReference("DataSource", data.source);
        box->show();
        return box;
    }

    // Input as the user gives it: to the widget under the pointer or holding the focus.
    static void click(QWidget* widget, QPoint at = QPoint(6, 8)) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    }
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void keyDown(Qt::Key key) { QTest::keyPress(QApplication::focusWidget(), key); }
    static void keyUp(Qt::Key key) { QTest::keyRelease(QApplication::focusWidget(), key); }

    // Errors re-raised from the event loop reach the error box here.
    void runPostedEvents() { QCoreApplication::processEvents(); }

    TDataSetState state() const { return data.dataSet->state(); }
    static std::string text(const TField* field) { return field->asString(); }

    ScriptedDialogs dialogs;
    WindowRecordSet data;
    QWidget window;
    QLineEdit* elsewhere = nullptr;
    TDBCheckBox* box1 = nullptr;
    TDBCheckBox* box2 = nullptr;
    TDBCheckBox* box3 = nullptr;
};

inline const char* stateName(TCheckBoxState state) {
    switch (state) {
        case TCheckBoxState::cbUnchecked:
            return "clear";
        case TCheckBoxState::cbChecked:
            return "ticked";
        case TCheckBoxState::cbGrayed:
            break;
    }
    return "grey";
}

inline void PrintTo(TCheckBoxState state, std::ostream* out) {
    *out << stateName(state);
}
