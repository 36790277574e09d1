#pragma once
// Helpers shared by the engine tests: the window's stored packet built byte by
// byte from its layout, record stores made from packets, and field values
// that compare and print.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "data/EngineApi.h"
#include "engine/Cursor.h"
#include "engine/EngineStatus.h"
#include "engine/Packet.h"
#include "engine/RecordStore.h"

namespace dsengine {

inline bool operator==(const FieldValue& a, const FieldValue& b) {
    if (a.null || b.null) {
        return a.null == b.null;
    }
    return a.integer == b.integer && a.bytes == b.bytes;
}

inline void PrintTo(const FieldValue& value, std::ostream* out) {
    if (value.null) {
        *out << "null";
        return;
    }
    *out << "{integer " << value.integer << ", bytes \"";
    for (unsigned char c : value.bytes) {
        if (c >= 0x20 && c < 0x7F) {
            *out << c;
        } else {
            *out << "\\x" << std::hex << int{c} << std::dec;
        }
    }
    *out << "\"}";
}

}  // namespace dsengine

namespace enginetest {

using namespace dsengine;

inline FieldValue nullValue() {
    return {};
}
inline FieldValue intValue(std::int32_t number) {
    FieldValue value;
    value.null = false;
    value.integer = number;
    return value;
}
inline FieldValue textValue(std::string bytes) {
    FieldValue value;
    value.null = false;
    value.bytes = std::move(bytes);
    return value;
}

// Appends little-endian numbers and length-prefixed names.
class Bytes {
public:
    Bytes& u8(std::uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    Bytes& u16(std::uint16_t value) { return u8(value & 0xFF).u8(value >> 8); }
    Bytes& u32(std::uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
    Bytes& name(const std::string& text) {
        u8(static_cast<std::uint8_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// The window's stored packet for ClientDataSet1 (114 bytes), laid out field by
// field as the record set's description gives it.
inline std::vector<std::uint8_t> storedPacket() {
    Bytes b;
    b.u8(0x96).u8(0x19).u8(0xE0).u8(0xBD);  // signature
    b.u32(1);                               // header word
    b.u32(24);                              // offset of the first descriptor
    b.u16(4);                               // columns
    b.u32(0);                               // records
    b.u32(3);                               // header word
    b.u16(114);                             // length
    EXPECT_EQ(b.size(), 24u);
    b.name("AInt").u16(4).u16(1).u16(0).u16(0);
    EXPECT_EQ(b.size(), 37u);
    b.name("AStr").u16(1).u16(0x49).u16(0).u16(1);
    b.name("WIDTH").u16(2).u16(2).u16(12);
    EXPECT_EQ(b.size(), 62u);
    b.name("ABoolean").u16(2).u16(3).u16(0).u16(0);
    EXPECT_EQ(b.size(), 79u);
    b.name("StrShowCheck").u16(1).u16(0x49).u16(0).u16(1);
    b.name("WIDTH").u16(2).u16(2).u16(2);
    EXPECT_EQ(b.size(), 112u);
    b.u16(0);  // set parameters
    EXPECT_EQ(b.size(), 114u);
    return b.bytes();
}

// The Data setting as stored with the window: a 32-bit length, then the packet.
inline std::vector<std::uint8_t> storedDataSetting() {
    const std::vector<std::uint8_t> packet = storedPacket();
    Bytes b;
    b.u32(static_cast<std::uint32_t>(packet.size()));
    std::vector<std::uint8_t> setting = b.bytes();
    setting.insert(setting.end(), packet.begin(), packet.end());
    return setting;
}

// The window's schema, for building packets with records.
inline std::vector<ColumnDesc> storedSchema() {
    return {
        {"AInt", kTypeInt32, 4, 0, 4},
        {"AStr", kTypeString, 1, 0, 12},
        {"ABoolean", kTypeBoolean, 2, 0, 2},
        {"StrShowCheck", kTypeString, 1, 0, 2},
    };
}

inline std::vector<std::uint8_t> writePacket(const std::vector<ColumnDesc>& columns,
                                             const std::vector<std::vector<FieldValue>>& rows,
                                             const std::vector<PacketParameter>& parameters = {}) {
    PacketWriter writer;
    for (const ColumnDesc& column : columns) {
        writer.addColumn(column);
    }
    for (const PacketParameter& parameter : parameters) {
        writer.addParameter(parameter);
    }
    for (const std::vector<FieldValue>& row : rows) {
        writer.addRecord(row);
    }
    std::vector<std::uint8_t> packet;
    std::string error;
    EXPECT_TRUE(writer.write(&packet, &error)) << error;
    return packet;
}

inline std::unique_ptr<RecordStore> loadStore(const std::vector<std::uint8_t>& packet) {
    auto store = std::make_unique<RecordStore>();
    const Status status = store->loadPacket(packet.data(), packet.size());
    EXPECT_EQ(status, kOk) << store->statusText(status);
    return store;
}

// Reads every field of a record buffer.
inline std::vector<FieldValue> fieldsOf(const RecordStore& store, const std::uint8_t* buffer) {
    std::vector<FieldValue> fields(store.columnCount());
    for (std::size_t column = 0; column < fields.size(); ++column) {
        const Status status = store.getField(buffer, column, &fields[column]);
        EXPECT_EQ(status, kOk) << store.statusText(status);
    }
    return fields;
}

// Builds a record buffer from field values.
inline std::vector<std::uint8_t> recordOf(const RecordStore& store,
                                          const std::vector<FieldValue>& fields) {
    std::vector<std::uint8_t> buffer(store.recordSize());
    store.initRecord(buffer.data());
    for (std::size_t column = 0; column < fields.size(); ++column) {
        const Status status = store.putField(buffer.data(), column, fields[column]);
        EXPECT_EQ(status, kOk) << store.statusText(status);
    }
    return buffer;
}

// Every record from the first to the last, read through a fresh cursor.
inline std::vector<std::vector<FieldValue>> allRecords(RecordStore& store) {
    Cursor cursor(&store);
    std::vector<std::uint8_t> buffer(store.recordSize());
    std::vector<std::vector<FieldValue>> rows;
    while (cursor.getNextRecord(buffer.data()) == kOk) {
        rows.push_back(fieldsOf(store, buffer.data()));
    }
    return rows;
}

}  // namespace enginetest
