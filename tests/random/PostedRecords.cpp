#include "tests/random/PostedRecords.h"

#include <QLineEdit>

#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "form/Form1.h"
#include "tests/random/WindowAgreement.h"

void PostedRecords::beforeEvent(const TForm1& form, const TDataSet& dataSet) {
    state_ = dataSet.state();
    position_ = dataSet.recNo();
    pendingRecord_ = currentValues(dataSet);
    const struct {
        const TDBCheckBox* box;
        const char* fieldName;
    } boxes[] = {{form.DBCheckBox1, "StrShowCheck"},
                 {form.DBCheckBox2, "AInt"},
                 {form.DBCheckBox3, "ABoolean"}};
    for (const auto& [box, fieldName] : boxes) {
        if (box->togglePending()) {
            fieldOf(pendingRecord_, fieldName) = valueWrittenFor(fieldName, box->state());
        }
    }
    editorText_.reset();
    if (form.DBGrid1->editorShown()) {
        if (const auto* editor = form.DBGrid1->findChild<QLineEdit*>()) {
            editorText_ = editor->text().toStdString();
        }
    }
}

bool PostedRecords::mayStore(const RecordValues& record) const {
    if (record == pendingRecord_) {
        return true;
    }
    if (!editorText_) {
        return false;
    }
    // The editor's text goes through the field's conversion: a string
    // field keeps it as it is.
    RecordValues edited = pendingRecord_;
    edited.aStr = *editorText_;
    if (record == edited) {
        return true;
    }
    edited.aStr.reset();
    return editorText_->empty() && record == edited;
}

std::optional<std::string> PostedRecords::afterEvent(const std::vector<RecordValues>& stored) {
    const std::vector<RecordValues>& before = model_;
    std::optional<std::string> failure;
    if (stored == before) {
        return std::nullopt;
    }
    if (stored.size() == before.size() + 1) {
        // A stored insert: the new record, anywhere, the others in order.
        if (state_ != TDataSetState::dsInsert) {
            failure = "a record was stored although none was being inserted";
        } else {
            failure = "the stored records are not the earlier ones plus the new record";
            for (std::size_t at = 0; at < stored.size(); ++at) {
                std::vector<RecordValues> without = stored;
                without.erase(without.begin() + static_cast<std::ptrdiff_t>(at));
                if (without == before && mayStore(stored[at])) {
                    failure.reset();
                    ++counts_.storedInserts;
                    break;
                }
            }
        }
    } else if (stored.size() == before.size()) {
        // A stored edit: only the edited record, with the values it was given.
        std::size_t changed = 0;
        std::size_t at = 0;
        for (std::size_t i = 0; i < stored.size(); ++i) {
            if (stored[i] != before[i]) {
                ++changed;
                at = i;
            }
        }
        if (state_ != TDataSetState::dsEdit) {
            failure = "a stored record changed although none was being edited";
        } else if (changed != 1 || static_cast<int>(at) + 1 != position_) {
            failure = "stored records other than the edited one (position " +
                      std::to_string(position_) + ") changed";
        } else if (!mayStore(stored[at])) {
            failure = "the edited record was stored as " + describe(stored[at]) +
                      ", but it was being edited as " + describe(pendingRecord_);
        } else {
            ++counts_.storedEdits;
        }
    } else if (stored.size() + 1 == before.size()) {
        // A delete: the record that was current.
        std::vector<RecordValues> expected = before;
        if (state_ == TDataSetState::dsInsert) {
            failure = "a stored record was deleted while a new one was being inserted";
        } else if (position_ < 1 || position_ > static_cast<int>(before.size())) {
            failure = "a record was deleted with no current record";
        } else {
            expected.erase(expected.begin() + (position_ - 1));
            if (stored != expected) {
                failure = "a record other than the current one (position " +
                          std::to_string(position_) + ") was deleted";
            } else {
                ++counts_.deletes;
            }
        }
    } else {
        failure = "more than one stored record changed in one event";
    }
    if (failure) {
        return *failure + "\nbefore: " + describe(before) + "\nafter: " + describe(stored);
    }
    model_ = stored;
    return std::nullopt;
}
