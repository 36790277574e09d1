#include "engine/Packet.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "engine/EngineStatus.h"

namespace dsengine {
namespace {

constexpr std::size_t kLengthWordOffset = 22;

std::string offsetText(std::size_t offset) {
    return "offset " + std::to_string(offset);
}

bool sameNameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

// Reads the metadata part of a packet, stopping at the first fault with a
// message that names the item, its offset and what is wrong with it.
class MetadataReader {
public:
    MetadataReader(const std::uint8_t* data, std::size_t metadataEnd, std::size_t start)
        : reader_(data, metadataEnd, start) {}

    const std::string& error() const { return error_; }
    std::size_t offset() const { return reader_.offset(); }

    bool readColumn(std::size_t index, std::size_t count, PacketColumn* column) {
        context_ = "column " + std::to_string(index + 1) + " of " + std::to_string(count) + " at " +
                   offsetText(reader_.offset());
        std::string name;
        if (!readName("the name", &name)) {
            return false;
        }
        context_ = "column " + std::to_string(index + 1) + " of " + std::to_string(count) + " (" +
                   quoted(name) + ")";
        if (!need(8, "the width, type, attributes and parameter count")) {
            return false;
        }
        column->desc.name = std::move(name);
        column->desc.width = reader_.u16();
        column->desc.type = reader_.u16();
        column->desc.attributes = reader_.u16();
        const std::uint16_t parameterCount = reader_.u16();

        std::uint16_t expectedWidth = 0;
        switch (column->desc.type) {
            case kTypeInt32:
                expectedWidth = 4;
                break;
            case kTypeBoolean:
                expectedWidth = 2;
                break;
            case kTypeString:
                expectedWidth = 1;
                break;
            default: {
                char hex[16];
                std::snprintf(hex, sizeof hex, "0x%02X", column->desc.type);
                return fail(std::string("has the unknown type ") + hex);
            }
        }
        if (column->desc.width != expectedWidth) {
            return fail("is of type " + typeName(column->desc.type) + " but has width " +
                        std::to_string(column->desc.width) + "; that type has width " +
                        std::to_string(expectedWidth));
        }
        const std::string columnContext = context_;
        if (!readParameters(parameterCount, "parameter", &column->parameters)) {
            return false;
        }
        context_ = columnContext;

        if (column->desc.type == kTypeString) {
            const PacketParameter* width = findPacketParameter(column->parameters, "WIDTH");
            if (width == nullptr) {
                return fail("is a string column without a WIDTH parameter");
            }
            if (width->value < 1 || width->value > kMaxStringSize) {
                return fail("has the string WIDTH " + std::to_string(width->value) +
                            "; it must be 1 to " + std::to_string(kMaxStringSize));
            }
            column->desc.size = static_cast<std::uint32_t>(width->value);
        } else {
            column->desc.size = column->desc.width;
        }
        return true;
    }

    bool readSetParameters(std::vector<PacketParameter>* parameters) {
        context_ = "the set parameters";
        if (!need(2, "the count")) {
            return false;
        }
        const std::uint16_t count = reader_.u16();
        context_.clear();
        return readParameters(count, "set parameter", parameters);
    }

private:
    bool fail(const std::string& problem) {
        error_ = "Invalid data packet: " + context_ + " " + problem;
        return false;
    }

    bool need(std::size_t bytes, const std::string& what) {
        if (reader_.fits(bytes)) {
            return true;
        }
        error_ = "Invalid data packet: " + context_ + ": " + what + " (" + counted(bytes, "byte") +
                 " at " + offsetText(reader_.offset()) + ") runs past the end of the metadata at " +
                 offsetText(reader_.end()) + ", which the length word at offset 22 gives";
        return false;
    }

    bool readName(const std::string& what, std::string* name) {
        if (!need(1, what + " length")) {
            return false;
        }
        const std::uint8_t length = reader_.u8();
        if (length == 0) {
            return fail("has an empty name");
        }
        if (!need(length, what)) {
            return false;
        }
        const std::string_view bytes = reader_.bytes(length);
        for (unsigned char c : bytes) {
            if (c < 0x20 || c == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "0x%02X", c);
                return fail("has a name with the control character " + std::string(hex) + ": " +
                            quoted(bytes));
            }
        }
        name->assign(bytes);
        return true;
    }

