#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text {

// Blanks are the byte 0x20 and the full-width space A1 A1; tab, CR and LF are not blanks.

// The text without leading and trailing blanks, read by characters:
// TrimSpaces("\xA1\xA1 a b \xA1\xA1") == "a b"; TrimSpaces("\t x \r\n") is unchanged.
Text TrimSpaces(std::string_view text);

// The text without any blank; an A1 A1 pair counts only where it starts a character.
Text RemoveSpaces(std::string_view text);

}  // namespace tavrinel::text
