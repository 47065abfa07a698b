#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::net {

// Cookie texts are items "name=value" separated by ";"; the merged text is joined by "; ".

// The text before an item's first "=", trimmed; a whole item without "=", trimmed.
// CookieName(" sid = 1") == "sid".
text::Text CookieName(std::string_view item);

// The pieces of SplitText(text, separator), each kept unless a byte-identical piece was kept
// before, joined again by the separator; "" when nothing is kept.
// JoinDistinct("a; b; a", "; ") == "a; b".
text::Text JoinDistinct(std::string_view text, std::string_view separator);

// The first name=value pair of every response header line containing "Set-Cookie", joined by
// "; ", attributes dropped: lines "Set-Cookie: a=1; path=/" and "Set-Cookie: b=2" give
// "a=1; b=2".
text::Text ResponseCookies(std::string_view responseHeaders);

// Merges the cookies a response set into the cookies sent: removes every blank from both texts
// (writing them back), then lists the new items first in their order, then the old items whose
// names the response did not set (of old items sharing a name only the first), drops items
// ending in "=deleted" and byte-identical repeats, and joins by "; ". cookies becomes that text,
// which is also returned. MergeCookies("a=0; c=3", "a=1;b=2") gives "a=1; b=2; c=3".
text::Text MergeCookies(text::Text& cookies, text::Text& newCookies);

}  // namespace tavrinel::net
