#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text {

// The first n bytes ("" for n <= 0, the whole text when n exceeds it). Counts plain bytes.
Text TextLeft(std::string_view text, Position n);

// The last n bytes ("" for n <= 0, the whole text when n exceeds it). Counts plain bytes.
Text TextRight(std::string_view text, Position n);

// n bytes from the 1-based position, cut at the end of the text; "" when position < 1,
// position > length or n <= 0. TextMid("abcdef", 2, 3) == "bcd".
Text TextMid(std::string_view text, Position position, Position n);

}  // namespace tavrinel::text
