// Parsing one result page: entries, result count and next-page link, over a 1 MiB page made of
// real result pages, next to a plain memmem scan of the same buffer for the entry marker.
#include <benchmark/benchmark.h>
#include <string.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "collect/results_page_parser.h"
#include "text/charset_converter.h"

namespace {

using tavrinel::collect::ResultsPageParser;

const std::string& MiBPage() {
    static const std::string page = [] {
        std::ifstream in(TAVRINEL_FIXTURES_DIR "/result-pages/2015-01-18-result-page-9.html",
                         std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string one = tavrinel::text::ConvertCharset(bytes.str());
        if (one.empty()) {
            std::fprintf(stderr, "fixture page missing\n");
            std::abort();
        }
        std::string mib;
        while (mib.size() < (1u << 20)) {
            mib += one;
        }
        mib.resize(1u << 20);
        return mib;
    }();
    return page;
}

std::size_t CountByMemmem(const std::string& page, std::string_view needle) {
    std::size_t count = 0;
    const char* at = page.data();
    const char* end = page.data() + page.size();
    while (const void* hit =
               memmem(at, static_cast<std::size_t>(end - at), needle.data(), needle.size())) {
        ++count;
        at = static_cast<const char*>(hit) + needle.size();
    }
    return count;
}

void ParseResultPage(benchmark::State& state) {
    const std::string& page = MiBPage();
    tavrinel::text::TextList entries;
    // Check the work before timing it: every entry marker of the page must come out.
    const std::size_t expected = CountByMemmem(page, "{\"title\":");
    if (ResultsPageParser::extractEntries(page, entries) != expected || expected < 50 ||
        ResultsPageParser::extractNextPageLink(page).linkCount == 0 ||
        ResultsPageParser::extractResultCount(page).empty()) {
        state.SkipWithError("parser result does not match the page");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ResultsPageParser::extractEntries(page, entries));
        benchmark::DoNotOptimize(ResultsPageParser::extractResultCount(page));
        benchmark::DoNotOptimize(ResultsPageParser::extractNextPageLink(page));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
    state.counters["entries"] = static_cast<double>(entries.size());
}
BENCHMARK(ParseResultPage);

void MemmemScanOfSamePage(benchmark::State& state) {
    const std::string& page = MiBPage();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountByMemmem(page, "{\"title\":"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(MemmemScanOfSamePage);

}  // namespace
