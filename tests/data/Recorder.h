#pragma once
// One log of everything a record set does that others can see: its events
// (BeforeInsert, AfterScroll, ...) and the notifications a link receives
// (with the state at a state change, the field at a field change, the
// distance of a scroll). Tests compare the whole log with the expected one.

#include <string>
#include <utility>
#include <vector>

#include "data/DataSet.h"
#include "data/DataSource.h"

inline const char* stateName(TDataSetState state) {
    switch (state) {
        case TDataSetState::dsInactive:
            return "dsInactive";
        case TDataSetState::dsBrowse:
            return "dsBrowse";
        case TDataSetState::dsEdit:
            return "dsEdit";
        case TDataSetState::dsInsert:
            return "dsInsert";
    }
    return "?";
}

struct EventLog {
    std::vector<std::string> entries;
    void add(std::string entry) { entries.push_back(std::move(entry)); }
    // Returns the entries so far and starts afresh.
    std::vector<std::string> take() { return std::exchange(entries, {}); }
};

// A link that writes every notification it receives into the log.
class RecordingLink : public TDataLink {
public:
    explicit RecordingLink(EventLog& log, int bufferCount = 1) : log_(log) {
        setBufferCount(bufferCount);
    }

    void dataEvent(TDataEvent event, std::intptr_t info) override {
        log_.add(describe(event, info));
        TDataLink::dataEvent(event, info);
    }

private:
    std::string describe(TDataEvent event, std::intptr_t info) const {
        switch (event) {
            case TDataEvent::StateChange:
                return std::string("StateChange(") +
                       stateName(dataSource() ? dataSource()->state() : TDataSetState::dsInactive) +
                       ")";
            case TDataEvent::FieldChange:
                return "FieldChange(" + reinterpret_cast<TField*>(info)->fieldName() + ")";
            case TDataEvent::RecordChange:
                return "RecordChange";
            case TDataEvent::DataSetChange:
                return "DataSetChange";
            case TDataEvent::Scroll:
                return "Scroll(" + std::to_string(info) + ")";
            case TDataEvent::UpdateData:
                return "UpdateData";
            case TDataEvent::LeaveEditing:
                return "LeaveEditing";
        }
        return "?";
    }

    EventLog& log_;
};

// Makes every event of the record set write its name into the log, then run
// the handler it had before (the after-insert handler, for one).
inline void recordEvents(TDataSet& dataSet, EventLog& log) {
    struct Slot {
        const char* name;
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
        TDataSetNotifyEvent previous = dataSet.*slot.event;
        dataSet.*slot.event = [&log, name = slot.name, previous](TDataSet& set) {
            log.add(name);
            if (previous) {
                previous(set);
            }
        };
    }
}
