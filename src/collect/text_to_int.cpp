#include "collect/text_to_int.h"

#include <limits>
#include <string>

#include "text/find_text.h"

namespace tavrinel::collect {
namespace {

// The text with full-width ASCII forms and the full-width space folded, read by characters.
std::string FoldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!text::IsLeadByte(byte) || i + 1 == text.size()) {
            folded.push_back(text[i]);
            ++i;
            continue;
        }
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (byte == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded.push_back(static_cast<char>(trail & 0x7F));
        } else if (byte == 0xA1 && trail == 0xA1) {
            folded.push_back(' ');
        } else {
            folded.append(text.substr(i, 2));
        }
        i += 2;
    }
    return folded;
}

bool IsCWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int32_t TextToInt(std::string_view text) {
    const std::string folded = FoldFullWidth(text);
    std::size_t i = 0;
    while (i < folded.size() && IsCWhiteSpace(folded[i])) {
        ++i;
    }
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
        negative = folded[i] == '-';
        ++i;
    }
    // Accumulate the magnitude with saturation just past the 32-bit range, then clamp.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (folded[i] - '0');
        if (magnitude > kLimit) {
            magnitude = kLimit;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace tavrinel::collect