    bool readParameters(std::uint16_t count, const std::string& kind,
                        std::vector<PacketParameter>* parameters) {
        const std::string owner = context_.empty() ? std::string() : context_ + ", ";
        for (std::uint16_t index = 0; index < count; ++index) {
            context_ = owner + kind + " " + std::to_string(index + 1) + " of " +
                       std::to_string(count) + " at " + offsetText(reader_.offset());
            PacketParameter parameter;
            if (!readName("the name", &parameter.name)) {
                return false;
            }
            context_ = owner + kind + " " + quoted(parameter.name);
            for (const PacketParameter& earlier : *parameters) {
                if (sameNameIgnoringAsciiCase(earlier.name, parameter.name)) {
                    return fail("appears twice");
                }
            }
            if (!need(4, "the value width and type")) {
                return false;
            }
            parameter.valueWidth = reader_.u16();
            parameter.valueType = reader_.u16();
            const std::uint16_t width = parameter.valueWidth;
            if (width != 1 && width != 2 && width != 4 && width != 8) {
                return fail("has the value width " + std::to_string(width) +
                            "; a value is 1, 2, 4 or 8 bytes");
            }
            if (parameter.valueType != kValueSigned && parameter.valueType != kValueUnsigned) {
                return fail("has the unknown value type " + std::to_string(parameter.valueType) +
                            "; known are 1 (signed) and 2 (unsigned)");
            }
            if (!need(width, "the value")) {
                return false;
            }
            std::uint64_t raw = 0;
            switch (width) {
                case 1:
                    raw = reader_.u8();
                    break;
                case 2:
                    raw = reader_.u16();
                    break;
                case 4:
                    raw = reader_.u32();
                    break;
                default:
                    raw = reader_.u64();
                    break;
            }
            if (parameter.valueType == kValueSigned) {
                // Sign-extend from the value's width.
                const unsigned shift = 64 - 8 * width;
                parameter.value = static_cast<std::int64_t>(raw << shift) >> shift;
            } else {
                if (raw > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
                    return fail("has an unsigned value that does not fit in 63 bits");
                }
                parameter.value = static_cast<std::int64_t>(raw);
            }
            parameters->push_back(std::move(parameter));
        }
        return true;
    }

    ByteReader reader_;
    std::string context_;
    std::string error_;
};

std::string hexBytes(const std::uint8_t* data, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", data[i]);
        if (i != 0) {
            text += ' ';
        }
        text += hex;
    }
    return text;
}

void putU16(std::vector<std::uint8_t>* out, std::uint16_t value) {
    out->push_back(static_cast<std::uint8_t>(value));
    out->push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(std::vector<std::uint8_t>* out, std::uint32_t value) {
    putU16(out, static_cast<std::uint16_t>(value));
    putU16(out, static_cast<std::uint16_t>(value >> 16));
}

void putName(std::vector<std::uint8_t>* out, const std::string& name) {
    out->push_back(static_cast<std::uint8_t>(name.size()));
    out->insert(out->end(), name.begin(), name.end());
}

std::string checkName(const std::string& name, const std::string& what) {
    if (name.empty() || name.size() > 255) {
        return what + " " + quoted(name) + " must be 1 to 255 bytes long";
    }
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) {
            return what + " " + quoted(name) + " contains a control character";
        }
    }
    return {};
}

bool writeParameter(std::vector<std::uint8_t>* out, const PacketParameter& parameter,
                    std::string* error) {
    if (std::string problem = checkName(parameter.name, "The parameter name"); !problem.empty()) {
        *error = problem;
        return false;
    }
    const std::uint16_t width = parameter.valueWidth;
    if (width != 1 && width != 2 && width != 4 && width != 8) {
        *error = "The parameter " + quoted(parameter.name) + " has the value width " +
                 std::to_string(width) + "; a value is 1, 2, 4 or 8 bytes";
        return false;
    }
    if (parameter.valueType != kValueSigned && parameter.valueType != kValueUnsigned) {
        *error = "The parameter " + quoted(parameter.name) + " has the unknown value type " +
                 std::to_string(parameter.valueType);
        return false;
    }
    const std::int64_t value = parameter.value;
    bool fits = true;
    if (width < 8) {
        const std::int64_t bits = 8 * width;
        if (parameter.valueType == kValueUnsigned) {
            fits = value >= 0 && value < (std::int64_t{1} << bits);
        } else {
            fits = value >= -(std::int64_t{1} << (bits - 1)) &&
                   value < (std::int64_t{1} << (bits - 1));
        }
    } else if (parameter.valueType == kValueUnsigned) {
        fits = value >= 0;
    }
    if (!fits) {
        *error = "The value " + std::to_string(value) + " of the parameter " +
                 quoted(parameter.name) + " does not fit in its " + counted(width, "byte");
        return false;
    }
    putName(out, parameter.name);
    putU16(out, width);
    putU16(out, parameter.valueType);
    const std::uint64_t raw = static_cast<std::uint64_t>(value);
    for (std::uint16_t i = 0; i < width; ++i) {
        out->push_back(static_cast<std::uint8_t>(raw >> (8 * i)));
    }
    return true;
}

}  // namespace

