#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::collect {

// The page-count input as it reads once normalised: leading white space, an optional sign and
// the digits up to the first non-digit, read as a 64-bit value, clamped to 32 bits and written
// as plain decimal; "0" (also from text without digits) becomes "".
// "12abc" -> "12", "99999999999" -> "2147483647", "-5" -> "-5", "007" -> "7", "abc" -> "".
text::Text NormalizePageCountText(std::string_view text);

}  // namespace tavrinel::collect
