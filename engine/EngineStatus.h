#pragma once
// The engine's failure statuses. Every failure is negative; the record store
// keeps the detailed text of the latest failure of each kind, so statusText()
// says exactly what went wrong rather than only which kind of failure it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/EngineApi.h"

namespace dsengine {

inline constexpr Status kErrInvalidPacket = -1;    // the packet is malformed
inline constexpr Status kErrNoPacket = -2;         // no packet loaded yet
inline constexpr Status kErrAlreadyLoaded = -3;    // a store takes one packet only
inline constexpr Status kErrColumnIndex = -4;      // no such column
inline constexpr Status kErrInvalidValue = -5;     // value does not fit the column
inline constexpr Status kErrCorruptBuffer = -6;    // a record buffer the engine cannot have written
inline constexpr Status kErrNoCurrentRecord = -7;  // the cursor stands on a crack
inline constexpr Status kErrNoSuchPosition = -8;   // position number out of range
inline constexpr Status kErrBadBookmark = -9;      // bookmark of a deleted or foreign record
inline constexpr Status kErrReadOnly = -10;        // the packet marks the set read-only
inline constexpr Status kErrInsertsDisabled = -11;
inline constexpr Status kErrEditsDisabled = -12;
inline constexpr Status kErrDeletesDisabled = -13;
inline constexpr Status kErrTooManyRecords = -14;  // positions are 32-bit
inline constexpr Status kErrOutOfMemory = -15;
inline constexpr Status kErrNullArgument = -16;
inline constexpr Status kErrStoreGone = -17;      // the cursor outlived its record store
inline constexpr Status kErrUnknownObject = -18;  // DSCreateObject: unknown kind or base

inline constexpr Status kLowestStatus = kErrUnknownObject;
inline constexpr std::size_t kStatusKinds = static_cast<std::size_t>(-kLowestStatus) + 1;

// Longest status text handed out.
inline constexpr std::size_t kMaxStatusText = 2048;

// The fixed text of a status when no detailed text was recorded for it.
std::string genericStatusText(Status status);

// Cuts a text to kMaxStatusText characters.
std::string limitStatusText(std::string text);

// "1 record", "2 records": a count with its noun.
std::string counted(std::uint64_t count, std::string_view noun);

// Quotes a name from a packet for a message; bytes that are not printable
// ASCII are written as \xNN so that a hostile packet cannot garble the text.
std::string quoted(std::string_view name);

}  // namespace dsengine
