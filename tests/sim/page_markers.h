#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrinel::sim::testing {

// The collector's view of a page, by plain string search with its markers (exact case; the
// simulator writes them in that case).

// Number of entry markers "{\"title\":".
int CountEntries(std::string_view page);

// Every text between "</span></a><a href=\"" and the next "\"", in page order.
std::vector<std::string> CaughtPagerLinks(std::string_view page);

// The text between "&pn=" and the next "&" of a link, as a number; -1 when it has none.
int PnValue(std::string_view link);

// The result-count phrase after "<div class=\"nums\">百度为您" up to the next "<"; empty when
// the marker is missing.
std::string ResultCountPhrase(std::string_view page);

}  // namespace tavrinel::sim::testing
