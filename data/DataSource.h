#pragma once
// TDataSource connects one record set to any number of data links (one per
// bound control) and fans every notification out to them, in link order.
// TDataLink is the control's end of that connection: controls never poll,
// they override the reactions below.

#include <cstdint>
#include <string_view>
#include <vector>

#include "component/Component.h"
#include "data/DataEvent.h"
#include "data/DataSet.h"

class TDataLink;

class TDataSource : public TComponent {
public:
    explicit TDataSource(TComponent* owner = nullptr);
    ~TDataSource() override;  // unlinks its links and its record set
    const char* className() const override { return "TDataSource"; }

    TDataSet* dataSet() const { return dataSet_; }
    void setDataSet(TDataSet* dataSet);
    bool autoEdit() const { return autoEdit_; }
    void setAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // The record set's state; Inactive while none is linked or the source is disabled.
    TDataSetState state() const;
    // The edit request: with AutoEdit on and the set in Browse, the set's edit
    // (which inserts on an empty set); otherwise nothing.
    void edit();

    // Settings: DataSet (a reference), AutoEdit, Enabled.
    void readSetting(std::string_view name, const PropertyValue& value) override;
    void readReference(std::string_view name, TComponent* target) override;
    void componentFreed(TComponent* component) override;

    const std::vector<TDataLink*>& links() const { return links_; }
    void addLink(TDataLink* link);
    void removeLink(TDataLink* link);

    // Called by the record set; passes the notification to every link.
    void notify(TDataEvent event, std::intptr_t info);

private:
    friend class TDataLink;
    TDataSet* dataSet_ = nullptr;
    bool autoEdit_ = true;
    bool enabled_ = true;
    std::vector<TDataLink*> links_;
};

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();  // leaves its data source
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* dataSource() const { return dataSource_; }
    void setDataSource(TDataSource* source);
    TDataSet* dataSet() const;
    // Derived from the data source's state at every state change.
    bool active() const { return active_; }
    bool editing() const { return editing_; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // How many records this control wants in the record window (a grid: its rows).
    int bufferCount() const { return bufferCount_; }
    void setBufferCount(int count);
    // This link's rows of the record window: as many as it asks for (fewer
    // when the window holds fewer), starting at firstRecord() of the record
    // set's window, and the current record's row among them. For the link
    // that asks for the most rows they are the whole window (firstRecord() 0).
    int recordCount() const;
    int activeRecord() const;
    int firstRecord() const;

    // The edit request through the data source; answers whether the record
    // set is now in Edit or Insert.
    bool edit();
    // Writes this control's pending edit now (calls updateData()); while it
    // runs, this link ignores the field and record changes its own write sends.
    void updateRecord();

    // Entry point for every notification; dispatches to the reactions below.
    virtual void dataEvent(TDataEvent event, std::intptr_t info);

protected:
    virtual void activeChanged() {}
    virtual void editingChanged() {}
    virtual void dataSetChanged() { recordChanged(nullptr); }
    virtual void dataSetScrolled(int /*distance*/) { dataSetChanged(); }
    // A field was written (field set), or the whole record changed (nullptr).
    virtual void recordChanged(TField* /*field*/) {}
    virtual void updateData() {}
    virtual void checkBrowseMode() {}  // the leave-editing notice

private:
    friend class TDataSource;
    void updateState();
    // Keeps this link's rows around the current record after the window
    // moved by `shift` records or was read again.
    void updateRange(int shift);

    TDataSource* dataSource_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
    bool updating_ = false;
    int bufferCount_ = 1;
    int firstRecord_ = 0;
};
