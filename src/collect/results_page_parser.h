#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/text_types.h"

namespace tavrinel::collect {

// What a collection run takes out of one result page (in the system's text). Fixed byte markers
// are the whole contract with the search engine's HTML: no HTML or JSON parsing happens here.
class ResultsPageParser {
  public:
    // The next-page link (the last pager link, as extracted) and how many pager links there are.
    struct NextPageLink {
        text::Text link;
        std::size_t linkCount = 0;
    };

    // Fills entries with every text between "{\"title\":" and "}'>" (ASCII case ignored),
    // in page order; returns their number.
    static std::size_t extractEntries(std::string_view page, text::TextList& entries);

    // The phrase after the first "<div class=\"nums\">百度为您" up to the next "<"; may be empty.
    static text::Text extractResultCount(std::string_view page);

    // The last link introduced by "</span></a><a href=\"" (ASCII case ignored); linkCount 0
    // means the page has no next page.
    static NextPageLink extractNextPageLink(std::string_view page);

    // The "&pn=" value of a next-page URL divided by 10, truncated: "...&pn=25&..." gives 2.
    static std::int32_t pageNumberOf(std::string_view url);
};

}  // namespace tavrinel::collect
