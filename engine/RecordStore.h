#pragma once
// The engine's record store: the schema, parameters and records of one data
// packet, and the status texts of its failures. Cursors (Cursor.h) read and
// change the records; the store adjusts every open cursor when another one
// inserts or deletes.
//
// Single-threaded, like the record set that uses it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/EngineApi.h"
#include "engine/EngineStatus.h"
#include "engine/Packet.h"
#include "engine/RecordLayout.h"
#include "engine/RecordList.h"

namespace dsengine {

class Cursor;

class RecordStore final : public IRecordStore {
public:
    RecordStore();
    ~RecordStore() override;
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    Status loadPacket(const std::uint8_t* data, std::size_t size) override;

    std::size_t columnCount() const override { return columns_.size(); }
    const ColumnDesc& column(std::size_t index) const override;
    bool findParameter(std::string_view name, std::int64_t* value) const override;
    bool readOnly() const override { return readOnly_; }

    std::size_t recordSize() const override { return layout_.recordSize(); }
    void initRecord(std::uint8_t* buffer) const override;
    Status getField(const std::uint8_t* buffer, std::size_t column,
                    FieldValue* value) const override;
    Status putField(std::uint8_t* buffer, std::size_t column,
                    const FieldValue& value) const override;
    Status checkField(std::size_t column, const FieldValue& value) const override;

    std::uint32_t changeCount() const override { return changeCount_; }
    std::string statusText(Status status) const override;

    // Beyond the interface, for the engine's own tools and tests.
    bool loaded() const { return records_ != nullptr; }
    // Writes the schema, parameters and current records as a packet.
    Status savePacket(std::vector<std::uint8_t>* packet) const;
    // Bytes the records take on the heap, bookkeeping included.
    std::size_t memoryBytes() const;

    // For cursors.
    Status fail(Status status, std::string text) const;
    RecordList& records() { return *records_; }
    const RecordLayout& layout() const { return layout_; }
    bool insertsDisabled() const { return insertsDisabled_; }
    bool editsDisabled() const { return editsDisabled_; }
    bool deletesDisabled() const { return deletesDisabled_; }
    void logChange() { ++changeCount_; }
    void attach(Cursor* cursor);
    void detach(Cursor* cursor);

private:
    Status checkColumn(std::size_t column) const;
    // The failure getField() reports for arguments it cannot read.
    Status getFieldFailure(const std::uint8_t* buffer, std::size_t column,
                           const FieldValue* value) const;

    std::vector<PacketColumn> packetColumns_;
    std::vector<ColumnDesc> columns_;
    std::vector<PacketParameter> parameters_;
    RecordLayout layout_;
    std::unique_ptr<RecordList> records_;
    bool readOnly_ = false;
    bool insertsDisabled_ = false;
    bool editsDisabled_ = false;
    bool deletesDisabled_ = false;
    std::uint32_t changeCount_ = 0;
    std::vector<Cursor*> cursors_;
    // The latest detailed text of each failure status.
    mutable std::array<std::string, kStatusKinds> texts_;
};

}  // namespace dsengine
