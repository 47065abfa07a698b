#include "text/find_text.h"

#include <cstring>

namespace tavrinel::text {
namespace {

constexpr unsigned char FoldAsciiCase(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

constexpr bool IsDigitByte(unsigned char byte) { return byte >= '0' && byte <= '9'; }

// Length of the character that begins at offset i. A GB18030 four-byte form (lead, digit, lead,
// digit) is one character: read as two pairs, its second half would be a place a match could
// begin, so a character GBK lacks could be found straddling two others.
std::size_t CharacterLength(const unsigned char* data, std::size_t size, std::size_t i) {
    if (!IsLeadByte(data[i])) {
        return 1;
    }
    if (i + 3 < size && IsDigitByte(data[i + 1]) && IsLeadByte(data[i + 2]) &&
        IsDigitByte(data[i + 3])) {
        return 4;
    }
    return 2;
}

// The first character start at or after offset p, for a scan that read characters from offset
// base on; p begins a character exactly when this is p. A byte below 0x80 that is no digit is
// always followed by a character start (it is a character of its own or the last byte of a
// pair), so only the bytes back to the nearest such byte are read again.
std::size_t NextCharacterStart(const unsigned char* data, std::size_t size, std::size_t base,
                               std::size_t p) {
    std::size_t q = p;
    while (q > base && (IsLeadByte(data[q - 1]) || IsDigitByte(data[q - 1]))) {
        --q;
    }
    while (q < p) {
        q += CharacterLength(data, size, q);
    }
    return q;
}

// Compares text bytes a (read by characters from a character start) with needle bytes b. Only
// one-byte characters fold: a two-byte character whose second byte is a letter, such as 81 41,
// is another character than 81 61.
bool EqualsIgnoringAsciiCase(const unsigned char* a, const unsigned char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (IsLeadByte(a[i])) {
            if (a[i] != b[i] || (i + 1 < n && a[i + 1] != b[i + 1])) {
                return false;
            }
            ++i;
        } else if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) {
            return false;
        }
    }
    return true;
}

// Finds the next offset in [from, last] holding one of two bytes, keeping the two memchr cursors
// between calls so that the whole scan stays linear.
class TwoByteCursor {
  public:
    TwoByteCursor(const unsigned char* data, std::size_t end, unsigned char a, unsigned char b)
        : data_(data), end_(end), a_(a), b_(b) {}

    // Offset of the next candidate at or after from, or end when there is none.
    std::size_t next(std::size_t from) {
        nextA_ = advance(nextA_, from, a_);
        nextB_ = a_ == b_ ? nextA_ : advance(nextB_, from, b_);
        return nextA_ < nextB_ ? nextA_ : nextB_;
    }

  private:
    std::size_t advance(std::size_t cursor, std::size_t from, unsigned char byte) const {
        if (cursor != kUnset && cursor >= from) {
            return cursor;
        }
        if (from >= end_) {
            return end_;
        }
        const void* hit = std::memchr(data_ + from, byte, end_ - from);
        return hit == nullptr
                   ? end_
                   : static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - data_);
    }

    static constexpr std::size_t kUnset = static_cast<std::size_t>(-1);
    const unsigned char* data_;
    std::size_t end_;
    unsigned char a_;
    unsigned char b_;
    std::size_t nextA_ = kUnset;
    std::size_t nextB_ = kUnset;
};

Position FindExact(const unsigned char* data, std::size_t size, std::size_t start,
                   std::string_view needle) {
    const std::size_t last = size - needle.size();  // last offset a match may begin at
    std::size_t base = start;
    std::size_t from = start;
    while (from <= last) {
        const void* hit = memmem(data + from, size - from, needle.data(), needle.size());
        if (hit == nullptr) {
            return kNotFound;
        }
        const auto p = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - data);
        const std::size_t next = NextCharacterStart(data, size, base, p);
        if (next == p) {
            return static_cast<Position>(p) + 1;
        }
        base = next;  // p lies inside a character; the next one starts here
        from = next;
    }
    return kNotFound;
}

Position FindFolded(const unsigned char* data, std::size_t size, std::size_t start,
                    std::string_view needle) {
    const auto* pattern = reinterpret_cast<const unsigned char*>(needle.data());
    const std::size_t last = size - needle.size();
    const unsigned char lower = FoldAsciiCase(pattern[0]);
    const unsigned char upper =
        (lower >= 'a' && lower <= 'z') ? static_cast<unsigned char>(lower - ('a' - 'A')) : lower;
    TwoByteCursor cursor(data, last + 1, lower, upper);
    std::size_t base = start;
    std::size_t from = start;
    while (from <= last) {
        const std::size_t p = cursor.next(from);
        if (p > last) {
            return kNotFound;
        }
        const std::size_t next = NextCharacterStart(data, size, base, p);
        if (next == p && EqualsIgnoringAsciiCase(data + p, pattern, needle.size())) {
            return static_cast<Position>(p) + 1;
        }
        base = next;
        from = next == p ? p + 1 : next;
    }
    return kNotFound;
}

}  // namespace

Position FindText(std::string_view text, std::string_view needle, Position startPosition,
                  bool ignoreCase) {
    if (needle.empty()) {
        return kNotFound;
    }
    const std::size_t start = startPosition > 1 ? static_cast<std::size_t>(startPosition - 1) : 0;
    if (start >= text.size() || needle.size() > text.size() - start) {
        return kNotFound;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    return ignoreCase ? FindFolded(data, text.size(), start, needle)
                      : FindExact(data, text.size(), start, needle);
}

}  // namespace tavrinel::text
