#include "collect/page_count_text.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace tavrinel::collect {

text::Text NormalizePageCountText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Saturate past the 32-bit range while reading; the 64-bit reading then clamps the same way.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    value = std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max());
    return value == 0 ? text::Text() : std::to_string(value);
}

}  // namespace tavrinel::collect
