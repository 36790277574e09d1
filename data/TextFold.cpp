#include "data/TextFold.h"

#include <langinfo.h>
#include <locale.h>
#include <strings.h>
#include <wctype.h>

#include <cstdint>

namespace textfold {
namespace {

// Bytes that do not start a valid UTF-8 sequence decode to a value of their own
// in the low surrogate range, which no valid text decodes to and which no case
// rule changes.
constexpr char32_t kInvalidByteBase = 0xDC00;

struct Decoded {
    char32_t character;
    std::size_t length;
};

Decoded decodeAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return {kInvalidByteBase + lead, 1};
    }
    if (at + length > text.size()) {
        return {kInvalidByteBase + lead, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return {kInvalidByteBase + lead, 1};
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return {kInvalidByteBase + lead, 1};
    }
    return {value, length};
}

// The C.UTF-8 locale, made once; used when the current locale cannot fold
// letters beyond ASCII. Never changed after it is made.
locale_t unicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return locale;
}

bool currentLocaleIsUtf8() {
    const char* codeset = nl_langinfo(CODESET);
    return codeset && (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0);
}

char32_t fold(char32_t character, bool useCurrent) {
    if (character >= kInvalidByteBase && character < kInvalidByteBase + 0x100) {
        return character;
    }
    if (useCurrent) {
        return static_cast<char32_t>(towlower(static_cast<wint_t>(character)));
    }
    if (locale_t locale = unicodeLocale()) {
        return static_cast<char32_t>(towlower_l(static_cast<wint_t>(character), locale));
    }
    return (character >= 'A' && character <= 'Z') ? character + ('a' - 'A') : character;
}

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const bool useCurrent = currentLocaleIsUtf8();
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const Decoded x = decodeAt(a, i);
        const Decoded y = decodeAt(b, j);
        if (x.character != y.character &&
            fold(x.character, useCurrent) != fold(y.character, useCurrent)) {
            return false;
        }
        i += x.length;
        j += y.length;
    }
    return i == a.size() && j == b.size();
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += decodeAt(text, at).length) {
        ++count;
    }
    return count;
}

}  // namespace textfold
