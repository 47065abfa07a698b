#include "text/split_text.h"

#include "text/find_text.h"

namespace tavrinel::text {

TextList SplitText(std::string_view text, std::string_view delimiter) {
    TextList pieces;
    if (text.empty()) {
        return pieces;
    }
    if (delimiter.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t pieceStart = 0;
    while (true) {
        const Position found = FindText(text, delimiter, static_cast<Position>(pieceStart) + 1);
        if (found == kNotFound) {
            break;
        }
        const auto match = static_cast<std::size_t>(found - 1);
        pieces.emplace_back(text.substr(pieceStart, match - pieceStart));
        pieceStart = match + delimiter.size();
    }
    if (pieceStart < text.size()) {
        pieces.emplace_back(text.substr(pieceStart));
    }
    return pieces;
}

}  // namespace tavrinel::text
