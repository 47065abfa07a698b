#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/reserved_keywords.h"

namespace tavrinel::sim {

// Entries shown on one full result page.
inline constexpr int kEntriesPerPage = 10;

// How a redirect link of the simulator answers.
enum class LinkAnswer {
    kRedirect,   // 302 with a Location header
    kPlainPage,  // 200 with a page of its own, no Location header
    kNoAnswer,   // never answers; the connection is held, then closed
};

// One result entry as the simulator writes it and as a collector should turn it into a row.
// All texts are UTF-8.
struct ExpectedEntry {
    int index = 0;  // 0-based place in the keyword's whole result list
    // The title string as written between its quotes in the page, escapes included:
    // he said \"x\" stays with its backslashes.
    std::string writtenTitle;
    // What a collector takes as the title: the written title up to its first double quote, so
    // a title with an escaped quote ends on the backslash.
    std::string title;
    std::string redirectLink;  // absolute, on the simulator: http://127.0.0.1:PORT/link?url=...
    std::string landingUrl;    // the Location value; empty when the link does not redirect
    std::string domain;        // landingUrl between its first "//" and the next "/", else empty

    friend bool operator==(const ExpectedEntry&, const ExpectedEntry&) = default;
};

// Where a redirect token leads.
struct LinkTarget {
    LinkAnswer answer = LinkAnswer::kRedirect;
    std::string landingUrl;
};

// The simulated search engine's content, fixed by the keyword alone: result counts, titles,
// redirect links, landing addresses, page offsets. Stateless apart from the simulator's base
// URL (which the redirect links carry) and the default result count.
//
// Pages: a page is addressed by its offset, the index of its first result ("&pn=" of its URL).
// The page at offset o holds results o .. o+9 (fewer at the end) and has a next-page link
// exactly when o + 10 < resultCount; that link leads to offset o + 10, except for
// kOddOffsetKeyword whose first page links to offset 25.
class ResultCatalog {
  public:
    ResultCatalog(std::string baseUrl, int defaultResultCount);

    const std::string& baseUrl() const { return baseUrl_; }
    int defaultResultCount() const { return defaultResultCount_; }

    KeywordPlan planFor(std::string_view keyword) const;

    // Number of results the keyword's search reports and serves; 0 for the verification page.
    int resultCount(std::string_view keyword) const;

    // The result-count phrase that follows "百度为您" in the page: "找到相关结果约1,234个".
    std::string resultCountText(std::string_view keyword) const;

    // Entry number index (0-based) of the keyword's result list, wherever it is shown.
    ExpectedEntry entry(std::string_view keyword, int index) const;

    // Offsets of the pages that a client receives when it starts at the first page and follows
    // each next-page link until a page has none: {0, 10, 20} for 25 results. The first page
    // always counts, also when it holds no entry.
    std::vector<int> pageOffsets(std::string_view keyword) const;
    int pageCount(std::string_view keyword) const;

    // The entries that the client receives on page number page (1-based, in the order of
    // pageOffsets); for kBrokenBodyKeyword only those in the part sent before the break.
    std::vector<ExpectedEntry> page(std::string_view keyword, int page) const;

    // All entries of all pages of pageOffsets, in page order.
    std::vector<ExpectedEntry> allEntries(std::string_view keyword) const;

    // Offset of the page that the next-page link of the page at offset leads to; nothing on
    // the last page.
    std::optional<int> nextOffset(std::string_view keyword, int offset) const;

    // Number of entries that the page at offset holds in full.
    int entriesAtOffset(std::string_view keyword, int offset) const;

    // How many of a page's entries are sent before a broken-body page breaks off.
    static int entriesBeforeBreak(int entriesOnPage);

    // The first page's address for a keyword: baseUrl + "/s?wd=" + encoded keyword + "&ie=utf-8".
    std::string searchUrl(std::string_view keyword) const;

    // Root-relative link to the page at offset, as the pager writes it (with "&amp;" for
    // kEntityPagerKeyword); rsvPage marks the previous (-1) and next (1) page links.
    std::string pagerLink(std::string_view keyword, int offset, int rsvPage = 0) const;

    // Where the redirect token of a /link?url=TOKEN request leads; nothing for a token the
    // simulator never wrote.
    static std::optional<LinkTarget> targetOfToken(std::string_view token);

    // The keyword as the pages show it: valid UTF-8 kept, each invalid byte and each control
    // character replaced (U+FFFD and a blank), so every page stays well-formed UTF-8.
    static std::string cleanKeyword(std::string_view keyword);

    // The domain rule of the collector: the part between the first "//" and the next "/".
    static std::string domainOf(std::string_view landingUrl);

  private:
    std::string baseUrl_;
    int defaultResultCount_;
};

}  // namespace tavrinel::sim
