#pragma once

#include <string>
#include <string_view>

namespace tavrinel::sim {

// Keywords that make the simulator misbehave in one chosen way, for the tests of the areas
// that talk to it. Every other keyword gets an ordinary search with the configured number of
// results. A reserved keyword may carry "-N" behind it to choose N results for that one search
// (at most kMaxResultCount), e.g. "sim-link-hang-3".

// A plain search with N results: "sim-results-25" gives 25 results on 3 pages, the last short.
inline constexpr std::string_view kResultsKeywordPrefix = "sim-results-";

// The security-verification page served instead of results: no count, no entry, no pager link.
inline constexpr std::string_view kVerificationKeyword = "sim-verify";

// Every result page answers status 404, with the ordinary result page as its body.
inline constexpr std::string_view kNotFoundKeyword = "sim-http-404";

// Every result page declares its full Content-Length but the connection is closed after the
// first half of its entries (at least one), before the pager.
inline constexpr std::string_view kBrokenBodyKeyword = "sim-broken-body";

// Every redirect link answers 200 with a page of its own and no Location header.
inline constexpr std::string_view kNoLocationKeyword = "sim-link-no-location";

// Every redirect link reads the request and never answers; the connection is held until the
// simulator stops or its hanging-link hold runs out, then closed without a response.
inline constexpr std::string_view kHangingLinkKeyword = "sim-link-hang";

// The first page's next-page link carries "&pn=25&" (page 2 after truncation) instead of
// "&pn=10&"; the pages after it go on from offset 25 in steps of ten.
inline constexpr std::string_view kOddOffsetKeyword = "sim-odd-offset";

// Pager links written with "&amp;" for "&", as some real pages do; the next page's URL then
// holds no "&pn=" at all. The simulator still serves the right page for such a link.
inline constexpr std::string_view kEntityPagerKeyword = "sim-pager-amp";

// Upper bound of a result count chosen through a keyword.
inline constexpr int kMaxResultCount = 1'000'000;

enum class SearchMode {
    kOrdinary,
    kVerification,
    kNotFound,
    kBrokenBody,
    kLinkWithoutLocation,
    kHangingLink,
    kOddOffset,
    kEntityPager,
};

// What a keyword asks of the simulator.
struct KeywordPlan {
    SearchMode mode = SearchMode::kOrdinary;
    int resultCount = 0;

    friend bool operator==(const KeywordPlan&, const KeywordPlan&) = default;
};

// The plan for a decoded keyword; keywords that are not reserved get defaultResultCount.
// PlanForKeyword("sim-link-hang-3", 95) == {kHangingLink, 3}.
KeywordPlan PlanForKeyword(std::string_view keyword, int defaultResultCount);

// "sim-results-" followed by count: the keyword of a plain search with that many results.
std::string ResultsKeyword(int count);

// A reserved keyword with a result count of its own: WithResultCount("sim-link-hang", 3)
// == "sim-link-hang-3".
std::string WithResultCount(std::string_view reservedKeyword, int count);

}  // namespace tavrinel::sim
