#include "data/FieldText.h"

#include "data/TextFold.h"

namespace fieldtext {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Length of the UTF-8 sequence that starts at `at`, or 1 for a byte that does
// not start a complete, well-formed one. Well-formed excludes overlong forms,
// surrogates and values above U+10FFFF, which the second byte's range rules out.
std::size_t sequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    unsigned char low = 0x80;  // range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (at + length > text.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
            return 1;
        }
    }
    return length;
}

}  // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    bool hex = false;
    if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
        hex = true;
        at += 1;
    } else if (at + 1 < text.size() && text[at] == '0' &&
               (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        hex = true;
        at += 2;
    }
    if (at == text.size()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    if (hex) {
        for (; at < text.size(); ++at) {
            const int digit = hexDigit(text[at]);
            if (digit < 0) {
                return std::nullopt;
            }
            value = value * 16 + static_cast<std::uint64_t>(digit);
            if (value > 0xFFFFFFFFu) {
                return std::nullopt;
            }
        }
        // A 32-bit pattern; the sign negates it within 32 bits.
        auto pattern = static_cast<std::uint32_t>(value);
        if (negative) {
            pattern = 0u - pattern;
        }
        return static_cast<std::int32_t>(pattern);
    }
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    const auto magnitude = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::optional<bool> parseBoolean(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const std::size_t characters = textfold::characterCount(text);
    // Both words are ASCII, so characters and bytes coincide in them.
    if (characters <= kFalseText.size() &&
        textfold::equalsIgnoringCase(text, kFalseText.substr(0, characters))) {
        return false;
    }
    if (characters <= kTrueText.size() &&
        textfold::equalsIgnoringCase(text, kTrueText.substr(0, characters))) {
        return true;
    }
    return std::nullopt;
}

std::string_view cutToBytes(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + sequenceLength(text, end);
        if (next > maxBytes) {
            break;
        }
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace fieldtext
