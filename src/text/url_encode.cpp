#include "text/url_encode.h"

#include "text/charset_converter.h"

namespace tavrinel::text {
namespace {

constexpr bool IsUnreserved(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.';
}

}  // namespace

Text UrlEncode(std::string_view text, bool keepUnreserved, bool toUtf8) {
    if (text.empty()) {
        return {};
    }
    const Text utf8 = toUtf8 ? GbkToUtf8(text) : Text();
    const std::string_view bytes = toUtf8 ? std::string_view(utf8) : text;
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    Text encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (keepUnreserved && IsUnreserved(byte)) {
            encoded.push_back(c);
        } else {
            encoded.push_back('%');
            encoded.push_back(kHexDigits[byte >> 4]);
            encoded.push_back(kHexDigits[byte & 0x0F]);
        }
    }
    return encoded;
}

Text GbkToUtf8(std::string_view text) { return SystemToUtf8(text); }

}  // namespace tavrinel::text
