#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text {

// The pieces between delimiters (exact, by characters). Empty pieces between two delimiters are
// kept, an empty last piece is not: "a\r\n\r\nb\r\n" split at "\r\n" gives "a", "", "b".
// An empty text gives no piece; an empty delimiter gives the whole text as one piece.
TextList SplitText(std::string_view text, std::string_view delimiter);

}  // namespace tavrinel::text
