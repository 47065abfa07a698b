#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text {

// Percent-encodes every byte as "%" and two upper-case hex digits, except, with keepUnreserved,
// ASCII letters, digits, "-" and ".". With toUtf8 the text's UTF-8 bytes are encoded instead of
// its own. UrlEncode("中 a", true, true) == "%E4%B8%AD%20a".
Text UrlEncode(std::string_view text, bool keepUnreserved = false, bool toUtf8 = false);

// The UTF-8 bytes of a system text (lossless: GB18030 holds every Unicode character).
Text GbkToUtf8(std::string_view text);

}  // namespace tavrinel::text
