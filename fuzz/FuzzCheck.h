#pragma once
// The one way a fuzz target reports a broken property: print what failed and
// where, then abort, which libFuzzer records as a crash with its input.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzzcheck {

// Bytes outside printable ASCII as \xNN, so that the report shows every byte.
inline std::string printable(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

[[noreturn]] inline void broken(const char* file, int line, const char* condition,
                                std::string_view detail) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    if (!detail.empty()) {
        std::fprintf(stderr, "  %s\n", printable(detail).c_str());
    }
    std::abort();
}

}  // namespace fuzzcheck

#define FUZZ_CHECK(condition)                                      \
    do {                                                           \
        if (!(condition)) {                                        \
            fuzzcheck::broken(__FILE__, __LINE__, #condition, {}); \
        }                                                          \
    } while (false)

// The same, with a text that shows the values involved.
#define FUZZ_CHECK_MSG(condition, text)                                \
    do {                                                               \
        if (!(condition)) {                                            \
            fuzzcheck::broken(__FILE__, __LINE__, #condition, (text)); \
        }                                                              \
    } while (false)
