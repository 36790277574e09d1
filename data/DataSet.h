#pragma once
// The record set: states, flags, the record window, operations and the
// notifications they send to the linked data sources. TClientDataSet keeps
// its records in the storage engine, loaded from a stored data packet.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "component/Component.h"
#include "data/DataEvent.h"
#include "data/Field.h"

class TDataSource;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class TDataSet;
using TDataSetNotifyEvent = std::function<void(TDataSet& dataSet)>;

class TDataSet : public TComponent {
public:
    explicit TDataSet(TComponent* owner = nullptr);
    ~TDataSet() override;  // closes without posting

    // State and flags.
    TDataSetState state() const { return state_; }
    bool active() const { return state_ != TDataSetState::dsInactive; }
    bool editing() const {
        return state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert;
    }
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool modified() const { return modified_; }
    bool isEmpty() const;
    virtual bool canModify() const;
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Counts.
    virtual int recordCount() const = 0;
    // Position number of the current record, 1-based; -1 for an unposted new record.
    virtual int recNo() const = 0;
    // Move to a position number (leave-editing step first).
    void setRecNo(int position);

    // Operations. Each either completes or throws; notifications in the
    // order the operation gives.
    void open();
    void close();
    void setActive(bool active);
    void checkBrowseMode();  // the leave-editing step
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    void first();
    void last();
    void next() { moveBy(1); }
    void prior() { moveBy(-1); }
    int moveBy(int distance);
    void refresh();

    // Fields, in schema order.
    const std::vector<TField*>& fields() const { return fields_; }
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    TField* findField(std::string_view fieldName) const;
    // Throws "Field '%s' not found" with the record set's prefix.
    TField* fieldByName(std::string_view fieldName) const;

    // The record window: the run of records around the current one kept read
    // for display. Its size is the largest buffer count a link asks for.
    int windowCount() const;  // records held now (0 on an empty set in Browse)
    int activeRow() const;    // the current record's row in the window
    // While a RowScope lives, field reads come from another row of the window.
    class RowScope {
    public:
        RowScope(TDataSet& dataSet, int row);
        ~RowScope();
        RowScope(const RowScope&) = delete;
        RowScope& operator=(const RowScope&) = delete;

    private:
        TDataSet& dataSet_;
        int saved_;
    };

    // Throws EDatabaseError "<name>: <message>".
    [[noreturn]] void databaseError(const std::string& message) const;

    // Events; unset ones do nothing.
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, OnNewRecord;
    TDataSetNotifyEvent BeforeEdit, AfterEdit, BeforePost, AfterPost;
    TDataSetNotifyEvent BeforeCancel, AfterCancel, BeforeDelete, AfterDelete;
    TDataSetNotifyEvent BeforeScroll, AfterScroll, BeforeRefresh, AfterRefresh;

    // Settings: Active (noted while loading, opened in loaded()), the event
    // handlers by name, ReadOnly.
    void readSetting(std::string_view name, const PropertyValue& value) override;
    void readHandler(std::string_view name, TNotifyHandler handler) override;
    void loaded() override;

    // Data sources register themselves here.
    void addDataSource(TDataSource* source);
    void removeDataSource(TDataSource* source);
    // Fields register themselves here.
    void addField(TField* field);
    void removeField(TField* field);
    // Recomputes the record window's size from the linked controls' wishes.
    void updateBufferCount();

    // The record set's storage, used by its fields (engine-neutral).
    // ... the implementation adds what the fields need here.

protected:
    // Sends one notification to every linked data source, in order.
    void dataEvent(TDataEvent event, std::intptr_t info = 0);

private:
    TDataSetState state_ = TDataSetState::dsInactive;
    bool bof_ = true;
    bool eof_ = true;
    bool modified_ = false;
    bool readOnly_ = false;
    bool activeOnLoad_ = false;
    std::vector<TField*> fields_;
    std::vector<TDataSource*> dataSources_;
};

// The in-memory record set, stored by libdsengine.so.
class TClientDataSet : public TDataSet {
public:
    explicit TClientDataSet(TComponent* owner = nullptr);
    ~TClientDataSet() override;
    const char* className() const override { return "TClientDataSet"; }

    // The stored packet: a 32-bit little-endian length and that many bytes. A
    // stored length below 1 means no packet.
    void setData(std::vector<std::uint8_t> stored);
    int changeCount() const;
    int recordCount() const override;
    int recNo() const override;

    // Settings: Data (binary), Aggregates, Params, plus the record set's own.
    void readSetting(std::string_view name, const PropertyValue& value) override;
};
