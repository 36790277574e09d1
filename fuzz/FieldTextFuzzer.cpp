// Writes arbitrary texts into the window's four fields (AInt, AStr, ABoolean,
// StrShowCheck) of an open record set. Every write either succeeds or fails
// with the field's own EDatabaseError text, never anything else; a failed
// write leaves the value as it was; a written value reads back as a text that
// writes back to the same value; posting and cancelling keep what they should.
// Integer and Boolean texts are checked against grammars of their own, and
// string cuts against a strict UTF-8 reading.
//
// Input: a sequence of steps, each a selector byte followed by a text that
// runs to the next line feed. The selector's low two bits pick the field, the
// next two the step: write the text, write it as a generic value, read the
// string fields as numbers, or post (or cancel) and edit again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "data/DBErrors.h"
#include "data/Messages.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/WindowRecordSet.h"

namespace {

using Snapshot = std::vector<std::optional<std::string>>;  // nullopt: null

Snapshot snapshot(const WindowRecordSet& set) {
    Snapshot values;
    for (TField* field : set.dataSet->fields()) {
        values.push_back(field->isNull() ? std::nullopt : std::optional(field->asString()));
    }
    return values;
}

std::optional<std::string> valueOf(TField* field) {
    return field->isNull() ? std::nullopt : std::optional(field->asString());
}

bool isAscii(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
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

// What an integer text must give, read by a grammar of its own: blanks, an
// optional sign, an optional hexadecimal prefix, then digits; decimal within
// the 32-bit signed range, hexadecimal a 32-bit pattern that the sign negates.
// nullopt when the text must be refused.
std::optional<std::int32_t> expectedInteger(std::string_view text) {
    static const std::regex grammar(R"( *([+-]?)(\$|0[xX]|[xX])?([0-9A-Fa-f]+))");
    std::match_results<std::string_view::const_iterator> parts;
    if (!std::regex_match(text.begin(), text.end(), parts, grammar)) {
        return std::nullopt;
    }
    const bool negative = parts[1].str() == "-";
    const bool hex = parts[2].matched;
    std::string digits = parts[3].str();
    if (!hex && digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    if (hex) {
        if (digits.size() > 8) {
            return std::nullopt;
        }
        std::uint32_t pattern = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
        if (negative) {
            pattern = 0u - pattern;
        }
        return static_cast<std::int32_t>(pattern);
    }
    if (digits.size() > 10) {
        return std::nullopt;
    }
    const std::int64_t magnitude = std::stoll(digits);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// What a Boolean text must give when it is ASCII: a leading part of "false",
// then of "true", ignoring case; anything else fails.
std::optional<bool> asciiBooleanOutcome(std::string_view text) {
    const std::string lower = asciiLower(text);
    if (std::string_view("false").starts_with(lower)) {
        return false;
    }
    if (std::string_view("true").starts_with(lower)) {
        return true;
    }
    return std::nullopt;
}

// Length of the well-formed UTF-8 sequence at `at` (RFC 3629: no overlong
// forms, no surrogates, nothing above U+10FFFF), or 1 for any other byte.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned lead = byte(0);
    const auto follows = [&](std::size_t i, unsigned low, unsigned high) {
        return byte(i) >= low && byte(i) <= high;
    };
    if (lead >= 0xC2 && lead <= 0xDF && follows(1, 0x80, 0xBF)) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF && follows(2, 0x80, 0xBF) &&
        follows(1, lead == 0xE0 ? 0xA0 : 0x80, lead == 0xED ? 0x9F : 0xBF)) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4 && follows(2, 0x80, 0xBF) && follows(3, 0x80, 0xBF) &&
        follows(1, lead == 0xF0 ? 0x90 : 0x80, lead == 0xF4 ? 0x8F : 0xBF)) {
        return 4;
    }
    return 1;
}

// The longest start of `text` of at most `size` bytes that ends between two
// characters, a byte that is not UTF-8 counting as a character of its own.
std::size_t expectedCut(std::string_view text, std::size_t size) {
    std::size_t end = 0;
    while (end < text.size() && end + utf8Length(text, end) <= size) {
        end += utf8Length(text, end);
    }
    return end;
}

// Runs a write; returns the EDatabaseError text, or nullopt when it succeeded.
// Any other exception escapes, and libFuzzer reports it as a crash.
template <typename Write>
std::optional<std::string> errorOf(Write write) {
    try {
        write();
    } catch (const EDBClient& error) {
        FUZZ_CHECK_MSG(false, std::string("engine failure: ") + error.what());
    } catch (const EDatabaseError& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

// The expected message as what() hands it out: a C string, so a text with a
// NUL byte in it ends there.
std::string asWhat(const std::string& message) {
    return message.substr(0, message.find('\0'));
}

std::string invalidText(std::string_view pattern, std::string_view text, const TField* field) {
    return asWhat(msg::fill(pattern, {text, field->displayName()}));
}

void writeText(TField* field, std::string_view text) {
    const std::optional<std::string> before = valueOf(field);
    const std::optional<std::string> error = errorOf([&] { field->setAsString(text); });
    switch (field->dataType()) {
        case TFieldType::ftInteger: {
            if (error) {
                FUZZ_CHECK_MSG(*error == invalidText(msg::kInvalidInteger, text, field), *error);
                FUZZ_CHECK(valueOf(field) == before);
            } else if (text.empty()) {
                FUZZ_CHECK(field->isNull());
            } else {
                const std::int32_t value = field->asInteger();
                const std::string back = field->asString();
                FUZZ_CHECK(back == std::to_string(value));
                FUZZ_CHECK(!errorOf([&] { field->setAsString(back); }));
                FUZZ_CHECK(field->asInteger() == value);
            }
            if (!text.empty()) {
                const std::optional<std::int32_t> expected = expectedInteger(text);
                FUZZ_CHECK_MSG(error.has_value() == !expected.has_value(), text);
                FUZZ_CHECK_MSG(!expected || field->asInteger() == *expected, text);
            }
            break;
        }
        case TFieldType::ftBoolean: {
            if (error) {
                FUZZ_CHECK_MSG(*error == invalidText(msg::kInvalidBoolean, text, field), *error);
                FUZZ_CHECK(valueOf(field) == before);
            } else if (text.empty()) {
                FUZZ_CHECK(field->isNull());
            } else {
                const bool value = field->asBoolean();
                const std::string back = field->asString();
                FUZZ_CHECK(back == (value ? "True" : "False"));
                FUZZ_CHECK(!errorOf([&] { field->setAsString(back); }));
                FUZZ_CHECK(field->asBoolean() == value);
            }
            if (!text.empty()) {
                // No letter beyond ASCII folds to a letter of "true" or "false".
                const std::optional<bool> expected =
                    isAscii(text) ? asciiBooleanOutcome(text) : std::nullopt;
                FUZZ_CHECK_MSG(error.has_value() == !expected.has_value(), text);
                FUZZ_CHECK(!expected || field->asBoolean() == *expected);
            }
            break;
        }
        default: {
            FUZZ_CHECK_MSG(!error, *error);
            const std::string stored = field->asString();
            const std::size_t size = static_cast<std::size_t>(field->size());
            FUZZ_CHECK(text.starts_with(stored));
            FUZZ_CHECK(stored.size() <= size);
            FUZZ_CHECK_MSG(stored.size() == expectedCut(text, size), text);
            FUZZ_CHECK(field->isNull() == stored.empty());
            FUZZ_CHECK(!errorOf([&] { field->setAsString(stored); }));
            FUZZ_CHECK(field->asString() == stored);
            break;
        }
    }
}

// A text given as a generic value converts as the same text written directly,
// except that an empty text is no valid number or Boolean.
void writeGeneric(WindowRecordSet& set, TField* field, std::string_view text) {
    const Snapshot before = snapshot(set);
    const std::optional<std::string> error =
        errorOf([&] { field->setValue(Variant(std::string(text))); });
    if (error) {
        FUZZ_CHECK(field->dataType() != TFieldType::ftString);
        FUZZ_CHECK_MSG(*error == msg::fill(msg::kInvalidValue, {field->displayName()}), *error);
        FUZZ_CHECK(snapshot(set) == before);
    }
    const std::optional<std::string> generic = valueOf(field);
    const std::optional<std::string> direct = errorOf([&] { field->setAsString(text); });
    if (text.empty() && field->dataType() != TFieldType::ftString) {
        FUZZ_CHECK(error.has_value());
    } else {
        FUZZ_CHECK_MSG(error.has_value() == direct.has_value(), std::string(text));
        FUZZ_CHECK(valueOf(field) == generic);
    }
}

// A string field read as a number or a Boolean converts exactly when its text
// written into the integer (Boolean) field would.
void readAsNumbers(WindowRecordSet& set, TStringField* field) {
    if (field->isNull()) {
        FUZZ_CHECK(field->asInteger() == 0);
        FUZZ_CHECK(!field->asBoolean());
        return;
    }
    const std::string text = field->asString();
    std::int32_t number = 0;
    const std::optional<std::string> numberError = errorOf([&] { number = field->asInteger(); });
    if (numberError) {
        FUZZ_CHECK_MSG(*numberError == invalidText(msg::kInvalidInteger, text, field),
                       *numberError);
    }
    const std::optional<std::string> intoInteger = errorOf([&] { set.aInt->setAsString(text); });
    FUZZ_CHECK(numberError.has_value() == intoInteger.has_value());
    FUZZ_CHECK(numberError || set.aInt->asInteger() == number);

    bool flag = false;
    const std::optional<std::string> flagError = errorOf([&] { flag = field->asBoolean(); });
    if (flagError) {
        FUZZ_CHECK_MSG(*flagError == invalidText(msg::kInvalidBoolean, text, field), *flagError);
    }
    const std::optional<std::string> intoBoolean =
        errorOf([&] { set.aBoolean->setAsString(text); });
    FUZZ_CHECK(flagError.has_value() == intoBoolean.has_value());
    FUZZ_CHECK(flagError || set.aBoolean->asBoolean() == flag);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WindowRecordSet set;
    set.dataSet->insert();
    TField* const fields[] = {set.aInt, set.aStr, set.aBoolean, set.strShowCheck};
    std::optional<Snapshot> posted;  // the last record posted, edited since

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t at = 0;
    while (at < input.size()) {
        const auto selector = static_cast<unsigned char>(input[at++]);
        std::size_t end = input.find('\n', at);
        if (end == std::string_view::npos) {
            end = input.size();
        }
        const std::string_view text = input.substr(at, end - at);
        at = end + 1;

        TField* field = fields[selector & 3];
        switch ((selector >> 2) & 3) {
            case 0:
                writeText(field, text);
                break;
            case 1:
                writeGeneric(set, field, text);
                break;
            case 2:
                readAsNumbers(set, (selector & 1) ? set.aStr : set.strShowCheck);
                break;
            default: {
                const Snapshot before = snapshot(set);
                if (selector & 0x10) {
                    set.dataSet->post();
                    FUZZ_CHECK(set.dataSet->state() == TDataSetState::dsBrowse);
                    FUZZ_CHECK(snapshot(set) == before);
                    posted = before;
                    set.dataSet->edit();
                } else {
                    set.dataSet->cancel();
                    FUZZ_CHECK(set.dataSet->state() == TDataSetState::dsBrowse);
                    if (posted) {
                        FUZZ_CHECK(snapshot(set) == *posted);
                        set.dataSet->edit();
                    } else {
                        set.dataSet->insert();
                        FUZZ_CHECK(set.aInt->asInteger() == 1);
                        FUZZ_CHECK(set.aStr->isNull() && set.aBoolean->isNull() &&
                                   set.strShowCheck->isNull());
                    }
                }
                FUZZ_CHECK(set.dataSet->editing());
                break;
            }
        }
    }
    return 0;
}
