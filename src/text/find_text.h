#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text {

// True when the byte begins a two-byte character (0x80 and above).
constexpr bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

// Position (1-based) of the first occurrence of needle at or after startPosition, or -1.
// The byte at startPosition is taken as a character start; from there a match never begins on
// the second byte of a two-byte character: FindText("\xD6\xD0" "A", "\xD0" "A") == -1, nor
// inside a GB18030 four-byte form (lead, digit, lead, digit), which is read as one character.
// With ignoreCase only the ASCII letters A-Z/a-z fold; bytes of two-byte characters never do.
// An empty needle is never found (-1), so no scan built on FindText can stall on it.
Position FindText(std::string_view text, std::string_view needle, Position startPosition = 1,
                  bool ignoreCase = false);

}  // namespace tavrinel::text
