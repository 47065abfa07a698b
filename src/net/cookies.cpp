#include "net/cookies.h"

#include <algorithm>
#include <unordered_set>

#include "text/between_markers.h"
#include "text/find_text.h"
#include "text/replace_text.h"
#include "text/spaces.h"
#include "text/split_text.h"
#include "text/text_slices.h"

namespace tavrinel::net {

namespace {

bool Contains(std::string_view text, std::string_view needle) {
    return text::FindText(text, needle) != text::kNotFound;
}

// The text without its last two bytes (the "; " after the last item); "" stays "".
text::Text WithoutLastSeparator(std::string_view joined) {
    return text::TextLeft(joined, static_cast<text::Position>(joined.size()) - 2);
}

}  // namespace

text::Text CookieName(std::string_view item) {
    const text::Position equals = text::FindText(item, "=");
    if (equals == text::kNotFound) {
        return text::TrimSpaces(item);
    }
    return text::TrimSpaces(text::TextLeft(item, equals - 1));
}

text::Text JoinDistinct(std::string_view text, std::string_view separator) {
    std::unordered_set<text::Text> seen;
    text::Text joined;
    bool first = true;
    for (text::Text& piece : text::SplitText(text, separator)) {
        if (seen.contains(piece)) {
            continue;
        }
        if (!first) {
            joined += separator;
        }
        first = false;
        joined += piece;
        seen.insert(std::move(piece));
    }
    return joined;
}

text::Text ResponseCookies(std::string_view responseHeaders) {
    text::Text collected;
    for (const text::Text& line : text::SplitText(responseHeaders, "\r\n")) {
        if (!Contains(line, "Set-Cookie")) {
            continue;
        }
        const text::Text value = Contains(line, ";")
                                     ? text::BetweenMarkers(line, "Set-Cookie:", ";")
                                     : text::ReplaceText(line, "Set-Cookie:", "", true);
        collected += text::TrimSpaces(value);
        collected += "; ";
    }
    return WithoutLastSeparator(collected);
}

text::Text MergeCookies(text::Text& cookies, text::Text& newCookies) {
    cookies = text::RemoveSpaces(cookies);
    newCookies = text::RemoveSpaces(newCookies);
    text::TextList merged = text::SplitText(newCookies, ";");
    for (const text::Text& item : text::SplitText(cookies, ";")) {
        const text::Text name = CookieName(item);
        const bool nameTaken = std::any_of(merged.begin(), merged.end(), [&](const text::Text& m) {
            return CookieName(m) == name;
        });
        if (!nameTaken) {
            merged.push_back(item);
        }
    }
    text::Text joined;
    for (const text::Text& item : merged) {
        if (text::TextRight(item, 8) != "=deleted") {
            joined += item;
            joined += "; ";
        }
    }
    cookies = JoinDistinct(WithoutLastSeparator(joined), "; ");
    return cookies;
}

}  // namespace tavrinel::net
