#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text {

// The text with every occurrence of needle replaced, scanning by characters from the first byte;
// matches never overlap and the replacement is never searched again. An empty text or needle
// gives the text unchanged. ReplaceText("a-b-c", "-", "+") == "a+b+c".
Text ReplaceText(std::string_view text, std::string_view needle, std::string_view replacement = {},
                 bool ignoreCase = false);

}  // namespace tavrinel::text
