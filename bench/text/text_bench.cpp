// Speed of the searches the result-page parsing rests on, over result-page-like text, next to
// a plain memmem scan of the same buffer. Every benchmark checks its result before timing.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

#include "synthetic_page.h"
#include "text/between_markers.h"
#include "text/charset_converter.h"
#include "text/find_text.h"

namespace tavrinel::text::bench {
namespace {

constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::string_view kLeftMarker = "{\"title\":";
constexpr std::string_view kRightMarker = "}'>";

void Require(bool condition, const std::string& message) {
    if (!condition) {
        std::fprintf(stderr, "benchmark input check failed: %s\n", message.c_str());
        std::abort();
    }
}

// A page in the system's text with its expected entries; built once per kind and size.
struct SystemPage {
    Text text;
    std::size_t entries = 0;
    Text firstEntry;
};

const SystemPage& PageOf(std::size_t bytes, bool adversarial) {
    static std::map<std::pair<std::size_t, bool>, SystemPage> pages;
    auto [it, inserted] = pages.try_emplace({bytes, adversarial});
    if (inserted) {
        const SyntheticPage page = adversarial ? MakeAdversarialPage(bytes) : MakeResultPage(bytes);
        it->second.text = ConvertCharset(page.utf8);
        it->second.entries = page.entries;
        it->second.firstEntry = Utf8ToSystem(page.firstEntry);
        Require(SystemToUtf8(it->second.text) == page.utf8, "page does not round-trip");
    }
    return it->second;
}

std::size_t CountWithMemmem(std::string_view text, std::string_view needle) {
    std::size_t count = 0;
    const char* from = text.data();
    const char* end = text.data() + text.size();
    while (const void* hit =
               memmem(from, static_cast<std::size_t>(end - from), needle.data(), needle.size())) {
        ++count;
        from = static_cast<const char*>(hit) + needle.size();
    }
    return count;
}

std::size_t CountWithFindText(std::string_view text, std::string_view needle, bool ignoreCase) {
    std::size_t count = 0;
    Position position = 1;
    while ((position = FindText(text, needle, position, ignoreCase)) != kNotFound) {
        ++count;
        position += static_cast<Position>(needle.size());
    }
    return count;
}

void SetBytes(benchmark::State& state, std::size_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytesPerIteration));
}

void BM_MemmemCount(benchmark::State& state) {
    const SystemPage& page = PageOf(kMiB, false);
    Require(CountWithMemmem(page.text, kLeftMarker) == page.entries, "memmem count");
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountWithMemmem(page.text, kLeftMarker));
    }
    SetBytes(state, page.text.size());
}
BENCHMARK(BM_MemmemCount);

void BM_FindTextCount(benchmark::State& state) {
    const bool ignoreCase = state.range(0) != 0;
    const SystemPage& page = PageOf(kMiB, false);
    Require(CountWithFindText(page.text, kLeftMarker, ignoreCase) == page.entries,
            "FindText count");
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountWithFindText(page.text, kLeftMarker, ignoreCase));
    }
    SetBytes(state, page.text.size());
    state.SetLabel(ignoreCase ? "ignoreCase" : "exact");
}
BENCHMARK(BM_FindTextCount)->Arg(0)->Arg(1);

// The entries of pages of 256 KiB, 1 MiB and 4 MiB: equal bytes per second mean linear time.
void BM_AllBetweenMarkers(benchmark::State& state) {
    const bool adversarial = state.range(1) != 0;
    const SystemPage& page = PageOf(static_cast<std::size_t>(state.range(0)), adversarial);
    TextList entries;
    AllBetweenMarkers(page.text, kLeftMarker, kRightMarker, entries);
    Require(entries.size() == page.entries, "AllBetweenMarkers count " +
                                                std::to_string(entries.size()) + " instead of " +
                                                std::to_string(page.entries));
    Require(entries.front() == page.firstEntry, "first entry");
    for (auto _ : state) {
        benchmark::DoNotOptimize(AllBetweenMarkers(page.text, kLeftMarker, kRightMarker, entries));
    }
    SetBytes(state, page.text.size());
    state.SetLabel(adversarial ? "adversarial page" : "result page");
}
BENCHMARK(BM_AllBetweenMarkers)
    ->ArgsProduct({{256 * 1024, static_cast<std::int64_t>(kMiB),
                    4 * static_cast<std::int64_t>(kMiB)},
                   {0, 1}});

void BM_ConvertCharsetUtf8ToSystem(benchmark::State& state) {
    const SyntheticPage page = MakeResultPage(kMiB);
    Require(ConvertCharset(page.utf8) == PageOf(kMiB, false).text, "conversion");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConvertCharset(page.utf8));
    }
    SetBytes(state, page.utf8.size());
}
BENCHMARK(BM_ConvertCharsetUtf8ToSystem);

}  // namespace
}  // namespace tavrinel::text::bench

BENCHMARK_MAIN();
