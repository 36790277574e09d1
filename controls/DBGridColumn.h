#pragma once
// One column of the record grid: which field it shows, whether it shows that
// field as a check box (and the key lines that map values to the box's
// states), and its width. Columns are items of the grid's Columns collection,
// not components of their own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "component/Component.h"
#include "data/CheckState.h"

class QFontMetrics;
class TField;

class TDBGridColumn {
public:
    // The width of a column that has neither a stored width nor a field.
    static constexpr int kDefaultWidth = 64;

    // Applies one stored item of the Columns collection: FieldName,
    // Checkboxes, KeyList, Width, ReadOnly, EditButtons and Footers (the last
    // two may only be empty: the grid shows no edit buttons and no footer).
    // Anything else throws EReadError naming the line.
    void readSettings(const PropertyValue::Settings& settings);
    void readSetting(std::string_view name, const PropertyValue& value);

    const std::string& fieldName() const { return fieldName_; }
    void setFieldName(std::string name) { fieldName_ = std::move(name); }

    // The bound field; nullptr while the record set is inactive or when the
    // name matches no field.
    TField* field() const { return field_; }
    void setField(TField* field) { field_ = field; }

    // The stored Checkboxes setting, when there is one.
    std::optional<bool> checkboxesSetting() const { return checkboxes_; }
    void setCheckboxes(std::optional<bool> on) { checkboxes_ = on; }
    // A check-box column: the stored setting, else exactly when the field is Boolean.
    bool isCheckBoxColumn() const;

    const std::vector<std::string>& keyList() const { return keyList_; }
    void setKeyList(std::vector<std::string> lines) { keyList_ = std::move(lines); }
    // Line `index` of the key list, or nullopt when the list is shorter.
    std::optional<std::string_view> keyLine(int index) const;

    // Check state of the field as the active record of the record set holds
    // it (the caller picks the row): line 0 ticked, line 1 clear.
    TCheckBoxState checkState() const;
    // Writes a state into the field (the record set is editing).
    void writeState(TCheckBoxState state) const;

    // Stored or dragged width in pixels, when there is one.
    std::optional<int> widthSetting() const { return width_; }
    void setWidth(int width) { width_ = width; }
    // The width in force: the stored one, else the field's display width in
    // characters of `font`: displayWidth x (width of "0" - overhang) +
    // overhang + 4. Qt's fonts have no overhang, so it is 0 here.
    int width(const QFontMetrics& font) const;

    bool readOnlySetting() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // The title: the field's display name, else the stored field name.
    std::string title() const;

private:
    std::string fieldName_;
    TField* field_ = nullptr;
    std::optional<bool> checkboxes_;
    std::vector<std::string> keyList_;
    std::optional<int> width_;
    bool readOnly_ = false;
};
