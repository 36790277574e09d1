#include "data/DataSet.h"

#include <algorithm>
#include <limits>

#include "data/DBErrors.h"
#include "data/DataSource.h"
#include "data/FieldDataLink.h"
#include "data/Messages.h"
#include "data/TextFold.h"

namespace {

void fire(const TDataSetNotifyEvent& event, TDataSet& dataSet) {
    if (event) {
        event(dataSet);
    }
}

const char* typeName(TFieldType type) {
    switch (type) {
        case TFieldType::ftString:
            return "String";
        case TFieldType::ftInteger:
            return "Integer";
        case TFieldType::ftBoolean:
            return "Boolean";
        case TFieldType::ftUnknown:
            break;
    }
    return "Unknown";
}

TFieldType fieldTypeOf(std::uint16_t engineType) {
    switch (engineType) {
        case dsengine::kTypeString:
            return TFieldType::ftString;
        case dsengine::kTypeInt32:
            return TFieldType::ftInteger;
        case dsengine::kTypeBoolean:
            return TFieldType::ftBoolean;
        default:
            return TFieldType::ftUnknown;
    }
}

}  // namespace

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet() {
    while (!dataSources_.empty()) {
        dataSources_.back()->setDataSet(nullptr);
    }
    for (TField* field : fields_) {
        field->dataSet_ = nullptr;
        field->fieldNo_ = -1;
    }
    fields_.clear();
}

bool TDataSet::canModify() const {
    return !readOnly_;
}

void TDataSet::databaseError(std::string_view message) const {
    if (name().empty()) {
        throw EDatabaseError(std::string(message));
    }
    throw EDatabaseError(name() + ": " + std::string(message));
}

void TDataSet::engineFailure(dsengine::Status status) const {
    throw EDBClient(store_ ? store_->statusText(status) : std::string(msg::kEngineNotLoaded),
                    status);
}

void TDataSet::checkActive() const {
    if (!active()) {
        databaseError(msg::kClosedDataSet);
    }
}

void TDataSet::checkCanModify() const {
    if (!canModify()) {
        databaseError(msg::kReadOnlyDataSet);
    }
}

void TDataSet::setState(TDataSetState state) {
    if (state_ == state) {
        return;
    }
    state_ = state;
    modified_ = false;
    dataEvent(TDataEvent::StateChange);
}

void TDataSet::dataEvent(TDataEvent event, std::intptr_t info) {
    if (event == TDataEvent::FieldChange) {
        modified_ = true;
    }
    // By index: a reaction may unlink a data source.
    for (std::size_t i = 0; i < dataSources_.size(); ++i) {
        dataSources_[i]->notify(event, info);
    }
}

// Open and close ------------------------------------------------------------

void TDataSet::open() {
    if (active()) {
        return;
    }
    fire(BeforeOpen, *this);
    try {
        openStorage();
        recordSize_ = store_->recordSize();
        bindFields();
        allocateWindow();
        fillFromFirst();
        bof_ = true;
        eof_ = windowCount_ == 0;
        setState(TDataSetState::dsBrowse);
        fire(AfterOpen, *this);
    } catch (...) {
        // Whatever step failed, the set stays closed.
        setState(TDataSetState::dsInactive);
        releaseStorage();
        throw;
    }
}

void TDataSet::close() {
    if (!active()) {
        return;
    }
    fire(BeforeClose, *this);
    closeQuietly();
    fire(AfterClose, *this);
}

void TDataSet::closeQuietly() {
    if (!active()) {
        return;
    }
    // The pending record, if any, is dropped with the window.
    setState(TDataSetState::dsInactive);
    releaseStorage();
}

void TDataSet::setActive(bool active) {
    if (active) {
        open();
    } else {
        close();
    }
}

void TDataSet::releaseStorage() {
    windowCount_ = 0;
    activeRow_ = 0;
    readRow_ = -1;
    bof_ = true;
    eof_ = true;
    appending_ = false;
    modified_ = false;
    for (TField* field : fields_) {
        field->fieldNo_ = -1;
    }
    // Fields made from the schema go with the open they were made for.
    auto own = std::move(ownFields_);
    ownFields_.clear();
    for (TField* field : own) {
        delete field;
    }
    pool_.clear();
    rows_.clear();
    order_.clear();
    scratch_ = nullptr;
    closeStorage();
    store_ = nullptr;
    cursor_ = nullptr;
    allowEdits_ = allowInserts_ = allowDeletes_ = true;
}