const PacketParameter* findPacketParameter(const std::vector<PacketParameter>& parameters,
                                           std::string_view name) {
    for (const PacketParameter& parameter : parameters) {
        if (sameNameIgnoringAsciiCase(parameter.name, name)) {
            return &parameter;
        }
    }
    return nullptr;
}

bool readPacketMetadata(const std::uint8_t* data, std::size_t size, PacketMetadata* metadata,
                        std::string* error) {
    const std::string prefix = "Invalid data packet: ";
    if (data == nullptr && size != 0) {
        *error = prefix + "no packet bytes were given";
        return false;
    }
    const std::size_t signatureBytes = std::min<std::size_t>(size, 4);
    if (size == 0 || !std::equal(data, data + signatureBytes, kPacketSignature)) {
        *error = prefix + "wrong signature " +
                 (size == 0 ? std::string("(no bytes)") : hexBytes(data, signatureBytes)) +
                 ", expected " + hexBytes(kPacketSignature, 4);
        return false;
    }
    if (size < kPacketHeaderSize) {
        *error = prefix + "the packet is " + counted(size, "byte") +
                 " long, too short for its 24-byte header";
        return false;
    }
    ByteReader header(data, kPacketHeaderSize, 4);
    const std::uint32_t version = header.u32();
    const std::uint32_t descriptorOffset = header.u32();
    const std::uint16_t columnCount = header.u16();
    const std::uint32_t recordCount = header.u32();
    header.u32();  // reserved
    const std::uint16_t metadataLength = header.u16();

    if (version != kPacketVersion) {
        *error = prefix + "unsupported format version " + std::to_string(version) +
                 " at offset 4; this engine reads version " + std::to_string(kPacketVersion);
        return false;
    }
    if (metadataLength < kPacketHeaderSize) {
        *error = prefix + "the length word at offset 22 gives " + std::to_string(metadataLength) +
                 " bytes, less than the 24-byte header";
        return false;
    }
    if (metadataLength > size) {
        *error = prefix + "the length word at offset 22 gives " + std::to_string(metadataLength) +
                 " bytes, but the packet is only " + counted(size, "byte") + " long";
        return false;
    }
    if (recordCount == 0 && metadataLength != size) {
        *error = prefix + "the length word at offset 22 gives " + std::to_string(metadataLength) +
                 " bytes, but the packet is " + counted(size, "byte") +
                 " long and declares no records";
        return false;
    }
    if (recordCount != 0 && metadataLength == size) {
        *error = prefix + "the packet declares " + counted(recordCount, "record") +
                 ", but it ends with its metadata at offset " + std::to_string(metadataLength);
        return false;
    }
    if (descriptorOffset < kPacketHeaderSize || descriptorOffset > metadataLength) {
        *error = prefix + "the column descriptors are said to start at offset " +
                 std::to_string(descriptorOffset) + " (the word at offset 8), outside " +
                 "the metadata from 24 to " + std::to_string(metadataLength);
        return false;
    }
    if (columnCount == 0) {
        *error = prefix + "the packet declares no columns (the count at offset 12 is 0)";
        return false;
    }

    PacketMetadata result;
    result.recordCount = recordCount;
    result.recordsOffset = metadataLength;
    MetadataReader reader(data, metadataLength, descriptorOffset);
    result.columns.reserve(std::min<std::size_t>(columnCount, metadataLength / 10));
    for (std::size_t index = 0; index < columnCount; ++index) {
        PacketColumn column;
        if (!reader.readColumn(index, columnCount, &column)) {
            *error = reader.error();
            return false;
        }
        for (const PacketColumn& earlier : result.columns) {
            if (sameNameIgnoringAsciiCase(earlier.desc.name, column.desc.name)) {
                *error = prefix + "column " + std::to_string(index + 1) + " of " +
                         std::to_string(columnCount) + " repeats the name " +
                         quoted(column.desc.name);
                return false;
            }
        }
        result.columns.push_back(std::move(column));
    }
    if (!reader.readSetParameters(&result.parameters)) {
        *error = reader.error();
        return false;
    }
    if (reader.offset() != metadataLength) {
        *error = prefix + counted(metadataLength - reader.offset(), "byte") +
                 " of unexpected data after the set parameters at offset " +
                 std::to_string(reader.offset()) + "; the length word at offset 22 gives " +
                 std::to_string(metadataLength) + " bytes of metadata";
        return false;
    }
    *metadata = std::move(result);
    return true;
}

