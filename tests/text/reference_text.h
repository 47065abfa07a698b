#pragma once

#include <cstddef>
#include <string_view>

#include "text/text_types.h"

// Plain, obviously slow versions of the text primitives, written step by step from their
// description, for comparing the real ones against on random input. They read a text character
// by character from its first byte and never skip ahead.
namespace tavrinel::text::reference {

// 1, 2 or 4: a byte of 0x80 or above begins a two-byte character, or a four-byte one when it and
// the next three bytes have the GB18030 form lead, digit, lead, digit. May reach past the end
// when the text ends in a lead byte.
std::size_t CharacterLength(std::string_view text, std::size_t offset);

Position Find(std::string_view text, std::string_view needle, Position startPosition,
              bool ignoreCase);

Text Replace(std::string_view text, std::string_view needle, std::string_view replacement,
             bool ignoreCase);

TextList Split(std::string_view text, std::string_view delimiter);

Text Trim(std::string_view text);

Text RemoveBlanks(std::string_view text);

struct AllBetweenOptions {
    bool caseSensitive = false;
    std::size_t maxLength = 0;
    std::string_view prefix{};
    std::string_view suffix{};
    bool keepLeftMarker = false;
    bool keepRightMarker = false;
    Position startPosition = 0;
};

TextList AllBetween(std::string_view text, std::string_view leftMarker,
                    std::string_view rightMarker, const AllBetweenOptions& options);

}  // namespace tavrinel::text::reference
