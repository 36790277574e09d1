#pragma once
// A record grid set up as the window has it (the four columns, OptionsEx,
// 433 x 193), bound to the window's record set built in code, in a window of
// its own beside one other focusable control, active and focused. Helpers
// click cells, type keys to whatever has the focus, read cells through the
// grid's accessible interface and grab what is painted.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "controls/DBGrid.h"
#include "data/DBErrors.h"
#include "data/Field.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/WindowRecordSet.h"

namespace gridtest {

inline PropertyValue text(std::string value) {
    PropertyValue v;
    v.kind = PropertyValue::Kind::String;
    v.text = std::move(value);
    return v;
}
inline PropertyValue identifier(std::string value) {
    PropertyValue v;
    v.kind = PropertyValue::Kind::Identifier;
    v.text = std::move(value);
    return v;
}
inline PropertyValue number(std::int64_t value) {
    PropertyValue v;
    v.kind = PropertyValue::Kind::Integer;
    v.integer = value;
    return v;
}
inline PropertyValue lines(std::vector<std::string> items) {
    PropertyValue v;
    v.kind = PropertyValue::Kind::StringList;
    v.items = std::move(items);
    return v;
}
inline PropertyValue flags(std::vector<std::string> items) {
    PropertyValue v;
    v.kind = PropertyValue::Kind::Set;
    v.items = std::move(items);
    return v;
}
inline PropertyValue collection(std::vector<PropertyValue::Settings> items) {
    PropertyValue v;
    v.kind = PropertyValue::Kind::Collection;
    v.collection = std::move(items);
    return v;
}

// One stored column: FieldName, and Checkboxes, KeyList, Width when given.
struct StoredColumn {
    std::string fieldName;
    std::optional<bool> checkboxes;
    std::vector<std::string> keyList;
    std::optional<int> width;
};

inline PropertyValue::Settings columnSettings(const StoredColumn& stored) {
    PropertyValue::Settings settings{{"FieldName", text(stored.fieldName)}};
    if (stored.checkboxes) {
        settings.emplace_back("Checkboxes", identifier(*stored.checkboxes ? "True" : "False"));
    }
    if (!stored.keyList.empty()) {
        settings.emplace_back("KeyList", lines(stored.keyList));
    }
    if (stored.width) {
        settings.emplace_back("Width", number(*stored.width));
    }
    settings.emplace_back("EditButtons", collection({}));
    settings.emplace_back("Footers", collection({}));
    return settings;
}

// The window's four columns.
inline std::vector<StoredColumn> windowColumns() {
    return {{"AInt", true, {"1", "0"}, std::nullopt},
            {"AStr", std::nullopt, {}, std::nullopt},
            {"ABoolean", std::nullopt, {}, 63},
            {"StrShowCheck", true, {"aa", "bb"}, 65}};
}

enum Column { kAInt = 0, kAStr = 1, kABoolean = 2, kStrShowCheck = 3 };

// A record's values; nullopt is null.
struct Values {
    std::optional<int> aInt;
    std::optional<std::string> aStr;
    std::optional<bool> aBoolean;
    std::optional<std::string> strShowCheck;
};

// Its helpers and members are public, so that table-driven tests can pass
// steps as functions of the fixture.
class GridFixture : public testing::Test {
public:
    explicit GridFixture(std::vector<StoredColumn> columns = windowColumns()) {
        QFont windowFont(QStringLiteral("DejaVu Sans"));
        windowFont.setPixelSize(11);
        window.setFont(windowFont);
        window.resize(574, 400);
        grid = new TDBGrid();
        grid->setParent(&window);
        grid->setObjectName(QStringLiteral("DBGrid1"));
        std::vector<PropertyValue::Settings> stored;
        for (const StoredColumn& column : columns) {
            stored.push_back(columnSettings(column));
        }
        grid->readSetting("Left", number(64));
        grid->readSetting("Top", number(152));
        grid->readSetting("Width", number(433));
        grid->readSetting("Height", number(193));
        grid->readSetting("Columns", collection(stored));
        grid->readSetting("OptionsEx",
                          flags({"dgxFixed3D", "dgxHighlightFocus", "dgxClearSelection"}));
        grid->readReference("DataSource", data.source);
        other = new QLineEdit(&window);
        other->setGeometry(10, 10, 100, 20);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }

    TDataSet& set() { return *data.dataSet; }

    // Appends and posts one record (the after-insert handler's AInt = 1 is
    // overwritten by `values`).
    void addRecord(const Values& values) {
        set().append();
        writeValues(values);
        set().post();
    }
    void writeValues(const Values& values) {
        values.aInt ? data.aInt->setAsInteger(*values.aInt) : data.aInt->clear();
        values.aStr ? data.aStr->setAsString(*values.aStr) : data.aStr->clear();
        values.aBoolean ? data.aBoolean->setAsBoolean(*values.aBoolean) : data.aBoolean->clear();
        values.strShowCheck ? data.strShowCheck->setAsString(*values.strShowCheck)
                            : data.strShowCheck->clear();
    }

    QPoint centreOf(int row, int column) const { return grid->cellRect(row, column).center(); }

    void click(int row, int column) {
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, centreOf(row, column));
    }
    // A double-click as the window system delivers it: press, release, then
    // a second press that is also reported as a double-click, and release.
    void doubleClick(int row, int column) {
        const QPoint point = centreOf(row, column);
        QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseDClick(grid, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, point);
    }
    // A key to whatever holds the focus, as the keyboard sends it.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
    }
    void type(const QString& keys) {
        for (QChar c : keys) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            QTest::keyClicks(target, QString(c));
        }
    }
    bool focusInGrid() const {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == grid || grid->isAncestorOf(focus));
    }

    QAccessibleTableInterface* table() const {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid);
        return iface ? iface->tableInterface() : nullptr;
    }
    QAccessibleInterface* cell(int row, int column) const {
        return table() ? table()->cellAt(row, column) : nullptr;
    }
    // "checked", "clear", "grey", or "no box".
    std::string shownState(int row, int column) const {
        QAccessibleInterface* c = cell(row, column);
        if (!c) {
            return "no cell";
        }
        const QAccessible::State state = c->state();
        if (!state.checkable) {
            return "no box";
        }
        if (state.checkStateMixed) {
            return "grey";
        }
        return state.checked ? "checked" : "clear";
    }

    // What is painted in a cell (without its lines).
    QImage grabCell(int row, int column) const {
        return grid->grab(grid->cellRect(row, column)).toImage();
    }

    ScriptedDialogs dialogs;
    WindowRecordSet data;
    QWidget window;  // after `data`: freed first, with the grid
    TDBGrid* grid = nullptr;
    QLineEdit* other = nullptr;
};

}  // namespace gridtest
