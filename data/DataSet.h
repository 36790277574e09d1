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
#include "data/EngineApi.h"
#include "data/Field.h"

class TDataSource;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class TDataSet;
using TDataSetNotifyEvent = std::function<void(TDataSet& dataSet)>;

class TDataSet : public TComponent {
public:
    explicit TDataSet(TComponent* owner = nullptr);
    // Subclasses close (without posting) in their own destructor, as they own
    // the storage; this one then unlinks the data sources and the fields.
    ~TDataSet() override;

    // State and flags.
    TDataSetState state() const { return state_; }
    bool active() const { return state_ != TDataSetState::dsInactive; }
    bool editing() const {
        return state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert;
    }
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool modified() const { return modified_; }
    // No record in the record window: Inactive, or Browse on an empty set.
    bool isEmpty() const { return windowCount_ == 0; }
    virtual bool canModify() const;
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Counts.
    virtual int recordCount() const = 0;
    // Position number of the current record, 1-based; -1 for an unposted new
    // record; 0 when there is no current record (Inactive, or an empty set).
    virtual int recNo() const = 0;
    // Move to a position number (leave-editing step first). A number outside
    // 1 to recordCount() goes to the nearest record; on an empty set nothing moves.
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
    // By name, ignoring case; nullptr when there is none.
    TField* findField(std::string_view fieldName) const;
    // Throws "Field '%s' not found" with the record set's prefix.
    TField* fieldByName(std::string_view fieldName) const;

    // The record window: the run of records around the current one kept read
    // for display. Its size is the largest buffer count a link asks for.
    int windowSize() const { return windowSize_; }
    // Records held now (0 on an empty set in Browse), and the current record's row.
    int windowCount() const { return windowCount_; }
    int activeRow() const { return activeRow_; }
    // While a RowScope lives, field reads come from another row of the window
    // (a row outside the window reads null). Writes always go to the current record.
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

    // Throws EDatabaseError "<name>: <message>" (the message alone when the
    // record set has no name).
    [[noreturn]] void databaseError(std::string_view message) const;

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
    const std::vector<TDataSource*>& dataSources() const { return dataSources_; }
    // Fields register themselves here (only while Inactive).
    void addField(TField* field);
    void removeField(TField* field);
    // Recomputes the record window's size from the linked controls' wishes.
    // Sends no notification: the control whose wish changed reads the window
    // again itself. While a record is edited or inserted the window only
    // shrinks; it grows at the next re-read.
    void updateBufferCount();

protected:
    // Sends one notification to every linked data source, in order.
    void dataEvent(TDataEvent event, std::intptr_t info = 0);

    // The storage, provided by the subclass while the set is open.
    // openStorage: the packet handed to a record store, a cursor made, the
    // set's parameters read (allowEdits_ and friends); sets store_ and
    // cursor_. closeStorage releases them; it must also cope with a
    // half-finished openStorage.
    virtual void openStorage() = 0;
    virtual void closeStorage() = 0;
    // The set's own refresh from its data provider.
    virtual void internalRefresh() = 0;
    // Closes for destruction: drops a pending record, sends the state change,
    // releases the storage; no BeforeClose or AfterClose.
    void closeQuietly();

    dsengine::IRecordStore* store_ = nullptr;
    dsengine::ICursor* cursor_ = nullptr;
    bool allowEdits_ = true;
    bool allowInserts_ = true;
    bool allowDeletes_ = true;

    // Throws EDBClient with the engine's text for a failure status. Inline:
    // every read of a record or a field passes here.
    void check(dsengine::Status status) const {
        if (status < 0) [[unlikely]] {
            engineFailure(status);
        }
    }
    [[noreturn]] void engineFailure(dsengine::Status status) const;

private:
    friend class TField;

    void setState(TDataSetState state);
    void checkActive() const;
    void checkCanModify() const;
    void beginInsert(bool append);
    void placeNewRecord(bool append);
    void storeRecord();
    void restoreAfterCancel();
    void finishRefresh();
    void releaseStorage();
    void bindFields();
    void checkRequiredFields() const;

    // The record window's mechanics (DataSetWindow.cpp).
    void allocateWindow();
    void resizeWindow(int size);
    void fillFromFirst();
    void fillFromLast();
    void rereadWindow(int wantedRow);
    int stepForward(int distance, int* shift);
    int stepBackward(int distance, int* shift);

    // Field access (Field.cpp): the value of a field in the row being read,
    // nullptr when it is null or there is no such row; and a write into the
    // current record.
    const dsengine::FieldValue* fieldValue(const TField& field) const;
    dsengine::FieldValue& writeValue() { return writeValue_; }
    void setFieldValue(TField& field, const dsengine::FieldValue& value);

    TDataSetState state_ = TDataSetState::dsInactive;
    bool bof_ = true;
    bool eof_ = true;
    bool modified_ = false;
    bool readOnly_ = false;
    bool activeOnLoad_ = false;
    bool appending_ = false;  // the pending new record goes after the last one
    std::vector<TField*> fields_;
    std::vector<TField*> ownFields_;  // made from the schema when none were given
    std::vector<TDataSource*> dataSources_;

    // Record window. The pool holds windowSize_ + 2 record buffers: rows_
    // points at windowSize_ + 1 of them (the window's rows first, then a free
    // one that a move or an insert fills before rotating it in) and scratch_
    // at the last, which walks the cursor without touching the window.
    std::size_t recordSize_ = 0;
    int windowSize_ = 1;
    int windowCount_ = 0;
    int activeRow_ = 0;
    int readRow_ = -1;  // set by RowScope
    std::vector<std::uint8_t> pool_;
    std::vector<std::uint8_t*> rows_;
    std::vector<std::uint8_t*> order_;  // working list while the window is re-read
    std::uint8_t* scratch_ = nullptr;

    mutable dsengine::FieldValue readValue_;
    dsengine::FieldValue writeValue_;
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
    bool canModify() const override;

    // Settings: Data (binary), Aggregates, Params, plus the record set's own.
    void readSetting(std::string_view name, const PropertyValue& value) override;

protected:
    void openStorage() override;
    void closeStorage() override;
    void internalRefresh() override;

private:
    std::vector<std::uint8_t> stored_;
    std::unique_ptr<dsengine::IRecordStore> storeObject_;
    std::unique_ptr<dsengine::ICursor> cursorObject_;
};
