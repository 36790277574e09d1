#pragma once
// The data packet format: a record set's schema, its parameters and its
// records in one byte string. All numbers are little-endian.
//
// Header, 24 bytes:
//   0  4  signature 96 19 E0 BD
//   4  4  format version, 1
//   8  4  offset of the first column descriptor (24, or more when a later
//         version adds header words; extra header bytes are skipped)
//  12  2  number of column descriptors, at least 1
//  14  4  number of records
//  18  4  reserved, written as 3 and not interpreted
//  22  2  length of the packet's metadata: header, column descriptors and set
//         parameters; the records start here. In a packet without records it
//         is the length of the whole packet.
// Column descriptor:
//   1-byte name length (1 to 255), the name (no control characters), 16-bit
//   width, 16-bit type, 16-bit attributes, 16-bit parameter count, parameters.
//   Types: 1 = 32-bit signed integer (width 4), 3 = Boolean (width 2, a 16-bit
//   number, 0 false), 0x49 = string (width 1; its maximum length in bytes is
//   the column's WIDTH parameter, 1 to 65535).
// Parameter (of a column, or of the whole set):
//   1-byte name length (1 to 255), the name, 16-bit value width in bytes (1,
//   2, 4 or 8), 16-bit value type (1 signed integer, 2 unsigned integer), the
//   value in that many bytes. An unsigned 8-byte value must fit in 63 bits.
// After the descriptors: a 16-bit count of set parameters and the parameters.
// Set parameters the engine understands: READ_ONLY, DISABLE_INSERTS,
// DISABLE_EDITS, DISABLE_DELETES (each non-zero means "on").
//
// Records, from the metadata length on, each:
//   the null flags, (columns + 7) / 8 bytes, bit c % 8 of byte c / 8 set when
//   column c is null (the bits past the last column are zero), then for each
//   column that is not null, in column order: a 32-bit integer as 4 bytes, a
//   Boolean as its 16-bit number, a string as a 16-bit length (at most the
//   column's maximum) and that many bytes.
// The records end exactly at the end of the packet.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/EngineApi.h"
#include "engine/ByteReader.h"
#include "engine/RecordLayout.h"

namespace dsengine {

inline constexpr std::uint8_t kPacketSignature[4] = {0x96, 0x19, 0xE0, 0xBD};
inline constexpr std::uint32_t kPacketVersion = 1;
inline constexpr std::uint32_t kPacketReservedWord = 3;
inline constexpr std::size_t kPacketHeaderSize = 24;

inline constexpr std::uint16_t kValueSigned = 1;
inline constexpr std::uint16_t kValueUnsigned = 2;

struct PacketParameter {
    std::string name;
    std::int64_t value = 0;
    std::uint16_t valueWidth = 2;  // bytes
    std::uint16_t valueType = kValueUnsigned;
};

struct PacketColumn {
    ColumnDesc desc;
    std::vector<PacketParameter> parameters;  // WIDTH of a string included
};

struct PacketMetadata {
    std::vector<PacketColumn> columns;
    std::vector<PacketParameter> parameters;  // of the whole set
    std::uint32_t recordCount = 0;
    std::size_t recordsOffset = 0;  // where the records start
};

// Reads and checks everything before the records. On failure `error` says
// what is wrong and where.
bool readPacketMetadata(const std::uint8_t* data, std::size_t size, PacketMetadata* metadata,
                        std::string* error);

// Reads one record in packet encoding into a record buffer (recordSize()
// bytes). On failure `error` says what is wrong; the buffer is then undefined.
bool readPacketRecord(ByteReader& reader, const RecordLayout& layout, std::uint8_t* buffer,
                      std::string* error);

// Appends one record buffer in packet encoding.
void writePacketRecord(const RecordLayout& layout, const std::uint8_t* buffer,
                       std::vector<std::uint8_t>* out);

const PacketParameter* findPacketParameter(const std::vector<PacketParameter>& parameters,
                                           std::string_view name);

// Builds a packet from a schema, set parameters and records given as field
// values. Column descriptors get the width word their type needs and, for a
// string, a WIDTH parameter from `size`. Fails with `error` set when a value
// does not fit its column or the metadata outgrows the 16-bit length word.
class PacketWriter {
public:
    void addColumn(const ColumnDesc& column, std::vector<PacketParameter> extraParameters = {});
    void addParameter(PacketParameter parameter);
    void addRecord(std::vector<FieldValue> fields);

    bool write(std::vector<std::uint8_t>* packet, std::string* error) const;

private:
    std::vector<PacketColumn> columns_;
    std::vector<PacketParameter> parameters_;
    std::vector<std::vector<FieldValue>> records_;
};

// Writes the metadata part of a packet (everything before the records).
bool writePacketMetadata(const std::vector<PacketColumn>& columns,
                         const std::vector<PacketParameter>& parameters, std::uint32_t recordCount,
                         std::vector<std::uint8_t>* out, std::string* error);

}  // namespace dsengine
