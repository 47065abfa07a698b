#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::net {

// Completes a request's header block in place with the default headers it lacks, appended in
// this order, each after "\r\n": "Accept: */*", "Referer: " + url, "Accept-Language: zh-cn",
// "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)" and
// "Content-Type: application/x-www-form-urlencoded". A header counts as present when its name
// and colon occur anywhere in the block, case-sensitively: "user-agent: X" does not count,
// "X-Referer: a" counts as a Referer. An empty block starts with "Accept: */*" itself.
void CompleteHeaderBlock(text::Text& block, std::string_view url);

// The lines of a header block in order, split at "\r\n"; a block without "\r\n" is one line.
// Empty lines are kept here; the sender skips them.
text::TextList HeaderBlockLines(std::string_view block);

}  // namespace tavrinel::net
