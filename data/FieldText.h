#pragma once
// The texts of field values and the conversions of texts written into fields.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace fieldtext {

// An integer text: optional leading blanks, an optional "+" or "-", then
// either decimal digits within the 32-bit signed range, or hexadecimal digits
// after "$", "x", "X", "0x" or "0X" whose value fits in 32 bits and is taken as
// a 32-bit pattern (so "$FFFFFFFF" is -1). Nothing may follow the digits.
// nullopt when the text is none of these (the empty text included).
std::optional<std::int32_t> parseInteger(std::string_view text);

// A Boolean text: "False" when the text equals, ignoring case, as many leading
// characters of "False" as it has; else "True" by the same rule; else nullopt
// (the empty text included).
std::optional<bool> parseBoolean(std::string_view text);

// The longest start of a UTF-8 text that takes at most `maxBytes` bytes and
// does not split a character. Bytes that are not valid UTF-8 count as one
// character each.
std::string_view cutToBytes(std::string_view text, std::size_t maxBytes);

inline constexpr std::string_view kTrueText = "True";
inline constexpr std::string_view kFalseText = "False";

}  // namespace fieldtext