bool readPacketRecord(ByteReader& reader, const RecordLayout& layout, std::uint8_t* buffer,
                      std::string* error) {
    auto overrun = [&](const std::string& what, std::size_t bytes) {
        *error = "needs " + counted(bytes, "byte") + " for " + what + " at offset " +
                 std::to_string(reader.offset()) + ", but the packet ends at offset " +
                 std::to_string(reader.end());
        return false;
    };
    const std::size_t nullBytes = layout.nullBytes();
    if (!reader.fits(nullBytes)) {
        return overrun("its null flags", nullBytes);
    }
    layout.init(buffer);
    const std::string_view flags = reader.bytes(nullBytes);
    const std::size_t columns = layout.columnCount();
    const std::size_t unusedBits = nullBytes * 8 - columns;
    if (unusedBits != 0) {
        const std::uint8_t last = static_cast<std::uint8_t>(flags[nullBytes - 1]);
        if ((last >> (8 - unusedBits)) != 0) {
            *error = "sets null flags for columns the packet does not have";
            return false;
        }
    }
    FieldValue value;
    for (std::size_t column = 0; column < columns; ++column) {
        const bool null = (static_cast<std::uint8_t>(flags[column / 8]) >> (column % 8)) & 1;
        if (null) {
            continue;
        }
        const std::string what = "column " + quoted(layout.name(column));
        value.null = false;
        value.bytes.clear();
        value.integer = 0;
        switch (layout.type(column)) {
            case kTypeInt32:
                if (!reader.fits(4)) {
                    return overrun(what, 4);
                }
                value.integer = static_cast<std::int32_t>(reader.u32());
                break;
            case kTypeBoolean:
                if (!reader.fits(2)) {
                    return overrun(what, 2);
                }
                value.integer = reader.u16();
                break;
            default: {
                if (!reader.fits(2)) {
                    return overrun("the string length of " + what, 2);
                }
                const std::uint16_t length = reader.u16();
                if (length > layout.size(column)) {
                    *error = "holds a " + std::to_string(length) + "-byte string in " + what +
                             ", longer than its maximum of " + std::to_string(layout.size(column)) +
                             " bytes";
                    return false;
                }
                if (!reader.fits(length)) {
                    return overrun("the string of " + what, length);
                }
                value.bytes.assign(reader.bytes(length));
                break;
            }
        }
        layout.put(buffer, column, value);
    }
    return true;
}

void writePacketRecord(const RecordLayout& layout, const std::uint8_t* buffer,
                       std::vector<std::uint8_t>* out) {
    const std::size_t columns = layout.columnCount();
    const std::size_t flagsAt = out->size();
    out->resize(flagsAt + layout.nullBytes(), 0);
    for (std::size_t column = 0; column < columns; ++column) {
        if (layout.isNull(buffer, column)) {
            (*out)[flagsAt + column / 8] |= static_cast<std::uint8_t>(1u << (column % 8));
            continue;
        }
        switch (layout.type(column)) {
            case kTypeInt32:
                putU32(out, static_cast<std::uint32_t>(layout.integerAt(buffer, column)));
                break;
            case kTypeBoolean:
                putU16(out, static_cast<std::uint16_t>(layout.integerAt(buffer, column)));
                break;
            default: {
                const std::string_view text = layout.stringAt(buffer, column);
                putU16(out, static_cast<std::uint16_t>(text.size()));
                out->insert(out->end(), text.begin(), text.end());
                break;
            }
        }
    }
}

