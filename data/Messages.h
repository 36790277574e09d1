#pragma once
// The texts of the record set's and the fields' errors, and the one way they
// are filled in.

#include <initializer_list>
#include <string>
#include <string_view>

namespace msg {

// Record-set errors; they carry the record set's name as a prefix.
inline constexpr std::string_view kClosedDataSet =
    "Cannot perform this operation on a closed dataset";
inline constexpr std::string_view kOpenDataSet = "Cannot perform this operation on an open dataset";
inline constexpr std::string_view kEmptyDataSet =
    "Cannot perform this operation on an empty dataset";
inline constexpr std::string_view kNotEditing = "Dataset not in edit or insert mode";
inline constexpr std::string_view kReadOnlyDataSet = "Cannot modify a read-only dataset";
inline constexpr std::string_view kApplyUpdatesFirst = "Must apply updates before refreshing data";
inline constexpr std::string_view kNoDataPacket = "Missing data provider or data packet";
inline constexpr std::string_view kEditsDisabled = "Modifications are not allowed";
inline constexpr std::string_view kInsertsDisabled = "Inserts are not allowed";
inline constexpr std::string_view kDeletesDisabled = "Deletes are not allowed";
inline constexpr std::string_view kFieldNotFound = "Field '%s' not found";
inline constexpr std::string_view kTypeMismatch =
    "Type mismatch for field '%s', expecting: %s actual: %s";
inline constexpr std::string_view kSizeMismatch =
    "Size mismatch for field '%s', expecting: %d actual: %d";

// Field errors; no prefix.
inline constexpr std::string_view kInvalidInteger =
    "'%s' is not a valid integer value for field '%s'";
inline constexpr std::string_view kInvalidBoolean =
    "'%s' is not a valid boolean value for field '%s'";
inline constexpr std::string_view kInvalidValue = "Invalid value for field '%s'";
inline constexpr std::string_view kFieldReadOnly = "Field '%s' cannot be modified";
inline constexpr std::string_view kFieldRequired = "Field '%s' must have a value";
inline constexpr std::string_view kFieldNoDataSet = "Field '%s' has no dataset";

inline constexpr std::string_view kEngineNotLoaded = "Error loading libdsengine.so";

// Replaces each "%s" or "%d" of `pattern`, in order, with the next argument.
inline std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == 's' || pattern[i + 1] == 'd') && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace msg
