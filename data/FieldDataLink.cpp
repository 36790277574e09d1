#include "data/FieldDataLink.h"

#include <utility>

#include "data/DBErrors.h"
#include "data/Messages.h"

TFieldDataLink::TFieldDataLink(std::string controlName) : controlName_(std::move(controlName)) {}

void TFieldDataLink::setFieldName(std::string fieldName) {
    if (fieldName == fieldName_) {
        return;
    }
    fieldName_ = std::move(fieldName);
    bindField();
    recordChanged(nullptr);
}

void TFieldDataLink::bindField() {
    field_ = nullptr;
    TDataSet* set = dataSet();
    if (!active() || !set || fieldName_.empty()) {
        return;
    }
    TField* field = set->findField(fieldName_);
    if (!field) {
        const std::string message = msg::fill(msg::kFieldNotFound, {fieldName_});
        throw EDatabaseError(controlName_.empty() ? message : controlName_ + ": " + message);
    }
    field_ = field;
}

bool TFieldDataLink::canModify() const {
    return !readOnly() && field_ && field_->canModify();
}

bool TFieldDataLink::edit() {
    if (canModify()) {
        TDataLink::edit();
    }
    return editing() && canModify();
}

void TFieldDataLink::reset() {
    recordChanged(nullptr);
}

void TFieldDataLink::activeChanged() {
    bindField();
    if (onActiveChange) {
        onActiveChange();
    }
    recordChanged(nullptr);
}

void TFieldDataLink::editingChanged() {
    if (onEditingChange) {
        onEditingChange();
    }
}

void TFieldDataLink::recordChanged(TField* field) {
    if (field && field != field_) {
        return;
    }
    if (onDataChange) {
        onDataChange();
    }
    modified_ = false;
}

void TFieldDataLink::updateData() {
    if (modified_) {
        if (field_ && onUpdateData) {
            onUpdateData();
        }
        modified_ = false;
    }
}
