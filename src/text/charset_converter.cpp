#include "text/charset_converter.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string>

namespace tavrinel::text {
namespace {

constexpr std::string_view kReplacementCharacterUtf8 = "\xEF\xBF\xBD";

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The iconv name for a charset argument; every GBK spelling means the system's GB18030.
std::string IconvName(std::string_view name, std::string_view fallback) {
    if (name.empty()) {
        name = fallback;
    }
    for (const std::string_view gbk : {"GBK", "CP936", "GB2312", "936", "MS936", "GB18030"}) {
        if (EqualsIgnoringCase(name, gbk)) {
            return std::string(kSystemCharset);
        }
    }
    return std::string(name);
}

// Owns one iconv descriptor.
class Iconv {
  public:
    Iconv(const std::string& to, const std::string& from)
        : descriptor_(iconv_open(to.c_str(), from.c_str())) {}
    ~Iconv() {
        if (valid()) {
            iconv_close(descriptor_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return descriptor_; }

  private:
    iconv_t descriptor_;
};

// U+FFFD in the target charset, or "?" where the target cannot hold it.
std::string ReplacementIn(const std::string& to) {
    Iconv cd(to, "UTF-8");
    if (!cd.valid()) {
        return "?";
    }
    std::string in(kReplacementCharacterUtf8);
    char out[16];
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    if (iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return "?";
    }
    return std::string(out, static_cast<std::size_t>(outPtr - out));
}

bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

ByteBuffer ConvertCharset(std::string_view bytes, std::string_view fromCharset,
                          std::string_view toCharset, std::optional<std::size_t> skipBytes) {
    if (bytes.empty()) {
        return {};
    }
    const std::string from = IconvName(fromCharset, "UTF-8");
    const std::string to = IconvName(toCharset, "GBK");
    Iconv cd(to, from);
    if (!cd.valid()) {
        return {};
    }
    const bool fromUtf8 = EqualsIgnoringCase(from, "UTF-8") || EqualsIgnoringCase(from, "UTF8");
    std::string replacement;  // made on the first invalid sequence only

    ByteBuffer out(bytes.size() * 2 + 16, '\0');
    std::size_t written = 0;
    // iconv's interface takes char** for its input although it never writes through it.
    char* inPtr = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    auto appendReplacement = [&] {
        if (replacement.empty()) {
            replacement = ReplacementIn(to);
        }
        if (out.size() - written < replacement.size()) {
            out.resize(out.size() * 2 + replacement.size());
        }
        out.replace(written, replacement.size(), replacement);
        written += replacement.size();
    };
    while (true) {
        char* outPtr = out.data() + written;
        std::size_t outLeft = out.size() - written;
        const bool flushing = inLeft == 0;
        const std::size_t rc = flushing ? iconv(cd.get(), nullptr, nullptr, &outPtr, &outLeft)
                                        : iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        written = static_cast<std::size_t>(outPtr - out.data());
        if (rc != static_cast<std::size_t>(-1)) {
            if (flushing) {
                break;
            }
            continue;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else if (errno == EILSEQ && !flushing) {
            // Invalid input, or a character the target cannot hold: one U+FFFD, and for UTF-8
            // input the stray continuation bytes of the same broken sequence go with it.
            appendReplacement();
            ++inPtr;
            --inLeft;
            while (fromUtf8 && inLeft > 0 &&
                   IsUtf8Continuation(static_cast<unsigned char>(*inPtr))) {
                ++inPtr;
                --inLeft;
            }
        } else if (errno == EINVAL && !flushing) {
            appendReplacement();  // a sequence cut off by the end of the input
            inLeft = 0;
        } else {
            break;
        }
    }
    out.resize(written);
    if (skipBytes) {
        out.erase(0, std::min(*skipBytes, out.size()));
    }
    return out;
}

Text Utf8ToSystem(std::string_view utf8) { return ConvertCharset(utf8, "UTF-8", kSystemCharset); }

std::string SystemToUtf8(std::string_view text) {
    return ConvertCharset(text, kSystemCharset, "UTF-8");
}

}  // namespace tavrinel::text
