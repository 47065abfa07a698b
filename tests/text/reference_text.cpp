#include "reference_text.h"

#include <algorithm>

namespace tavrinel::text::reference {
namespace {

unsigned char ByteAt(std::string_view text, std::size_t offset) {
    return static_cast<unsigned char>(text[offset]);
}

bool IsLead(unsigned char byte) { return byte >= 0x80; }

bool IsDigitAt(std::string_view text, std::size_t offset) {
    return offset < text.size() && ByteAt(text, offset) >= '0' && ByteAt(text, offset) <= '9';
}

unsigned char Fold(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Whether the needle's bytes stand at offset p, read by the text's characters from p: with
// ignoreCase a one-byte character compares folded, the bytes of a longer one exactly.
bool MatchesAt(std::string_view text, std::string_view needle, std::size_t p, bool ignoreCase) {
    std::size_t i = 0;
    while (i < needle.size()) {
        const std::size_t length = CharacterLength(text, p + i);
        for (std::size_t k = i; k < i + length && k < needle.size(); ++k) {
            const unsigned char a = ByteAt(text, p + k);
            const unsigned char b = ByteAt(needle, k);
            const bool same = ignoreCase && length == 1 ? Fold(a) == Fold(b) : a == b;
            if (!same) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// 0, or the length of the blank at a character start: 0x20, or the pair A1 A1.
std::size_t BlankLength(std::string_view text, std::size_t offset) {
    if (ByteAt(text, offset) == 0x20) {
        return 1;
    }
    if (offset + 1 < text.size() && ByteAt(text, offset) == 0xA1 &&
        ByteAt(text, offset + 1) == 0xA1) {
        return 2;
    }
    return 0;
}

}  // namespace

std::size_t CharacterLength(std::string_view text, std::size_t offset) {
    if (!IsLead(ByteAt(text, offset))) {
        return 1;
    }
    if (IsDigitAt(text, offset + 1) && offset + 2 < text.size() &&
        IsLead(ByteAt(text, offset + 2)) && IsDigitAt(text, offset + 3)) {
        return 4;
    }
    return 2;
}

Position Find(std::string_view text, std::string_view needle, Position startPosition,
              bool ignoreCase) {
    if (needle.empty()) {
        return kNotFound;
    }
    const auto size = static_cast<Position>(text.size());
    const auto needleSize = static_cast<Position>(needle.size());
    for (Position p = std::max<Position>(startPosition - 1, 0); p < size;) {
        if (size - p < needleSize) {
            return kNotFound;
        }
        const auto offset = static_cast<std::size_t>(p);
        if (MatchesAt(text, needle, offset, ignoreCase)) {
            return p + 1;
        }
        if (IsLead(ByteAt(text, offset)) && p + 1 == size) {
            return kNotFound;  // a lead byte that ends the text ends the scan
        }
        p += static_cast<Position>(CharacterLength(text, offset));
    }
    return kNotFound;
}

Text Replace(std::string_view text, std::string_view needle, std::string_view replacement,
             bool ignoreCase) {
    if (text.empty() || needle.empty()) {
        return Text(text);
    }
    Text result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.size() - i < needle.size()) {
            result.append(text.substr(i));
            break;
        }
        if (MatchesAt(text, needle, i, ignoreCase)) {
            result.append(replacement);
            i += needle.size();
            continue;
        }
        const std::size_t length = std::min(CharacterLength(text, i), text.size() - i);
        result.append(text.substr(i, length));
        i += length;
    }
    return result;
}

TextList Split(std::string_view text, std::string_view delimiter) {
    if (text.empty()) {
        return {};
    }
    if (delimiter.empty()) {
        return {Text(text)};
    }
    TextList pieces;
    std::size_t pieceStart = 0;
    std::size_t i = 0;
    while (i < text.size() && text.size() - i >= delimiter.size()) {
        if (MatchesAt(text, delimiter, i, false)) {
            pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
            i += delimiter.size();
            pieceStart = i;
        } else {
            i += CharacterLength(text, i);
        }
    }
    if (pieceStart < text.size()) {
        pieces.emplace_back(text.substr(pieceStart));
    }
    return pieces;
}

Text Trim(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && BlankLength(text, begin) != 0) {
        begin += BlankLength(text, begin);
    }
    std::size_t end = begin;  // just after the last character that is no blank
    for (std::size_t i = begin; i < text.size();) {
        const std::size_t blank = BlankLength(text, i);
        const std::size_t length = blank != 0 ? blank : CharacterLength(text, i);
        if (blank == 0) {
            end = std::min(i + length, text.size());
        }
        i += length;
    }
    return Text(text.substr(begin, end - begin));
}

Text RemoveBlanks(std::string_view text) {
    Text result;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t blank = BlankLength(text, i);
        if (blank != 0) {
            i += blank;
            continue;
        }
        const std::size_t length = std::min(CharacterLength(text, i), text.size() - i);
        result.append(text.substr(i, length));
        i += length;
    }
    return result;
}

TextList AllBetween(std::string_view text, std::string_view leftMarker,
                    std::string_view rightMarker, const AllBetweenOptions& options) {
    TextList list;
    const bool ignoreCase = !options.caseSensitive;
    const auto leftLength = static_cast<Position>(leftMarker.size());
    Position position = options.startPosition;
    while (true) {
        const Position left = Find(text, leftMarker, position, ignoreCase);
        if (left == kNotFound) {
            break;
        }
        const Position right = Find(text, rightMarker, left + leftLength, ignoreCase);
        if (right == kNotFound) {
            break;
        }
        const Position from = left + leftLength;
        Text item = Text(options.prefix) +
                    Trim(text.substr(static_cast<std::size_t>(from - 1),
                                     static_cast<std::size_t>(right - from))) +
                    Text(options.suffix);
        if (item.empty()) {
            position = from;
            continue;
        }
        if (options.keepLeftMarker) {
            item = Text(leftMarker) + item;
        }
        if (options.keepRightMarker) {
            item += rightMarker;
        }
        if (options.maxLength == 0 || item.size() < options.maxLength) {
            list.push_back(item);
        }
        position = right;
    }
    return list;
}

}  // namespace tavrinel::text::reference
