#include "text/text_slices.h"

namespace tavrinel::text {

Text TextLeft(std::string_view text, Position n) {
    if (n <= 0) {
        return {};
    }
    return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(std::string_view text, Position n) {
    if (n <= 0) {
        return {};
    }
    const auto count = static_cast<std::size_t>(n);
    return count >= text.size() ? Text(text) : Text(text.substr(text.size() - count));
}

Text TextMid(std::string_view text, Position position, Position n) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size() || n <= 0) {
        return {};
    }
    return Text(text.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(n)));
}

}  // namespace tavrinel::text
