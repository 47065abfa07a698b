#include "collect/results_page_parser.h"

#include "collect/text_to_int.h"
#include "text/between_markers.h"
#include "text/charset_converter.h"

namespace tavrinel::collect {
namespace {

constexpr std::string_view kEntryLeft = "{\"title\":";
constexpr std::string_view kEntryRight = "}'>";
constexpr std::string_view kPagerLinkLeft = "</span></a><a href=\"";
constexpr std::string_view kPagerLinkRight = "\"";
constexpr std::string_view kPageOffsetLeft = "&pn=";
constexpr std::string_view kPageOffsetRight = "&";

const text::Text& ResultCountMarker() {
    static const text::Text marker = text::Utf8ToSystem("<div class=\"nums\">百度为您");
    return marker;
}

}  // namespace

std::size_t ResultsPageParser::extractEntries(std::string_view page, text::TextList& entries) {
    return text::AllBetweenMarkers(page, kEntryLeft, kEntryRight, entries);
}

text::Text ResultsPageParser::extractResultCount(std::string_view page) {
    return text::BetweenMarkers(page, ResultCountMarker(), "<");
}

ResultsPageParser::NextPageLink ResultsPageParser::extractNextPageLink(std::string_view page) {
    text::TextList links;
    NextPageLink next;
    next.linkCount = text::AllBetweenMarkers(page, kPagerLinkLeft, kPagerLinkRight, links);
    if (next.linkCount > 0) {
        next.link = std::move(links.back());
    }
    return next;
}

std::int32_t ResultsPageParser::pageNumberOf(std::string_view url) {
    return TextToInt(text::BetweenMarkers(url, kPageOffsetLeft, kPageOffsetRight)) / 10;
}

}  // namespace tavrinel::collect
