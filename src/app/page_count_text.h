#pragma once

#include <string>
#include <string_view>

namespace tavrinel::app {

// Whether a typed character goes into the page-count box: the digits, "-", and every control
// character (backspace, the paste shortcut), which the box handles as editing keys.
bool IsAcceptedPageCountCharacter(char32_t character);

// The page-count box's text as it is rewritten when the box loses the focus: read as a 64-bit
// integer (leading white space, an optional sign, digits up to the first non-digit; no digits
// give 0), clamped to 32 bits and written in plain decimal, with 0 written as the empty text.
// "12abc" -> "12", " +007" -> "7", "99999999999" -> "2147483647", "-0" -> "".
std::string NormalisedPageCount(std::string_view text);

}  // namespace tavrinel::app
