#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text {

// The trimmed text before the first ":"; "" when the line has none.
// BeforeColon("Accept: */*") == "Accept".
Text BeforeColon(std::string_view line);

// The trimmed text after the first ":"; "" when the line has none.
// AfterColon("a:b:c") == "b:c".
Text AfterColon(std::string_view line);

}  // namespace tavrinel::text
