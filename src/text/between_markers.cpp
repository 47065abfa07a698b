#include "text/between_markers.h"

#include "text/find_text.h"
#include "text/replace_text.h"
#include "text/spaces.h"
#include "text/text_slices.h"

namespace tavrinel::text {
namespace {

// "#引号" in the system's text: "#" followed by the GB18030 bytes of 引号.
constexpr std::string_view kQuoteToken = "#\xD2\xFD\xBA\xC5";

Text ExpandQuoteToken(std::string_view marker) { return ReplaceText(marker, kQuoteToken, "\""); }

}  // namespace

Text BetweenMarkers(std::string_view text, std::string_view leftMarker,
                    std::string_view rightMarker, Position startPosition, bool ignoreCase) {
    const Text left = ExpandQuoteToken(leftMarker);
    const Text right = ExpandQuoteToken(rightMarker);
    Position from = FindText(text, left, startPosition, ignoreCase);
    if (from == kNotFound) {
        return {};
    }
    from += static_cast<Position>(left.size());
    const Position to = FindText(text, right, from, ignoreCase);
    if (to == kNotFound) {
        return {};
    }
    return TextMid(text, from, to - from);
}

std::size_t AllBetweenMarkers(std::string_view text, std::string_view leftMarker,
                              std::string_view rightMarker, TextList& list, bool caseSensitive,
                              std::size_t maxLength, std::string_view prefix,
                              std::string_view suffix, bool keepLeftMarker, bool keepRightMarker,
                              Position startPosition) {
    list.clear();
    const bool ignoreCase = !caseSensitive;
    const auto leftLength = static_cast<Position>(leftMarker.size());
    Position position = startPosition;
    while (true) {
        const Position left = FindText(text, leftMarker, position, ignoreCase);
        if (left == kNotFound) {
            break;
        }
        const Position itemStart = left + leftLength;
        const Position right = FindText(text, rightMarker, itemStart, ignoreCase);
        if (right == kNotFound) {
            break;
        }
        const std::string_view span = text.substr(static_cast<std::size_t>(itemStart - 1),
                                                  static_cast<std::size_t>(right - itemStart));
        Text item = TrimSpaces(span);
        if (!prefix.empty() || !suffix.empty()) {
            item = Text(prefix) + item + Text(suffix);
        }
        if (item.empty()) {
            // Only blanks between the markers: resume right after this left marker.
            position = itemStart;
            continue;
        }
        if (keepLeftMarker) {
            item.insert(0, leftMarker);
        }
        if (keepRightMarker) {
            item.append(rightMarker);
        }
        if (maxLength == 0 || item.size() < maxLength) {
            list.push_back(std::move(item));
        }
        // The right marker's bytes may begin the next left marker.
        position = right;
    }
    return list.size();
}

}  // namespace tavrinel::text