void TDataSet::bindFields() {
    const std::size_t columns = store_->columnCount();
    if (fields_.empty()) {
        for (std::size_t c = 0; c < columns; ++c) {
            const dsengine::ColumnDesc& column = store_->column(c);
            TField* field = nullptr;
            switch (fieldTypeOf(column.type)) {
                case TFieldType::ftString: {
                    auto* text = new TStringField(this);
                    text->setSize(static_cast<int>(column.size));
                    field = text;
                    break;
                }
                case TFieldType::ftInteger:
                    field = new TIntegerField(this);
                    break;
                case TFieldType::ftBoolean:
                    field = new TBooleanField(this);
                    break;
                case TFieldType::ftUnknown:
                    continue;
            }
            field->setFieldName(column.name);
            ownFields_.push_back(field);
            addField(field);
        }
    }
    for (TField* field : fields_) {
        int found = -1;
        for (std::size_t c = 0; c < columns; ++c) {
            if (textfold::equalsIgnoringCase(store_->column(c).name, field->fieldName())) {
                found = static_cast<int>(c);
                break;
            }
        }
        if (found < 0) {
            databaseError(msg::fill(msg::kFieldNotFound, {field->displayName()}));
        }
        const dsengine::ColumnDesc& column = store_->column(static_cast<std::size_t>(found));
        const TFieldType actual = fieldTypeOf(column.type);
        if (actual != field->dataType()) {
            databaseError(
                msg::fill(msg::kTypeMismatch,
                          {field->displayName(), typeName(field->dataType()), typeName(actual)}));
        }
        if (actual == TFieldType::ftString && static_cast<int>(column.size) < field->size()) {
            databaseError(
                msg::fill(msg::kSizeMismatch, {field->displayName(), std::to_string(field->size()),
                                               std::to_string(column.size)}));
        }
        field->fieldNo_ = found;
    }
}

// The leave-editing step and the editing operations ------------------------

void TDataSet::checkBrowseMode() {
    checkActive();
    dataEvent(TDataEvent::LeaveEditing);
    if (editing()) {
        dataEvent(TDataEvent::UpdateData);
        if (modified_) {
            post();
        } else {
            cancel();
        }
    }
}

void TDataSet::insert() {
    beginInsert(false);
}

void TDataSet::append() {
    beginInsert(true);
}

void TDataSet::beginInsert(bool append) {
    checkBrowseMode();
    checkCanModify();
    if (!allowInserts_) {
        databaseError(msg::kInsertsDisabled);
    }
    fire(BeforeInsert, *this);
    fire(BeforeScroll, *this);
    placeNewRecord(append);
    setState(TDataSetState::dsInsert);
    try {
        fire(OnNewRecord, *this);
    } catch (...) {
        restoreAfterCancel();
        setState(TDataSetState::dsBrowse);
        dataEvent(TDataEvent::DataSetChange);
        throw;
    }
    modified_ = false;
    dataEvent(TDataEvent::DataSetChange);
    fire(AfterInsert, *this);
    fire(AfterScroll, *this);
}

void TDataSet::edit() {
    if (editing()) {
        return;
    }
    if (windowCount_ == 0) {
        // Nothing to edit: the edit becomes an insert.
        insert();
        return;
    }
    checkBrowseMode();
    checkCanModify();
    if (!allowEdits_) {
        databaseError(msg::kEditsDisabled);
    }
    fire(BeforeEdit, *this);
    setState(TDataSetState::dsEdit);
    dataEvent(TDataEvent::RecordChange);
    fire(AfterEdit, *this);
}

void TDataSet::post() {
    if (!editing()) {
        databaseError(msg::kNotEditing);
    }
    dataEvent(TDataEvent::UpdateData);
    if (!editing()) {
        return;
    }
    dataEvent(TDataEvent::LeaveEditing);
    fire(BeforePost, *this);
    checkRequiredFields();
    storeRecord();
    rereadWindow(activeRow_);
    setState(TDataSetState::dsBrowse);
    dataEvent(TDataEvent::DataSetChange);
    fire(AfterPost, *this);
}

void TDataSet::checkRequiredFields() const {
    for (TField* field : fields_) {
        if (field->required() && field->isNull()) {
            throw EDatabaseError(msg::fill(msg::kFieldRequired, {field->displayName()}));
        }
    }
}

void TDataSet::storeRecord() {
    std::uint8_t* record = rows_[static_cast<std::size_t>(activeRow_)];
    if (state_ == TDataSetState::dsEdit) {
        check(cursor_->modifyRecord(record));
        return;
    }
    if (appending_) {
        cursor_->moveToEnd();
    }
    check(cursor_->insertRecord(record));
    appending_ = false;
}

