#pragma once
// The contract between the record set and its storage engine, libdsengine.so.
//
// The engine is a separate shared library with one exported C entry point,
// `DSCreateObject`, that creates its objects: a record store (the schema and
// the records of one data packet) and cursors on that store. The record set
// reaches the engine only through the two abstract classes below; nothing of
// the engine's own headers is visible to it. Qt-free on purpose.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dsengine {

// Result of an engine call. Zero is success; the two positive values are the
// "no more records" reports of a cursor, which are not failures; negative
// values are failures whose text IRecordStore::statusText() gives.
using Status = std::int32_t;
inline constexpr Status kOk = 0;
inline constexpr Status kBof = 1;  // no prior record: the cursor is before the first
inline constexpr Status kEof = 2;  // no next record: the cursor is after the last

// Column types as the packet stores them.
inline constexpr std::uint16_t kTypeString = 0x49;  // width 1; maximum length in the WIDTH parameter
inline constexpr std::uint16_t kTypeInt32 = 1;      // width 4, signed
inline constexpr std::uint16_t kTypeBoolean = 3;    // width 2, 0 false, any other value true

struct ColumnDesc {
    std::string name;
    std::uint16_t type = 0;
    std::uint16_t width = 0;       // the descriptor's width word
    std::uint16_t attributes = 0;  // the descriptor's attribute bits
    std::uint32_t size = 0;        // value size in bytes: 4, 2, or a string's maximum length
};

// One field value as it crosses the interface. `integer` carries integer
// columns and Boolean columns (as their 16-bit number); `bytes` carries string
// columns, byte for byte.
struct FieldValue {
    bool null = true;
    std::int32_t integer = 0;
    std::string bytes;
};

// Opaque, stable identity of a stored record; valid until that record is deleted.
using Bookmark = std::uint64_t;

// A position in a record store. It stands on a record, or on the crack before
// the first record (beginning) or after the last (end). It keeps standing on
// its record when another cursor of the same store inserts or deletes; when
// its own record is deleted it moves to the record that followed, or the end.
class ICursor {
public:
    virtual ~ICursor() = default;

    virtual void moveToBeginning() = 0;
    virtual void moveToEnd() = 0;
    // 1-based; fails when the position does not exist.
    virtual Status moveToPosition(std::uint32_t position) = 0;
    virtual Status moveToBookmark(Bookmark bookmark) = 0;
    // kBof or kEof when the cursor stands on a crack.
    virtual Status getBookmark(Bookmark* bookmark) const = 0;

    // Copies the record under the cursor into `buffer` (recordSize() bytes).
    // kBof or kEof when the cursor stands on a crack.
    virtual Status getCurrentRecord(std::uint8_t* buffer) const = 0;
    // Move one record, then copy it. At the end (beginning) the cursor stays on
    // the crack and the result is kEof (kBof); the buffer is left alone.
    virtual Status getNextRecord(std::uint8_t* buffer) = 0;
    virtual Status getPriorRecord(std::uint8_t* buffer) = 0;

    // Stores `buffer` as a new record before the one under the cursor (after
    // the last when the cursor is at the end); the new record becomes current.
    virtual Status insertRecord(const std::uint8_t* buffer) = 0;
    // Replaces the record under the cursor.
    virtual Status modifyRecord(const std::uint8_t* buffer) = 0;
    // Removes the record under the cursor; the cursor then stands on the
    // record that followed it, or at the end.
    virtual Status deleteRecord() = 0;

    virtual std::uint32_t recordCount() const = 0;
    // 1-based position of the current record; 0 on a crack.
    virtual std::uint32_t positionNumber() const = 0;
};

// The records of one data packet and their schema.
class IRecordStore {
public:
    virtual ~IRecordStore() = default;

    // Takes a complete data packet; rejects a malformed one with a status
    // whose text says what is wrong. Never reads outside [data, data + size).
    virtual Status loadPacket(const std::uint8_t* data, std::size_t size) = 0;

    virtual std::size_t columnCount() const = 0;
    virtual const ColumnDesc& column(std::size_t index) const = 0;
    // Looks up one of the packet's own parameters by name (for example
    // "DISABLE_EDITS"), ignoring ASCII case; false when the packet does not
    // have it. The engine itself refuses the changes that a non-zero
    // DISABLE_INSERTS, DISABLE_EDITS or DISABLE_DELETES forbids.
    virtual bool findParameter(std::string_view name, std::int64_t* value) const = 0;
    // True when the packet's READ_ONLY parameter is non-zero; the engine then
    // refuses every insert, modification and delete.
    virtual bool readOnly() const = 0;

    // Record buffers are recordSize() bytes that only the engine interprets.
    virtual std::size_t recordSize() const = 0;
    // Every field null.
    virtual void initRecord(std::uint8_t* buffer) const = 0;
    virtual Status getField(const std::uint8_t* buffer, std::size_t column,
                            FieldValue* value) const = 0;
    // Checks, then stores; a value that fails the check leaves the buffer
    // unchanged. A string may not exceed the column's size; a Boolean's number
    // must fit in 16 bits (-32768 to 65535, stored as its low 16 bits).
    virtual Status putField(std::uint8_t* buffer, std::size_t column,
                            const FieldValue& value) const = 0;
    virtual Status checkField(std::size_t column, const FieldValue& value) const = 0;

    // Number of changes logged since the packet was loaded: posted inserts,
    // posted modifications and deletes.
    virtual std::uint32_t changeCount() const = 0;

    // The message for a failure status, at most 2048 characters: the detailed
    // text of the latest failure that returned this status.
    virtual std::string statusText(Status status) const = 0;
};

// The entry point. kind kObjectRecordStore creates an empty record store
// (`base` unused); kind kObjectCursor creates a cursor on the record store
// given as `base`, which must have a packet loaded. `base` is the store's
// IRecordStore* and `*object` receives an IRecordStore* or ICursor*, each
// converted to void*. The caller owns the object and deletes it through its
// interface, cursors before their store (a cursor left over fails its calls).
inline constexpr std::uint32_t kObjectRecordStore = 1;
inline constexpr std::uint32_t kObjectCursor = 2;
inline constexpr const char* kEntryPointName = "DSCreateObject";
inline constexpr const char* kLibraryName = "libdsengine.so";
using CreateObjectFn = Status (*)(std::uint32_t kind, void* base, void** object);

}  // namespace dsengine

extern "C" dsengine::Status DSCreateObject(std::uint32_t kind, void* base, void** object);
