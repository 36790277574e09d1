#pragma once
// The link of a control bound to one field (a field-bound text or check box):
// finds its field by name when the record set becomes active, and tells the
// control when that field's value may have changed.

#include <functional>
#include <string>

#include "data/DataSource.h"

class TFieldDataLink : public TDataLink {
public:
    // `controlName` prefixes the binding error: "DBCheckBox1: Field 'X' not found".
    explicit TFieldDataLink(std::string controlName = {});

    const std::string& fieldName() const { return fieldName_; }
    void setFieldName(std::string fieldName);
    // The bound field; nullptr while the record set is Inactive.
    TField* field() const { return field_; }

    // Active, not read-only, and the field can be modified.
    bool canModify() const;
    // The edit request; true when the set is editing and the field can be modified.
    bool edit();
    // Whether the control holds a pending edit; reset() clears it and re-reads.
    bool modified() const { return modified_; }
    void modify() { modified_ = true; }
    void reset();

    // Reactions the control installs.
    std::function<void()> onDataChange;     // read the field again
    std::function<void()> onEditingChange;  // editing began or ended
    std::function<void()> onUpdateData;     // write the pending edit
    std::function<void()> onActiveChange;   // bound or dropped

protected:
    void activeChanged() override;
    void editingChanged() override;
    void recordChanged(TField* field) override;
    void updateData() override;

private:
    void bindField();

    std::string controlName_;
    std::string fieldName_;
    TField* field_ = nullptr;
    bool modified_ = false;
};
