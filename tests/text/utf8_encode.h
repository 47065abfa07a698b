#pragma once

#include <string>

namespace tavrinel::text::testing_support {

// The UTF-8 bytes of one Unicode scalar value.
std::string EncodeUtf8(char32_t codePoint);

// Every scalar value from first to last (surrogates left out), one after another, as UTF-8.
std::string ScalarValuesAsUtf8(char32_t first, char32_t last);

}  // namespace tavrinel::text::testing_support
