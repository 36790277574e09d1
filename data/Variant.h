#pragma once
// A generic field value: null or a value of one of the kinds a field converts from.

#include <cstdint>
#include <string>
#include <variant>

using Variant = std::variant<std::monostate,  // null
                             bool, std::uint8_t, std::int32_t, std::int64_t, double, std::string>;

inline bool isNull(const Variant& value) { return std::holds_alternative<std::monostate>(value); }
