#include "text/replace_text.h"

#include "text/find_text.h"

namespace tavrinel::text {

Text ReplaceText(std::string_view text, std::string_view needle, std::string_view replacement,
                 bool ignoreCase) {
    if (text.empty() || needle.empty()) {
        return Text(text);
    }
    Text result;
    result.reserve(text.size());
    std::size_t copied = 0;  // offset of the first byte not yet copied; always a character start
    while (true) {
        const Position found =
            FindText(text, needle, static_cast<Position>(copied) + 1, ignoreCase);
        if (found == kNotFound) {
            break;
        }
        const auto match = static_cast<std::size_t>(found - 1);
        result.append(text.substr(copied, match - copied));
        result.append(replacement);
        copied = match + needle.size();
    }
    result.append(text.substr(copied));
    return result;
}

}  // namespace tavrinel::text
