#include "sim/percent_coding.h"

namespace tavrinel::sim {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool IsKeptAsIs(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.';
}

}  // namespace

std::string PercentDecode(std::string_view encoded, bool plusIsSpace) {
    std::string decoded;
    decoded.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '%' && i + 2 < encoded.size()) {
            const int high = HexValue(encoded[i + 1]);
            const int low = HexValue(encoded[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        decoded.push_back(plusIsSpace && c == '+' ? ' ' : c);
    }
    return decoded;
}

std::string PercentEncode(std::string_view bytes) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsKeptAsIs(byte)) {
            encoded.push_back(c);
        } else {
            encoded.push_back('%');
            encoded.push_back(kHexDigits[byte >> 4]);
            encoded.push_back(kHexDigits[byte & 0x0F]);
        }
    }
    return encoded;
}

}  // namespace tavrinel::sim
