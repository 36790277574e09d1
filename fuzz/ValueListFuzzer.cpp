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
//  - a list of one alternative matches the same texts as that alternative;
//  - for ASCII texts and lists, the result is that of a plain reading: split
//    at ";", trim bytes up to 32, compare ignoring ASCII case.

#include <algorithm>
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

bool isAscii(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string_view trimmedOfBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The plain reading of a value list, for ASCII only. A ";" at the very end
// starts no further alternative.
bool asciiMatches(std::string_view text, std::string_view list) {
    if (list.empty()) {
        return false;
    }
    if (list.back() == ';') {
        list.remove_suffix(1);
    }
    const std::string wanted = asciiLower(text);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        if (asciiLower(trimmedOfBlanks(list.substr(start, end - start))) == wanted) {
            return true;
        }
        if (end == list.size()) {
            return false;
        }
        start = end + 1;
    }
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

    if (isAscii(text) && isAscii(list)) {
        FUZZ_CHECK(matches == asciiMatches(text, list));
    }
    FUZZ_CHECK(matchesValueList(asciiUpper(text), list) == matches);
    FUZZ_CHECK(matchesValueList(asciiLower(text), list) == matches);
    FUZZ_CHECK(matchesValueList(text, asciiUpper(list)) == matches);
    FUZZ_CHECK(firstAlternative(asciiUpper(list)) == asciiUpper(first));
    return 0;
}