void TDataSet::cancel() {
    if (!editing()) {
        return;
    }
    const bool wasInsert = state_ == TDataSetState::dsInsert;
    dataEvent(TDataEvent::LeaveEditing);
    fire(BeforeCancel, *this);
    if (wasInsert) {
        fire(BeforeScroll, *this);
    }
    restoreAfterCancel();
    setState(TDataSetState::dsBrowse);
    dataEvent(TDataEvent::DataSetChange);
    fire(AfterCancel, *this);
    if (wasInsert) {
        fire(AfterScroll, *this);
    }
}

void TDataSet::restoreAfterCancel() {
    // The cursor still stands where the edit or insert began: on the current
    // record, on the record the new one was to go before, or (append) at the end.
    if (appending_) {
        cursor_->moveToEnd();
        appending_ = false;
    }
    rereadWindow(activeRow_);
}

void TDataSet::deleteRecord() {
    checkActive();
    if (state_ == TDataSetState::dsInsert) {
        cancel();
        return;
    }
    if (windowCount_ == 0) {
        databaseError(msg::kEmptyDataSet);
    }
    checkCanModify();
    if (!allowDeletes_) {
        databaseError(msg::kDeletesDisabled);
    }
    dataEvent(TDataEvent::LeaveEditing);
    fire(BeforeDelete, *this);
    fire(BeforeScroll, *this);
    check(cursor_->deleteRecord());
    // The cursor now stands on the record that followed, or at the end.
    rereadWindow(activeRow_);
    setState(TDataSetState::dsBrowse);
    dataEvent(TDataEvent::DataSetChange);
    fire(AfterDelete, *this);
    fire(AfterScroll, *this);
}

// Moves -------------------------------------------------------------------

void TDataSet::first() {
    checkBrowseMode();
    fire(BeforeScroll, *this);
    fillFromFirst();
    bof_ = true;
    eof_ = windowCount_ == 0;
    dataEvent(TDataEvent::DataSetChange);
    fire(AfterScroll, *this);
}

void TDataSet::last() {
    checkBrowseMode();
    fire(BeforeScroll, *this);
    fillFromLast();
    eof_ = true;
    bof_ = windowCount_ == 0;
    dataEvent(TDataEvent::DataSetChange);
    fire(AfterScroll, *this);
}

int TDataSet::moveBy(int distance) {
    checkBrowseMode();
    fire(BeforeScroll, *this);
    if (distance == 0 || (distance > 0 && eof_) || (distance < 0 && bof_)) {
        return 0;
    }
    bof_ = false;
    eof_ = false;
    const int countBefore = windowCount_;
    int shift = 0;
    const int moved =
        distance > 0 ? stepForward(distance, &shift) : -stepBackward(-distance, &shift);
    if (windowCount_ != countBefore) {
        dataEvent(TDataEvent::DataSetChange);
    } else {
        dataEvent(TDataEvent::Scroll, shift);
    }
    fire(AfterScroll, *this);
    return moved;
}

void TDataSet::setRecNo(int position) {
    checkBrowseMode();
    if (windowCount_ == 0) {
        return;
    }
    position = std::clamp(position, 1, recordCount());
    if (position == recNo()) {
        return;
    }
    fire(BeforeScroll, *this);
    check(cursor_->moveToPosition(static_cast<std::uint32_t>(position)));
    rereadWindow((windowSize_ - 1) / 2);
    dataEvent(TDataEvent::DataSetChange);
    fire(AfterScroll, *this);
}

void TDataSet::refresh() {
    fire(BeforeRefresh, *this);
    checkBrowseMode();
    try {
        checkBrowseMode();
        internalRefresh();
    } catch (...) {
        // Even a failed refresh shows the window read again.
        finishRefresh();
        throw;
    }
    finishRefresh();
}

void TDataSet::finishRefresh() {
    rereadWindow(activeRow_);
    dataEvent(TDataEvent::DataSetChange);
    fire(AfterRefresh, *this);
}

// Fields ------------------------------------------------------------------

TField* TDataSet::findField(std::string_view fieldName) const {
    for (TField* field : fields_) {
        if (textfold::equalsIgnoringCase(field->fieldName(), fieldName)) {
            return field;
        }
    }
    return nullptr;
}

TField* TDataSet::fieldByName(std::string_view fieldName) const {
    TField* field = findField(fieldName);
    if (!field) {
        databaseError(msg::fill(msg::kFieldNotFound, {fieldName}));
    }
    return field;
}

void TDataSet::addField(TField* field) {
    if (std::find(fields_.begin(), fields_.end(), field) == fields_.end()) {
        fields_.push_back(field);
    }
    field->dataSet_ = this;
}

void TDataSet::removeField(TField* field) {
    fields_.erase(std::remove(fields_.begin(), fields_.end(), field), fields_.end());
    ownFields_.erase(std::remove(ownFields_.begin(), ownFields_.end(), field), ownFields_.end());
    field->dataSet_ = nullptr;
    field->fieldNo_ = -1;
}

