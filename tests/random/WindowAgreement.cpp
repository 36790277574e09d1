#include "tests/random/WindowAgreement.h"

#include <QAccessible>
#include <QApplication>
#include <algorithm>
#include <cctype>

#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"
#include "controls/DBText.h"
#include "data/DataSet.h"

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const char* stateName(TCheckBoxState state) {
    switch (state) {
        case TCheckBoxState::cbChecked:
            return "ticked";
        case TCheckBoxState::cbUnchecked:
            return "clear";
        case TCheckBoxState::cbGrayed:
            break;
    }
    return "grey";
}

std::string quoted(const std::optional<std::string>& value) {
    return value ? "\"" + *value + "\"" : "null";
}

bool isCheckColumn(const std::string& fieldName) {
    return fieldName == "AInt" || fieldName == "ABoolean" || fieldName == "StrShowCheck";
}

}  // namespace

TCheckBoxState expectedCheckState(std::string_view fieldName,
                                  const std::optional<std::string>& value) {
    if (!value) {
        return TCheckBoxState::cbGrayed;
    }
    std::string ticked;
    std::string clear;
    if (fieldName == "AInt") {
        ticked = "1";
        clear = "0";
    } else if (fieldName == "ABoolean") {
        ticked = "true";
        clear = "false";
    } else {
        ticked = "aa";
        clear = "bb";
    }
    const std::string text = lower(*value);
    if (text == ticked) {
        return TCheckBoxState::cbChecked;
    }
    if (text == clear) {
        return TCheckBoxState::cbUnchecked;
    }
    return TCheckBoxState::cbGrayed;
}

std::string valueWrittenFor(std::string_view fieldName, TCheckBoxState state) {
    const bool ticked = state == TCheckBoxState::cbChecked;
    if (fieldName == "AInt") {
        return ticked ? "1" : "0";
    }
    if (fieldName == "ABoolean") {
        return ticked ? "True" : "False";
    }
    return ticked ? "aa" : "bb";
}

std::optional<std::string> WindowAgreement::check(const std::vector<RecordValues>& stored) const {
    if (dataSet_.recordCount() != static_cast<int>(stored.size())) {
        return "the record set counts " + std::to_string(dataSet_.recordCount()) +
               " records, the engine holds " + std::to_string(stored.size());
    }
    const RecordValues current = currentValues(dataSet_);
    if (dataSet_.state() == TDataSetState::dsBrowse) {
        const int position = dataSet_.recNo();
        if (stored.empty()) {
            if (position != 0 || current != RecordValues{}) {
                return "the empty set has a current record " + describe(current);
            }
        } else if (position < 1 || position > static_cast<int>(stored.size())) {
            return "the current position " + std::to_string(position) + " is outside the set";
        } else if (stored[static_cast<std::size_t>(position - 1)] != current) {
            return "the fields read " + describe(current) + " but stored record " +
                   std::to_string(position) + " is " +
                   describe(stored[static_cast<std::size_t>(position - 1)]);
        }
    }
    if (auto failure = checkGrid(stored)) {
        return failure;
    }
    if (auto failure = checkFieldControls(current)) {
        return failure;
    }
    return checkNavigator();
}

