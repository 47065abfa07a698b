#pragma once

#include <cstddef>
#include <string>

namespace tavrinel::text::bench {

// A result-page-like UTF-8 text of about the given size: mostly ASCII HTML with Chinese text
// mixed in, and ten result entries {"title":"...","url":"..."}'> in every block of about 30 KiB.
struct SyntheticPage {
    std::string utf8;
    std::size_t entries = 0;
    std::string firstEntry;  // the first entry's text between "{\"title\":" and "}'>"
};

SyntheticPage MakeResultPage(std::size_t bytes);

// A page built to be hard for AllBetweenMarkers with the entry markers: long runs of Chinese
// with "{" as second bytes, digits next to lead bytes, near misses of the left marker in both
// cases, blank-only entries and stray right markers. Its entries are counted like the page's.
SyntheticPage MakeAdversarialPage(std::size_t bytes);

}  // namespace tavrinel::text::bench