const dsengine::FieldValue* TDataSet::fieldValue(const TField& field) const {
    if (state_ == TDataSetState::dsInactive || field.fieldNo_ < 0) {
        return nullptr;
    }
    const int row = readRow_ >= 0 ? readRow_ : activeRow_;
    if (row >= windowCount_) {
        return nullptr;
    }
    check(store_->getField(rows_[static_cast<std::size_t>(row)],
                           static_cast<std::size_t>(field.fieldNo_), &readValue_));
    return readValue_.null ? nullptr : &readValue_;
}

void TDataSet::setFieldValue(TField& field, const dsengine::FieldValue& value) {
    if (field.readOnly()) {
        throw EDatabaseError(msg::fill(msg::kFieldReadOnly, {field.displayName()}));
    }
    if (!editing()) {
        databaseError(msg::kNotEditing);
    }
    if (field.fieldNo_ < 0) {
        databaseError(msg::fill(msg::kFieldNotFound, {field.displayName()}));
    }
    check(store_->putField(rows_[static_cast<std::size_t>(activeRow_)],
                           static_cast<std::size_t>(field.fieldNo_), value));
    dataEvent(TDataEvent::FieldChange, reinterpret_cast<std::intptr_t>(&field));
}

TDataSet::RowScope::RowScope(TDataSet& dataSet, int row)
    : dataSet_(dataSet), saved_(dataSet.readRow_) {
    // A negative row lies outside the window like one past its end.
    dataSet_.readRow_ = row < 0 ? std::numeric_limits<int>::max() : row;
}

TDataSet::RowScope::~RowScope() {
    dataSet_.readRow_ = saved_;
}

// Data sources and settings ---------------------------------------------------

void TDataSet::addDataSource(TDataSource* source) {
    if (std::find(dataSources_.begin(), dataSources_.end(), source) == dataSources_.end()) {
        dataSources_.push_back(source);
    }
    updateBufferCount();
}

void TDataSet::removeDataSource(TDataSource* source) {
    dataSources_.erase(std::remove(dataSources_.begin(), dataSources_.end(), source),
                       dataSources_.end());
    updateBufferCount();
}

void TDataSet::updateBufferCount() {
    int wanted = 1;
    for (TDataSource* source : dataSources_) {
        for (TDataLink* link : source->links()) {
            wanted = std::max(wanted, link->bufferCount());
        }
    }
    if (wanted != windowSize_) {
        resizeWindow(wanted);
    }
}

void TDataSet::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "Active") {
        const bool on = value.asBool();
        if (isLoading()) {
            activeOnLoad_ = on;
        } else {
            setActive(on);
        }
    } else if (name == "ReadOnly") {
        readOnly_ = value.asBool();
    } else {
        TComponent::readSetting(name, value);
    }
}

void TDataSet::readHandler(std::string_view name, TNotifyHandler handler) {
    struct Slot {
        std::string_view name;
        TDataSetNotifyEvent TDataSet::*event;
    };
    static constexpr Slot kSlots[] = {
        {"BeforeOpen", &TDataSet::BeforeOpen},     {"AfterOpen", &TDataSet::AfterOpen},
        {"BeforeClose", &TDataSet::BeforeClose},   {"AfterClose", &TDataSet::AfterClose},
        {"BeforeInsert", &TDataSet::BeforeInsert}, {"AfterInsert", &TDataSet::AfterInsert},
        {"OnNewRecord", &TDataSet::OnNewRecord},   {"BeforeEdit", &TDataSet::BeforeEdit},
        {"AfterEdit", &TDataSet::AfterEdit},       {"BeforePost", &TDataSet::BeforePost},
        {"AfterPost", &TDataSet::AfterPost},       {"BeforeCancel", &TDataSet::BeforeCancel},
        {"AfterCancel", &TDataSet::AfterCancel},   {"BeforeDelete", &TDataSet::BeforeDelete},
        {"AfterDelete", &TDataSet::AfterDelete},   {"BeforeScroll", &TDataSet::BeforeScroll},
        {"AfterScroll", &TDataSet::AfterScroll},   {"BeforeRefresh", &TDataSet::BeforeRefresh},
        {"AfterRefresh", &TDataSet::AfterRefresh},
    };
    for (const Slot& slot : kSlots) {
        if (slot.name == name) {
            this->*slot.event = [handler = std::move(handler)](TDataSet& dataSet) {
                if (handler) {
                    handler(&dataSet);
                }
            };
            return;
        }
    }
    TComponent::readHandler(name, std::move(handler));
}

void TDataSet::loaded() {
    TComponent::loaded();
    if (activeOnLoad_) {
        open();
    }
}
