#include "utf8_encode.h"

namespace tavrinel::text::testing_support {
namespace {

bool IsSurrogate(char32_t codePoint) { return codePoint >= 0xD800 && codePoint <= 0xDFFF; }

char ContinuationByte(char32_t codePoint, int shift) {
    return static_cast<char>(0x80 | ((codePoint >> shift) & 0x3F));
}

}  // namespace

std::string EncodeUtf8(char32_t codePoint) {
    if (codePoint < 0x80) {
        return std::string(1, static_cast<char>(codePoint));
    }
    if (codePoint < 0x800) {
        return {static_cast<char>(0xC0 | (codePoint >> 6)), ContinuationByte(codePoint, 0)};
    }
    if (codePoint < 0x10000) {
        return {static_cast<char>(0xE0 | (codePoint >> 12)), ContinuationByte(codePoint, 6),
                ContinuationByte(codePoint, 0)};
    }
    return {static_cast<char>(0xF0 | (codePoint >> 18)), ContinuationByte(codePoint, 12),
            ContinuationByte(codePoint, 6), ContinuationByte(codePoint, 0)};
}

std::string ScalarValuesAsUtf8(char32_t first, char32_t last) {
    std::string utf8;
    for (char32_t codePoint = first; codePoint <= last; ++codePoint) {
        if (!IsSurrogate(codePoint)) {
            utf8 += EncodeUtf8(codePoint);
        }
    }
    return utf8;
}

}  // namespace tavrinel::text::testing_support
