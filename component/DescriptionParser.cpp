#include "component/DescriptionParser.h"

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "component/Exceptions.h"

namespace {

struct Line {
    int number = 0;
    int depth = 0;  // indentation in steps of two blanks
    std::string_view content;
};

[[noreturn]] void fail(int line, const std::string& what) {
    throw EReadError("Line " + std::to_string(line) + ": " + what);
}

bool isIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isIdentifierChar(char c) {
    return isIdentifierStart(c) || (c >= '0' && c <= '9');
}

bool isIdentifier(std::string_view text) {
    if (text.empty() || !isIdentifierStart(text.front())) {
        return false;
    }
    for (char c : text) {
        if (!isIdentifierChar(c)) {
            return false;
        }
    }
    return true;
}

// Identifiers joined by dots: Font.Height.
bool isSettingName(std::string_view text) {
    while (true) {
        std::size_t dot = text.find('.');
        if (!isIdentifier(text.substr(0, dot))) {
            return false;
        }
        if (dot == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(dot + 1);
    }
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

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

// Splits the text into the lines that carry something, with their depth.
std::vector<Line> meaningfulLines(std::string_view text) {
    std::vector<Line> lines;
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        std::size_t indent = 0;
        while (indent < raw.size() && raw[indent] == ' ') {
            ++indent;
        }
        std::string_view content = trim(raw.substr(indent));
        if (content.empty() || content.front() == '#') {
            continue;
        }
        if (content.front() == '\t') {
            fail(number, "indent with blanks, not tabs");
        }
        if (indent % 2 != 0) {
            fail(number, "indentation must be a multiple of two blanks");
        }
        lines.push_back({number, static_cast<int>(indent / 2), content});
    }
    return lines;
}

// Reads one value written on a single line.
class ValueScanner {
public:
    ValueScanner(std::string_view text, int line) : text_(text), line_(line) {}

    PropertyValue scan() {
        PropertyValue value;
        value.line = line_;
        if (atEnd()) {
            fail(line_, "value missing after =");
        }
        char c = text_[pos_];
        if (c == '"') {
            value.kind = PropertyValue::Kind::String;
            value.text = scanString();
        } else if (c == '[') {
            value.kind = PropertyValue::Kind::Set;
            value.items = scanSet();
        } else if (c == '@') {
            ++pos_;
            value.kind = PropertyValue::Kind::Reference;
            value.text = scanIdentifier("a component name after @");
        } else if (c == '-' || c == '+' || (c >= '0' && c <= '9')) {
            value.kind = PropertyValue::Kind::Integer;
            value.integer = scanInteger();
        } else if (isIdentifierStart(c)) {
            value.text = scanIdentifier("a value");
            if (text_.substr(pos_, 2) == "()") {
                pos_ += 2;
                value.kind = PropertyValue::Kind::Handler;
            } else {
                value.kind = PropertyValue::Kind::Identifier;
            }
        } else {
            fail(line_, "a value expected, found " + std::string(text_.substr(pos_)));
        }
        skipBlanks();
        if (!atEnd()) {
            fail(line_, "unexpected text after the value: " + std::string(text_.substr(pos_)));
        }
        return value;
    }

    // A whole line holding one string (an entry of a list of lines).
    std::string scanStringLine() {
        if (atEnd() || text_[pos_] != '"') {
            fail(line_, "a string in double quotes expected in a list of lines");
        }
        std::string result = scanString();
        skipBlanks();
        if (!atEnd()) {
            fail(line_, "unexpected text after the string: " + std::string(text_.substr(pos_)));
        }
        return result;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }

    void skipBlanks() {
        while (!atEnd() && text_[pos_] == ' ') {
            ++pos_;
        }
    }

    std::string scanIdentifier(const char* expected) {
        std::size_t start = pos_;
        if (atEnd() || !isIdentifierStart(text_[pos_])) {
            fail(line_, std::string(expected) + " expected");
        }
        while (!atEnd() && isIdentifierChar(text_[pos_])) {
            ++pos_;
        }
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string scanString() {
        ++pos_;  // the opening quote
        std::string result;
        while (true) {
            if (atEnd()) {
                fail(line_, "string not closed: a \" is missing at its end");
            }
            char c = text_[pos_++];
            if (c == '"') {
                return result;
            }
            if (c != '\\') {
                result += c;
                continue;
            }
            if (atEnd()) {
                fail(line_, "string not closed: a \" is missing at its end");
            }
            char escape = text_[pos_++];
            switch (escape) {
                case '"':
                case '\\':
                    result += escape;
                    break;
                case 'n':
                    result += '\n';
                    break;
                case 't':
                    result += '\t';
                    break;
                case 'x': {
                    int high = pos_ < text_.size() ? hexDigit(text_[pos_]) : -1;
                    int low = pos_ + 1 < text_.size() ? hexDigit(text_[pos_ + 1]) : -1;
                    if (high < 0 || low < 0) {
                        fail(line_, "\\x in a string needs two hex digits");
                    }
                    result += static_cast<char>(high * 16 + low);
                    pos_ += 2;
                    break;
                }
                default:
                    fail(line_, std::string("unknown escape \\") + escape + " in a string");
            }
        }
    }

    std::vector<std::string> scanSet() {
        ++pos_;  // [
        std::vector<std::string> items;
        skipBlanks();
        if (!atEnd() && text_[pos_] == ']') {
            ++pos_;
            return items;
        }
        while (true) {
            skipBlanks();
            items.push_back(scanIdentifier("an identifier in the set"));
            skipBlanks();
            if (atEnd()) {
                fail(line_, "set not closed: a ] is missing");
            }
            char c = text_[pos_++];
            if (c == ']') {
                return items;
            }
            if (c != ',') {
                fail(line_, std::string("a , or ] expected in the set, found ") + c);
            }
        }
    }

    std::int64_t scanInteger() {
        bool negative = text_[pos_] == '-';
        if (text_[pos_] == '-' || text_[pos_] == '+') {
            ++pos_;
        }
        std::size_t start = pos_;
        while (!atEnd() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            ++pos_;
        }
        if (pos_ == start) {
            fail(line_, "digits expected after the sign");
        }
        std::string digits = (negative ? "-" : "") + std::string(text_.substr(start, pos_ - start));
        std::int64_t number = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error != std::errc() || end != digits.data() + digits.size()) {
            fail(line_, "number out of range: " + digits);
        }
        return number;
    }

    std::string_view text_;
    int line_;
    std::size_t pos_ = 0;
};

class Parser {
public:
    explicit Parser(std::vector<Line> lines) : lines_(std::move(lines)) {}

    ComponentDescription parseRoot() {
        const Line* first = peek();
        if (!first) {
            fail(1, "the description is empty: a component header expected");
        }
        if (first->depth != 0) {
            fail(first->number, "unexpected indentation");
        }
        ComponentDescription root = parseComponent(0);
        if (const Line* extra = peek()) {
            fail(extra->number,
                 "only one component may stand at the top; indent the others below " + root.name);
        }
        return root;
    }

private:
    const Line* peek() const { return next_ < lines_.size() ? &lines_[next_] : nullptr; }
    const Line& take() { return lines_[next_++]; }

    static bool isHeader(const Line& line) {
        return line.content == "component" || line.content.starts_with("component ");
    }

    // The lines deeper than `depth` must sit exactly one level deeper.
    const Line* nextAtDepth(int depth) const {
        const Line* line = peek();
        if (!line || line->depth < depth) {
            return nullptr;
        }
        if (line->depth > depth) {
            fail(line->number, "unexpected indentation");
        }
        return line;
    }

    ComponentDescription parseComponent(int depth) {
        const Line& header = take();
        if (!isHeader(header)) {
            fail(header.number, "a component header expected: component Name Class");
        }
        std::vector<std::string_view> words;
        std::string_view rest = header.content;
        while (!rest.empty()) {
            std::size_t blank = rest.find(' ');
            words.push_back(rest.substr(0, blank));
            rest = blank == std::string_view::npos ? std::string_view() : trim(rest.substr(blank));
        }
        if (words.size() != 3 || !isIdentifier(words[1]) || !isIdentifier(words[2])) {
            fail(header.number,
                 "a component header needs a name and a class: component Name Class");
        }
        ComponentDescription component;
        component.name = words[1];
        component.className = words[2];
        component.line = header.number;
        while (const Line* line = nextAtDepth(depth + 1)) {
            if (isHeader(*line)) {
                component.children.push_back(parseComponent(depth + 1));
            } else if (!component.children.empty()) {
                fail(line->number, "settings of " + component.name +
                                       " must come before the components stored inside it");
            } else {
                component.settings.push_back(parseSetting(depth + 1));
            }
        }
        return component;
    }

    std::pair<std::string, PropertyValue> parseSetting(int depth) {
        const Line& line = take();
        std::size_t equals = line.content.find('=');
        if (equals == std::string_view::npos) {
            fail(line.number, "a setting expected: Name = value");
        }
        std::string_view name = trim(line.content.substr(0, equals));
        if (!isSettingName(name)) {
            fail(line.number, "invalid setting name: " + std::string(name));
        }
        // Reserved, so that "component = 1" and "component= 1" read alike: as a
        // malformed header, never as a setting.
        if (name == "component") {
            fail(line.number, "component begins a component header, not a setting");
        }
        std::string_view valueText = trim(line.content.substr(equals + 1));
        PropertyValue value;
        value.line = line.number;
        if (valueText == "lines") {
            value.kind = PropertyValue::Kind::StringList;
            while (const Line* entry = nextAtDepth(depth + 1)) {
                take();
                value.items.push_back(ValueScanner(entry->content, entry->number).scanStringLine());
            }
        } else if (valueText == "hex") {
            value.kind = PropertyValue::Kind::Binary;
            while (const Line* entry = nextAtDepth(depth + 1)) {
                take();
                appendHex(*entry, value.bytes);
            }
        } else if (valueText == "items") {
            value.kind = PropertyValue::Kind::Collection;
            while (const Line* item = nextAtDepth(depth + 1)) {
                take();
                if (item->content != "item") {
                    fail(item->number, "item expected in a collection");
                }
                PropertyValue::Settings& settings = value.collection.emplace_back();
                while (nextAtDepth(depth + 2)) {
                    settings.push_back(parseSetting(depth + 2));
                }
            }
        } else {
            value = ValueScanner(valueText, line.number).scan();
        }
        return {std::string(name), std::move(value)};
    }

    static void appendHex(const Line& line, std::vector<std::uint8_t>& bytes) {
        std::string_view text = line.content;
        std::size_t pos = 0;
        while (pos < text.size()) {
            if (text[pos] == ' ') {
                ++pos;
                continue;
            }
            int high = hexDigit(text[pos]);
            int low = pos + 1 < text.size() ? hexDigit(text[pos + 1]) : -1;
            if (high < 0 || low < 0) {
                fail(line.number,
                     "bytes are written as pairs of hex digits: " + std::string(text.substr(pos)));
            }
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
            pos += 2;
        }
    }

    std::vector<Line> lines_;
    std::size_t next_ = 0;
};

}  // namespace

ComponentDescription parseDescription(std::string_view text) {
    return Parser(meaningfulLines(text)).parseRoot();
}