std::optional<std::string> WindowAgreement::checkGrid(
    const std::vector<RecordValues>& stored) const {
    TDBGrid& grid = *form_.DBGrid1;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    QAccessibleTableInterface* cells = table ? table->tableInterface() : nullptr;
    if (!cells) {
        return std::string("the grid offers no accessible table");
    }
    const int activeRow = dataSet_.activeRow();
    if (grid.currentRow() != activeRow) {
        return "the grid's current row is " + std::to_string(grid.currentRow()) +
               ", the record set's " + std::to_string(activeRow);
    }
    const bool blankRow = dataSet_.state() == TDataSetState::dsBrowse && stored.empty();
    const int rows = cells->rowCount();
    const int expectedRows = blankRow ? 1 : dataSet_.windowCount();
    if (rows != expectedRows) {
        return "the grid reads " + std::to_string(rows) + " rows, the record window holds " +
               std::to_string(expectedRows);
    }

    // Which record each row shows: the current row the record being read by
    // the fields (the edited or new one); the others stored records, in
    // order, with no gap.
    std::vector<RecordValues> shown;
    for (int row = 0; row < rows; ++row) {
        RecordValues values;
        for (int column = 0; column < cells->columnCount(); ++column) {
            const std::string fieldName = cells->columnDescription(column).toStdString();
            QAccessibleInterface* cell = cells->cellAt(row, column);
            if (!cell) {
                return "the grid has no cell at row " + std::to_string(row) + ", column " +
                       fieldName;
            }
            const QAccessible::State state = cell->state();
            const std::string name = cell->text(QAccessible::Name).toStdString();
            // The cell's name is the field's text; a check-box cell (of a
            // record, not the blank row) reports its box.
            if (blankRow) {
                if (!name.empty() || state.checked || state.checkStateMixed) {
                    return "the blank row's " + fieldName + " cell reads \"" + name + "\"";
                }
                continue;
            }
            const bool checkColumn = isCheckColumn(fieldName);
            const std::optional<std::string> text =
                name.empty() ? std::nullopt : std::optional<std::string>(name);
            fieldOf(values, fieldName) = text;
            if (checkColumn) {
                TCheckBoxState seen = state.checkStateMixed ? TCheckBoxState::cbGrayed
                                      : state.checked       ? TCheckBoxState::cbChecked
                                                            : TCheckBoxState::cbUnchecked;
                // The name cannot tell null from an empty text; the state can.
                const TCheckBoxState fromName = expectedCheckState(fieldName, text);
                if (seen != fromName) {
                    return "row " + std::to_string(row) + ": the " + fieldName + " cell reads \"" +
                           name + "\" but shows " + stateName(seen);
                }
            }
        }
        shown.push_back(values);
    }
    if (blankRow) {
        return std::nullopt;
    }

    // Compare the shown rows with the records they stand for. An empty text
    // and null read alike on a cell, so both sides compare as texts.
    auto asShown = [](RecordValues record) {
        for (const char* name : {"AInt", "AStr", "ABoolean", "StrShowCheck"}) {
            auto& value = fieldOf(record, name);
            if (value && value->empty()) {
                value.reset();
            }
        }
        return record;
    };
    const RecordValues current = asShown(currentValues(dataSet_));
    if (shown[static_cast<std::size_t>(activeRow)] != current) {
        return "the grid's current row reads " +
               describe(shown[static_cast<std::size_t>(activeRow)]) + ", the current record is " +
               describe(current);
    }
    std::vector<RecordValues> others;
    for (int row = 0; row < rows; ++row) {
        if (row != activeRow || dataSet_.state() != TDataSetState::dsInsert) {
            others.push_back(shown[static_cast<std::size_t>(row)]);
        }
    }
    // Rows in Browse and Edit start at a known stored record; a new record's
    // neighbours are some run of stored records.
    std::vector<std::size_t> starts;
    if (dataSet_.state() == TDataSetState::dsInsert) {
        for (std::size_t s = 0; s + others.size() <= stored.size(); ++s) {
            starts.push_back(s);
        }
    } else {
        const int first = dataSet_.recNo() - 1 - activeRow;
        if (first < 0 || first + others.size() > stored.size()) {
            return "the record window does not fit the stored records (position " +
                   std::to_string(dataSet_.recNo()) + ", row " + std::to_string(activeRow) + ")";
        }
        starts.push_back(static_cast<std::size_t>(first));
    }
    for (std::size_t start : starts) {
        bool same = true;
        for (std::size_t i = 0; i < others.size() && same; ++i) {
            const bool editedRow =
                dataSet_.state() == TDataSetState::dsEdit && static_cast<int>(i) == activeRow;
            same = editedRow || others[i] == asShown(stored[start + i]);
        }
        if (same) {
            return std::nullopt;
        }
    }
    std::string shownText;
    for (const RecordValues& row : shown) {
        shownText += "\n  " + describe(row);
    }
    return "the grid's rows are no run of the stored records; it shows" + shownText + "\nstored " +
           describe(stored);
}

std::optional<std::string> WindowAgreement::checkFieldControls(const RecordValues& current) const {
    const struct {
        TDBText* text;
        const char* fieldName;
    } texts[] = {{form_.DBText1, "AInt"}, {form_.DBText2, "AStr"}, {form_.DBText3, "StrShowCheck"}};
    for (const auto& [text, fieldName] : texts) {
        const std::string expected = fieldOf(current, fieldName).value_or("");
        if (text->shownText().toStdString() != expected) {
            return std::string("the text of ") + fieldName + " shows \"" +
                   text->shownText().toStdString() + "\", the field holds " +
                   quoted(fieldOf(current, fieldName));
        }
    }

    const struct {
        TDBCheckBox* box;
        const char* fieldName;
    } boxes[] = {{form_.DBCheckBox1, "StrShowCheck"},
                 {form_.DBCheckBox2, "AInt"},
                 {form_.DBCheckBox3, "ABoolean"}};
    int pending = 0;
    for (const auto& [box, fieldName] : boxes) {
        const TCheckBoxState expected = expectedCheckState(fieldName, fieldOf(current, fieldName));
        if (box->togglePending()) {
            ++pending;
            // The box's own toggle, not yet written: it differs only from
            // the field, and only as a toggle makes it (ticked or clear).
            if (box->state() == TCheckBoxState::cbGrayed) {
                return std::string("the ") + fieldName + " box holds a toggle to grey";
            }
            if (!box->hasFocus()) {
                return std::string("the ") + fieldName +
                       " box holds a pending toggle without the focus";
            }
            continue;
        }
        if (box->state() != expected) {
            return std::string("the ") + fieldName + " box shows " + stateName(box->state()) +
                   ", the field holds " + quoted(fieldOf(current, fieldName));
        }
    }
    if (pending > 1) {
        return "several boxes hold pending toggles";
    }
    return std::nullopt;
}

std::optional<std::string> WindowAgreement::checkNavigator() const {
    const TDBNavigator& navigator = *form_.DBNavigator1;
    const bool open = dataSet_.active();
    const bool bof = dataSet_.bof();
    const bool eof = dataSet_.eof();
    const bool modifiable = dataSet_.canModify();
    const bool editing = dataSet_.editing();
    const bool expected[navigateBtnCount] = {open && !bof,
                                             open && !bof,
                                             open && !eof,
                                             open && !eof,
                                             open && modifiable,
                                             open && modifiable && !(bof && eof),
                                             open && modifiable && !editing,
                                             open && modifiable && editing,
                                             open && modifiable && editing,
                                             open && modifiable};
    for (TNavigateBtn button : allNavigateBtns) {
        if (navigator.isButtonEnabled(button) != expected[button]) {
            return "the navigator's " + navigatorHintText(button).toStdString() + " button is " +
                   (expected[button] ? "disabled" : "enabled") + " in state " +
                   std::to_string(static_cast<int>(dataSet_.state())) +
                   (bof ? " at beginning" : "") + (eof ? " at end" : "");
        }
    }
    return std::nullopt;
}