bool writePacketMetadata(const std::vector<PacketColumn>& columns,
                         const std::vector<PacketParameter>& parameters, std::uint32_t recordCount,
                         std::vector<std::uint8_t>* out, std::string* error) {
    if (columns.empty() || columns.size() > 0xFFFF) {
        *error = "A packet has 1 to 65535 columns, not " + std::to_string(columns.size());
        return false;
    }
    if (parameters.size() > 0xFFFF) {
        *error = "A packet has at most 65535 set parameters";
        return false;
    }
    std::vector<std::uint8_t> bytes(kPacketSignature, kPacketSignature + 4);
    putU32(&bytes, kPacketVersion);
    putU32(&bytes, static_cast<std::uint32_t>(kPacketHeaderSize));
    putU16(&bytes, static_cast<std::uint16_t>(columns.size()));
    putU32(&bytes, recordCount);
    putU32(&bytes, kPacketReservedWord);
    putU16(&bytes, 0);  // the metadata length, filled in below
    for (const PacketColumn& column : columns) {
        if (std::string problem = checkName(column.desc.name, "The column name");
            !problem.empty()) {
            *error = problem;
            return false;
        }
        std::uint16_t width = 0;
        switch (column.desc.type) {
            case kTypeInt32:
                width = 4;
                break;
            case kTypeBoolean:
                width = 2;
                break;
            case kTypeString:
                width = 1;
                break;
            default:
                *error = "The column " + quoted(column.desc.name) + " has the unknown type " +
                         std::to_string(column.desc.type);
                return false;
        }
        if (column.parameters.size() > 0xFFFF) {
            *error = "The column " + quoted(column.desc.name) + " has too many parameters";
            return false;
        }
        putName(&bytes, column.desc.name);
        putU16(&bytes, width);
        putU16(&bytes, column.desc.type);
        putU16(&bytes, column.desc.attributes);
        putU16(&bytes, static_cast<std::uint16_t>(column.parameters.size()));
        for (const PacketParameter& parameter : column.parameters) {
            if (!writeParameter(&bytes, parameter, error)) {
                return false;
            }
        }
    }
    putU16(&bytes, static_cast<std::uint16_t>(parameters.size()));
    for (const PacketParameter& parameter : parameters) {
        if (!writeParameter(&bytes, parameter, error)) {
            return false;
        }
    }
    if (bytes.size() > 0xFFFF) {
        *error = "The packet's metadata takes " + std::to_string(bytes.size()) +
                 " bytes, more than its 16-bit length word can give";
        return false;
    }
    bytes[kLengthWordOffset] = static_cast<std::uint8_t>(bytes.size());
    bytes[kLengthWordOffset + 1] = static_cast<std::uint8_t>(bytes.size() >> 8);
    out->insert(out->end(), bytes.begin(), bytes.end());
    return true;
}

void PacketWriter::addColumn(const ColumnDesc& column,
                             std::vector<PacketParameter> extraParameters) {
    PacketColumn packetColumn;
    packetColumn.desc = column;
    if (column.type == kTypeString) {
        PacketParameter width;
        width.name = "WIDTH";
        width.value = column.size;
        width.valueWidth = 2;
        width.valueType = kValueUnsigned;
        packetColumn.parameters.push_back(std::move(width));
    }
    for (PacketParameter& parameter : extraParameters) {
        packetColumn.parameters.push_back(std::move(parameter));
    }
    columns_.push_back(std::move(packetColumn));
}

void PacketWriter::addParameter(PacketParameter parameter) {
    parameters_.push_back(std::move(parameter));
}

void PacketWriter::addRecord(std::vector<FieldValue> fields) {
    records_.push_back(std::move(fields));
}

bool PacketWriter::write(std::vector<std::uint8_t>* packet, std::string* error) const {
    std::vector<ColumnDesc> descs;
    for (const PacketColumn& column : columns_) {
        if (column.desc.type == kTypeString &&
            (column.desc.size < 1 || column.desc.size > kMaxStringSize)) {
            *error = "The string column " + quoted(column.desc.name) + " has the size " +
                     std::to_string(column.desc.size) + "; it must be 1 to " +
                     std::to_string(kMaxStringSize);
            return false;
        }
        descs.push_back(column.desc);
    }
    if (records_.size() > 0xFFFFFFFEu) {
        *error = "Too many records for one packet";
        return false;
    }
    std::vector<std::uint8_t> bytes;
    if (!writePacketMetadata(columns_, parameters_, static_cast<std::uint32_t>(records_.size()),
                             &bytes, error)) {
        return false;
    }
    const RecordLayout layout(descs);
    std::vector<std::uint8_t> buffer(layout.recordSize());
    for (std::size_t row = 0; row < records_.size(); ++row) {
        const std::vector<FieldValue>& fields = records_[row];
        if (fields.size() != descs.size()) {
            *error = "Record " + std::to_string(row + 1) + " has " + std::to_string(fields.size()) +
                     " fields; the packet has " + std::to_string(descs.size()) + " columns";
            return false;
        }
        layout.init(buffer.data());
        for (std::size_t column = 0; column < fields.size(); ++column) {
            if (std::string problem = layout.checkValue(column, fields[column]); !problem.empty()) {
                *error = "Record " + std::to_string(row + 1) + ": " + problem;
                return false;
            }
            layout.put(buffer.data(), column, fields[column]);
        }
        writePacketRecord(layout, buffer.data(), &bytes);
    }
    *packet = std::move(bytes);
    return true;
}

}  // namespace dsengine
