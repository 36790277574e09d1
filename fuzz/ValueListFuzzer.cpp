// Matches arbitrary texts against arbitrary value lists (the ";"-separated
// alternatives of a check-box column or a field-bound check box). Input: the
// text, a line feed, then the value list.
//
// Properties:
//  - the first alternative of a list that is not empty matches that list;
//  - an empty list matches nothing;
//  - adding alternatives never loses a match, and a text that is an
//    alternative of its own (no ";", nothing to trim) matches once added;
//  - ASCII case never matters, on either side;
//  - a list of one alternative matches the same texts as that alternative.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/CheckState.h"
#include "fuzz/FuzzCheck.h"

namespace {

std::string asciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// A text that a list can hold as one alternative exactly as it is.
bool standsAlone(std::string_view text) {
    return !text.empty() && text.find(';') == std::string_view::npos && !isBlank(text.front()) &&
           !isBlank(text.back());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string_view text = input.substr(0, split);
    const std::string_view list =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const bool matches = matchesValueList(text, list);
    const std::string first = firstAlternative(list);

    if (list.empty()) {
        FUZZ_CHECK(!matches);
        FUZZ_CHECK(first.empty());
    } else {
        FUZZ_CHECK_MSG(matchesValueList(first, list), "first alternative '" + first + "'");
    }
    FUZZ_CHECK(first.empty() || (!isBlank(first.front()) && !isBlank(first.back())));
    FUZZ_CHECK(first.find(';') == std::string::npos);
    FUZZ_CHECK(list.find(first) != std::string_view::npos);

    const std::string extended = std::string(list) + ";" + std::string(text);
    FUZZ_CHECK(!matches || matchesValueList(text, extended));
    if (standsAlone(text)) {
        FUZZ_CHECK(matchesValueList(text, extended));
        FUZZ_CHECK(matchesValueList(text, text));
        FUZZ_CHECK(matchesValueList(text, " " + std::string(text) + " ;"));
        // A list of one alternative matches what that alternative matches.
        if (standsAlone(list)) {
            FUZZ_CHECK(matches == matchesValueList(list, text));
        }
    }

    FUZZ_CHECK(matchesValueList(asciiUpper(text), list) == matches);
    FUZZ_CHECK(matchesValueList(asciiLower(text), list) == matches);
    FUZZ_CHECK(matchesValueList(text, asciiUpper(list)) == matches);
    FUZZ_CHECK(firstAlternative(asciiUpper(list)) == asciiUpper(first));
    return 0;
}
