#include "text/colon_split.h"

#include "text/find_text.h"
#include "text/spaces.h"
#include "text/text_slices.h"

namespace tavrinel::text {

Text BeforeColon(std::string_view line) {
    const Position colon = FindText(line, ":");
    if (colon == kNotFound) {
        return {};
    }
    return TrimSpaces(TextLeft(line, colon - 1));
}

Text AfterColon(std::string_view line) {
    const Position colon = FindText(line, ":");
    if (colon == kNotFound) {
        return {};
    }
    return TrimSpaces(TextRight(line, static_cast<Position>(line.size()) - colon));
}

}  // namespace tavrinel::text
