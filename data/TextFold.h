#pragma once
// Case-insensitive comparison of UTF-8 texts by the rules of the user's locale.
//
// Texts are decoded as UTF-8 and each character is folded with towlower. When
// the current locale's character set is UTF-8 its own case rules apply;
// otherwise (for example in the "C" locale a program starts in) the rules of
// the C.UTF-8 locale do, so that letters beyond ASCII still fold. Bytes that
// are not valid UTF-8 compare only with themselves.

#include <cstddef>
#include <string_view>

namespace textfold {

// Whether `a` and `b` hold the same characters, ignoring case, over their whole length.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The number of characters (not bytes) of a UTF-8 text.
std::size_t characterCount(std::string_view text);

}  // namespace textfold
