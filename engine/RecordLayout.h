#pragma once
// How one record of a schema sits in a fixed-size record buffer.
//
// A buffer starts with the null flags, one bit per column (bit c % 8 of byte
// c / 8; set means null), followed by every column's value at a fixed offset:
//   32-bit integer  4 bytes, host order
//   Boolean         2 bytes, host order, the 16-bit number as stored
//   string          a length (1 byte when the maximum is at most 255, else 2
//                   bytes, host order) and then room for the maximum length
// Buffers carry no alignment padding; values are copied in and out with
// memcpy. A null field's value bytes are zero, so that equal records have
// equal bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "data/EngineApi.h"

namespace dsengine {

// Largest maximum length of a string column.
inline constexpr std::uint32_t kMaxStringSize = 65535;

class RecordLayout {
public:
    RecordLayout() = default;
    // The columns must be valid: known types and string sizes 1 to kMaxStringSize.
    explicit RecordLayout(const std::vector<ColumnDesc>& columns);

    std::size_t recordSize() const { return recordSize_; }
    std::size_t columnCount() const { return fields_.size(); }
    std::size_t nullBytes() const { return nullBytes_; }

    void init(std::uint8_t* buffer) const;
    bool isNull(const std::uint8_t* buffer, std::size_t column) const {
        return (buffer[column / 8] >> (column % 8)) & 1;
    }

    // Empty when the value may be stored in the column, else what is wrong.
    std::string checkValue(std::size_t column, const FieldValue& value) const;
    // checkValue() without the message, for the writes that pass.
    bool valueFits(std::size_t column, const FieldValue& value) const {
        if (value.null) {
            return true;
        }
        const Field& field = fields_[column];
        switch (field.type) {
            case kTypeInt32:
                return true;
            case kTypeBoolean:
                return value.integer >= -32768 && value.integer <= 65535;
            default:
                return value.bytes.size() <= field.size;
        }
    }
    // Empty when every field of the buffer is one that put() could have
    // written, else what is wrong (a string length beyond the column's maximum).
    std::string checkBuffer(const std::uint8_t* buffer) const;
    // checkBuffer() without the message, for the records that pass.
    bool bufferValid(const std::uint8_t* buffer) const {
        for (std::size_t column = 0; column < fields_.size(); ++column) {
            if (!fieldReadable(buffer, column)) {
                return false;
            }
        }
        return true;
    }
    // The same for one field: empty when get() may read it.
    std::string checkBufferField(const std::uint8_t* buffer, std::size_t column) const {
        if (fieldReadable(buffer, column)) {
            return {};
        }
        return corruptString(buffer, fields_[column]);
    }
    // Whether get() may read the field: checkBufferField() without the message.
    bool fieldReadable(const std::uint8_t* buffer, std::size_t column) const {
        const Field& field = fields_[column];
        return field.type != kTypeString || isNull(buffer, column) ||
               stringLength(buffer, field) <= field.size;
    }

    // The buffer must pass checkBuffer() and the value checkValue(). Inline:
    // it runs for every field a record set reads.
    void get(const std::uint8_t* buffer, std::size_t column, FieldValue* value) const {
        const Field& field = fields_[column];
        value->null = isNull(buffer, column);
        value->integer = 0;
        if (value->null) {
            value->bytes.clear();
            return;
        }
        switch (field.type) {
            case kTypeInt32:
                std::memcpy(&value->integer, buffer + field.offset, 4);
                value->bytes.clear();
                break;
            case kTypeBoolean: {
                std::uint16_t number;
                std::memcpy(&number, buffer + field.offset, 2);
                value->integer = number;
                value->bytes.clear();
                break;
            }
            default:
                // clear() and append() cost less than assign(), which also
                // handles overlapping sources.
                value->bytes.clear();
                value->bytes.append(
                    reinterpret_cast<const char*>(buffer + field.offset + field.lengthBytes),
                    stringLength(buffer, field));
                break;
        }
    }
    void put(std::uint8_t* buffer, std::size_t column, const FieldValue& value) const;

    // Raw access for the packet codec; the field must not be null.
    std::int32_t integerAt(const std::uint8_t* buffer, std::size_t column) const;
    std::string_view stringAt(const std::uint8_t* buffer, std::size_t column) const;

    std::uint16_t type(std::size_t column) const { return fields_[column].type; }
    std::uint32_t size(std::size_t column) const { return fields_[column].size; }
    const std::string& name(std::size_t column) const { return fields_[column].name; }

private:
    struct Field {
        std::string name;
        std::uint32_t offset = 0;
        std::uint32_t size = 0;  // value bytes; a string's maximum length
        std::uint16_t type = 0;
        std::uint8_t lengthBytes = 0;  // strings only
    };
    void setNull(std::uint8_t* buffer, std::size_t column, bool null) const;
    std::uint32_t stringLength(const std::uint8_t* buffer, const Field& field) const {
        if (field.lengthBytes == 1) {
            return buffer[field.offset];
        }
        std::uint16_t length;
        std::memcpy(&length, buffer + field.offset, 2);
        return length;
    }
    std::string corruptString(const std::uint8_t* buffer, const Field& field) const;

    std::vector<Field> fields_;
    std::size_t nullBytes_ = 0;
    std::size_t recordSize_ = 0;
};

// The name of a column type for messages, e.g. "32-bit integer".
std::string typeName(std::uint16_t type);

}  // namespace dsengine
