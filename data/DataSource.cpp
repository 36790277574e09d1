#include "data/DataSource.h"

#include <algorithm>

#include "component/Exceptions.h"

namespace {

// The first of `buffer` rows that keeps the active row in view, moves as
// little as possible from `first`, and uses the whole window where it can.
int clampFirst(int first, int active, int count, int buffer) {
    if (active < first) {
        first = active;
    } else if (active >= first + buffer) {
        first = active - buffer + 1;
    }
    if (first + buffer > count) {
        first = count - buffer;
    }
    return std::max(first, 0);
}

bool isEditingState(TDataSetState state) {
    return state == TDataSetState::dsEdit || state == TDataSetState::dsInsert;
}

}  // namespace

// TDataSource ---------------------------------------------------------------

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
    while (!links_.empty()) {
        TDataLink* link = links_.back();
        links_.pop_back();
        link->dataSource_ = nullptr;
        link->updateState();
    }
    setDataSet(nullptr);
}

void TDataSource::setDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_) {
        return;
    }
    if (TDataSet* old = dataSet_) {
        dataSet_ = nullptr;
        removeFreeNotification(old);
        old->removeDataSource(this);
    }
    dataSet_ = dataSet;
    if (dataSet) {
        // Either side may be freed first; the other is told.
        freeNotification(dataSet);
        dataSet->addDataSource(this);
    }
    notify(TDataEvent::StateChange, 0);
}

void TDataSource::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    notify(TDataEvent::StateChange, 0);
}

TDataSetState TDataSource::state() const {
    return dataSet_ && enabled_ ? dataSet_->state() : TDataSetState::dsInactive;
}

void TDataSource::edit() {
    if (autoEdit_ && state() == TDataSetState::dsBrowse) {
        dataSet_->edit();
    }
}

void TDataSource::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "AutoEdit") {
        setAutoEdit(value.asBool());
    } else if (name == "Enabled") {
        setEnabled(value.asBool());
    } else {
        TComponent::readSetting(name, value);
    }
}

void TDataSource::readReference(std::string_view name, TComponent* target) {
    if (name == "DataSet") {
        auto* dataSet = dynamic_cast<TDataSet*>(target);
        if (target && !dataSet) {
            throw EReadError("Property " + this->name() + ".DataSet: " + target->name() +
                             " is not a record set");
        }
        setDataSet(dataSet);
    } else {
        TComponent::readReference(name, target);
    }
}

void TDataSource::componentFreed(TComponent* component) {
    if (component == dataSet_) {
        // The record set is going; it has unlinked what it could already.
        dataSet_ = nullptr;
        notify(TDataEvent::StateChange, 0);
    }
    TComponent::componentFreed(component);
}

void TDataSource::addLink(TDataLink* link) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) {
        links_.push_back(link);
    }
    link->dataSource_ = this;
    if (dataSet_) {
        dataSet_->updateBufferCount();
    }
    link->updateState();
}

void TDataSource::removeLink(TDataLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
    link->dataSource_ = nullptr;
    link->updateState();
    if (dataSet_) {
        dataSet_->updateBufferCount();
    }
}

void TDataSource::notify(TDataEvent event, std::intptr_t info) {
    if (links_.empty()) {
        return;
    }
    // A disabled or unlinked source passes only the state change, from which
    // its links learn that they are inactive. By index: a reaction may unlink.
    if (event != TDataEvent::StateChange && state() == TDataSetState::dsInactive) {
        return;
    }
    for (std::size_t i = 0; i < links_.size(); ++i) {
        links_[i]->dataEvent(event, info);
    }
}

// TDataLink -----------------------------------------------------------------

TDataLink::~TDataLink() {
    if (dataSource_) {
        auto& links = dataSource_->links_;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
        TDataSet* dataSet = dataSource_->dataSet();
        dataSource_ = nullptr;
        if (dataSet) {
            dataSet->updateBufferCount();
        }
    }
}

void TDataLink::setDataSource(TDataSource* source) {
    if (source == dataSource_) {
        return;
    }
    if (dataSource_) {
        dataSource_->removeLink(this);
    }
    if (source) {
        source->addLink(this);
    }
}

TDataSet* TDataLink::dataSet() const {
    return dataSource_ ? dataSource_->dataSet() : nullptr;
}

void TDataLink::setBufferCount(int count) {
    count = std::max(count, 1);
    if (count == bufferCount_) {
        return;
    }
    bufferCount_ = count;
    if (TDataSet* set = dataSet()) {
        set->updateBufferCount();
    }
    updateRange(0);
}

int TDataLink::firstRecord() const {
    const TDataSet* set = dataSet();
    if (!active_ || !set) {
        return 0;
    }
    return clampFirst(firstRecord_, set->activeRow(), set->windowCount(), bufferCount_);
}

int TDataLink::recordCount() const {
    const TDataSet* set = dataSet();
    if (!active_ || !set) {
        return 0;
    }
    return std::clamp(set->windowCount() - firstRecord(), 0, bufferCount_);
}

int TDataLink::activeRecord() const {
    const TDataSet* set = dataSet();
    if (!active_ || !set) {
        return 0;
    }
    return set->activeRow() - firstRecord();
}

void TDataLink::updateRange(int shift) {
    const TDataSet* set = dataSet();
    if (!active_ || !set) {
        firstRecord_ = 0;
        return;
    }
    firstRecord_ =
        clampFirst(firstRecord_ - shift, set->activeRow(), set->windowCount(), bufferCount_);
}

bool TDataLink::edit() {
    if (!readOnly_ && dataSource_) {
        dataSource_->edit();
    }
    return editing_;
}

void TDataLink::updateRecord() {
    // The write this causes comes back as a field or record change, which
    // this link, being its author, does not need.
    struct Updating {
        bool& flag;
        explicit Updating(bool& f) : flag(f) { flag = true; }
        ~Updating() { flag = false; }
    } updating(updating_);
    updateData();
}

void TDataLink::updateState() {
    const TDataSetState state = dataSource_ ? dataSource_->state() : TDataSetState::dsInactive;
    const bool active = state != TDataSetState::dsInactive;
    const bool editing = active && isEditingState(state);
    if (active != active_) {
        active_ = active;
        firstRecord_ = 0;
        updateRange(0);
        activeChanged();
    }
    if (editing != editing_) {
        editing_ = editing;
        editingChanged();
    }
}

void TDataLink::dataEvent(TDataEvent event, std::intptr_t info) {
    if (event == TDataEvent::StateChange) {
        updateState();
        return;
    }
    if (!active_) {
        return;
    }
    switch (event) {
        case TDataEvent::FieldChange:
            if (!updating_) {
                recordChanged(reinterpret_cast<TField*>(info));
            }
            break;
        case TDataEvent::RecordChange:
            if (!updating_) {
                recordChanged(nullptr);
            }
            break;
        case TDataEvent::DataSetChange:
            updateRange(0);
            dataSetChanged();
            break;
        case TDataEvent::Scroll:
            updateRange(static_cast<int>(info));
            dataSetScrolled(static_cast<int>(info));
            break;
        case TDataEvent::UpdateData:
            updateRecord();
            break;
        case TDataEvent::LeaveEditing:
            checkBrowseMode();
            break;
        case TDataEvent::StateChange:
            break;
    }
}
