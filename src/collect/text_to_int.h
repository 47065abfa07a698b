#pragma once

#include <cstdint>
#include <string_view>

namespace tavrinel::collect {

// The integer value of a system text: full-width ASCII forms (A3A1-A3FE) and the full-width
// space fold to ASCII first, then leading white space, an optional sign and the decimal digits
// up to the first non-digit are read; 0 without digits. Values beyond 32 bits are clamped.
// TextToInt(" -12abc") == -12; TextToInt("\xA3\xB2\xA3\xB5") (full-width "25") == 25.
std::int32_t TextToInt(std::string_view text);

}  // namespace tavrinel::collect
