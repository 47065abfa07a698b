#pragma once

#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text {

// The bytes between the first leftMarker at or after startPosition and the next rightMarker
// after it, untrimmed; "" when either is missing. Exact unless ignoreCase. In both markers the
// token "#引号" (in the system's text) stands for a double quote.
// BetweenMarkers("x<b>one</b><b>two</b>", "<b>", "</b>") == "one".
Text BetweenMarkers(std::string_view text, std::string_view leftMarker,
                    std::string_view rightMarker, Position startPosition = 0,
                    bool ignoreCase = false);

// Fills list with every trimmed item between a left marker and the next right marker and
// returns how many it stored. Note the flag's opposite sense: ASCII case is ignored unless
// caseSensitive. An item empty after trimming (and without prefix/suffix) is skipped and the
// scan resumes after its left marker; after a stored item the next left marker is looked for
// from the right marker on, so "|a|b|c|" between "|" and "|" gives a, b, c.
// Items of maxLength bytes or more (measured with prefix, suffix and kept markers) are dropped.
// Linear in the text's length, unless the left marker is made of blanks only (no caller
// uses one). An empty marker finds nothing, so the list stays empty. The scan pumps no window
// messages: this library knows no GUI, and the threads that call it own no window.
std::size_t AllBetweenMarkers(std::string_view text, std::string_view leftMarker,
                              std::string_view rightMarker, TextList& list,
                              bool caseSensitive = false, std::size_t maxLength = 0,
                              std::string_view prefix = {}, std::string_view suffix = {},
                              bool keepLeftMarker = false, bool keepRightMarker = false,
                              Position startPosition = 0);

}  // namespace tavrinel::text
