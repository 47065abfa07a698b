#include "app/page_count_text.h"

#include <cstdint>
#include <limits>

namespace tavrinel::app {
namespace {

bool IsDigit(char32_t character) { return character >= U'0' && character <= U'9'; }

// White space as the C library's isspace sees it in the "C" locale.
bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool IsAcceptedPageCountCharacter(char32_t character) {
    return character < 0x20 || character == U'-' || IsDigit(character);
}

std::string NormalisedPageCount(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsWhiteSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    // Digits beyond the 32-bit range only saturate, so the value stops growing there; a 64-bit
    // reading that saturates clamps to the same result.
    constexpr std::int64_t kSaturated = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && IsDigit(static_cast<unsigned char>(text[at])); ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > kSaturated) {
            magnitude = kSaturated;
        }
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        value = std::numeric_limits<std::int32_t>::max();
    }
    return value == 0 ? std::string() : std::to_string(value);
}

}  // namespace tavrinel::app
