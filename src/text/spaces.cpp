#include "text/spaces.h"

#include "text/find_text.h"

namespace tavrinel::text {
namespace {

// Length of the blank that begins at offset i (1 or 2), or 0 when none does.
std::size_t BlankLengthAt(std::string_view text, std::size_t i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == 0x20) {
        return 1;
    }
    if (byte == 0xA1 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA1) {
        return 2;
    }
    return 0;
}

std::size_t CharacterLengthAt(std::string_view text, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

}  // namespace

Text TrimSpaces(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t blank = BlankLengthAt(text, begin);
        if (blank == 0) {
            break;
        }
        begin += blank;
    }
    // Reading on by characters, remember where the run of blanks that reaches the end began.
    std::size_t end = text.size();
    bool inTrailingRun = false;
    for (std::size_t i = begin; i < text.size();) {
        const std::size_t blank = BlankLengthAt(text, i);
        if (blank != 0) {
            if (!inTrailingRun) {
                end = i;
                inTrailingRun = true;
            }
            i += blank;
        } else {
            inTrailingRun = false;
            end = text.size();
            i += CharacterLengthAt(text, i);
        }
    }
    return Text(text.substr(begin, end - begin));
}

Text RemoveSpaces(std::string_view text) {
    Text result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t blank = BlankLengthAt(text, i);
        if (blank != 0) {
            i += blank;
            continue;
        }
        const std::size_t length = CharacterLengthAt(text, i);
        result.append(text.substr(i, length));
        i += length;
    }
    return result;
}

}  // namespace tavrinel::text
