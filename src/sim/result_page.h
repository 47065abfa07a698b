#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "sim/result_catalog.h"

namespace tavrinel::sim {

// A result page's HTML and where each of its entries ends, so a page can be cut off right
// after a chosen entry.
struct RenderedPage {
    std::string html;
    std::vector<std::size_t> entryEnds;  // byte offset just past each entry's block, in order
};

// The UTF-8 result page for a keyword at a result offset, in the layout of the real engine
// where the collector's markers touch it:
//   <div class="nums">百度为您找到相关结果约N个</div>
//   per entry ... data-tools='{"title":"...","url":"http://127.0.0.1:PORT/link?url=..."}'> ...
//   a pager: "<上一页" link, earlier pages' links, the current page as <strong> (not a link),
//   later pages' links, then the "下一页 >" link, each page link ending in "</span></a>".
// As on the real pages, the pager marker "</span></a><a href=\"" catches neither the link
// right after the "<上一页" link nor the one right after the current page; so the last link it
// catches is the next-page link, and on the last page the link to the page before it. (On
// page 2 of a two-page search it catches none.) A search without results has no pager.
RenderedPage RenderResultPage(const ResultCatalog& catalog, std::string_view keyword, int offset);

// The security-verification page that the engine serves instead of results: no result count,
// no entry, no pager.
std::string VerificationPage();

}  // namespace tavrinel::sim
