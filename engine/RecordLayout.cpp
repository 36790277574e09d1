#include "engine/RecordLayout.h"

#include <cstring>

#include "engine/EngineStatus.h"

namespace dsengine {

RecordLayout::RecordLayout(const std::vector<ColumnDesc>& columns) {
    nullBytes_ = (columns.size() + 7) / 8;
    std::size_t offset = nullBytes_;
    fields_.reserve(columns.size());
    for (const ColumnDesc& column : columns) {
        Field field;
        field.name = column.name;
        field.type = column.type;
        field.offset = static_cast<std::uint32_t>(offset);
        switch (column.type) {
            case kTypeInt32:
                field.size = 4;
                break;
            case kTypeBoolean:
                field.size = 2;
                break;
            default:  // kTypeString
                field.size = column.size;
                field.lengthBytes = column.size <= 255 ? 1 : 2;
                break;
        }
        offset += field.lengthBytes + field.size;
        fields_.push_back(std::move(field));
    }
    recordSize_ = offset;
}

void RecordLayout::init(std::uint8_t* buffer) const {
    std::memset(buffer, 0, recordSize_);
    for (std::size_t column = 0; column < fields_.size(); ++column) {
        buffer[column / 8] |= static_cast<std::uint8_t>(1u << (column % 8));
    }
}

void RecordLayout::setNull(std::uint8_t* buffer, std::size_t column, bool null) const {
    const std::uint8_t bit = static_cast<std::uint8_t>(1u << (column % 8));
    if (null) {
        buffer[column / 8] |= bit;
    } else {
        buffer[column / 8] &= static_cast<std::uint8_t>(~bit);
    }
}

std::string RecordLayout::corruptString(const std::uint8_t* buffer, const Field& field) const {
    return "The record buffer is corrupt: the string in column " + quoted(field.name) + " claims " +
           std::to_string(stringLength(buffer, field)) + " bytes, more than its maximum of " +
           std::to_string(field.size);
}

std::string RecordLayout::checkValue(std::size_t column, const FieldValue& value) const {
    if (valueFits(column, value)) {
        return {};
    }
    const Field& field = fields_[column];
    switch (field.type) {
        case kTypeInt32:
            return {};
        case kTypeBoolean:
            if (value.integer < -32768 || value.integer > 65535) {
                return "The value " + std::to_string(value.integer) + " for Boolean column " +
                       quoted(field.name) + " does not fit in 16 bits";
            }
            return {};
        default:
            if (value.bytes.size() > field.size) {
                return "The value for string column " + quoted(field.name) + " is " +
                       std::to_string(value.bytes.size()) + " bytes long, longer than its " +
                       "maximum of " + std::to_string(field.size) + " bytes";
            }
            return {};
    }
}

std::string RecordLayout::checkBuffer(const std::uint8_t* buffer) const {
    if (bufferValid(buffer)) {
        return {};
    }
    for (std::size_t column = 0; column < fields_.size(); ++column) {
        const Field& field = fields_[column];
        if (field.type != kTypeString || isNull(buffer, column)) {
            continue;
        }
        if (stringLength(buffer, field) > field.size) {
            return corruptString(buffer, field);
        }
    }
    return {};
}

void RecordLayout::put(std::uint8_t* buffer, std::size_t column, const FieldValue& value) const {
    const Field& field = fields_[column];
    std::uint8_t* place = buffer + field.offset;
    std::memset(place, 0, field.lengthBytes + field.size);
    setNull(buffer, column, value.null);
    if (value.null) {
        return;
    }
    switch (field.type) {
        case kTypeInt32:
            std::memcpy(place, &value.integer, 4);
            break;
        case kTypeBoolean: {
            const std::uint16_t number = static_cast<std::uint16_t>(value.integer);
            std::memcpy(place, &number, 2);
            break;
        }
        default: {
            const std::size_t length = value.bytes.size();
            if (field.lengthBytes == 1) {
                place[0] = static_cast<std::uint8_t>(length);
            } else {
                const std::uint16_t length16 = static_cast<std::uint16_t>(length);
                std::memcpy(place, &length16, 2);
            }
            std::memcpy(place + field.lengthBytes, value.bytes.data(), length);
            break;
        }
    }
}

std::int32_t RecordLayout::integerAt(const std::uint8_t* buffer, std::size_t column) const {
    const Field& field = fields_[column];
    if (field.type == kTypeBoolean) {
        std::uint16_t number;
        std::memcpy(&number, buffer + field.offset, 2);
        return number;
    }
    std::int32_t number;
    std::memcpy(&number, buffer + field.offset, 4);
    return number;
}

std::string_view RecordLayout::stringAt(const std::uint8_t* buffer, std::size_t column) const {
    const Field& field = fields_[column];
    return {reinterpret_cast<const char*>(buffer + field.offset + field.lengthBytes),
            stringLength(buffer, field)};
}

std::string typeName(std::uint16_t type) {
    switch (type) {
        case kTypeInt32:
            return "32-bit integer";
        case kTypeBoolean:
            return "Boolean";
        case kTypeString:
            return "string";
        default:
            return "unknown";
    }
}

}  // namespace dsengine
