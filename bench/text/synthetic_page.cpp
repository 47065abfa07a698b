#include "synthetic_page.h"

#include <string_view>

namespace tavrinel::text::bench {
namespace {

constexpr std::size_t kBlockBytes = 30 * 1024;
constexpr int kEntriesPerBlock = 10;

// UTF-8 pieces; the benchmarks convert the page to the system's text before searching.
constexpr std::string_view kFiller =
    "<div class=\"c-container\" style=\"display:block\"><span class=\"c-title-text\">"
    "百度为您找到相关结果约100,000,000个</span>"
    "<script>var s={\"t\":1,\"q\":\"tavrinel\"};</script><a href=\"/s?wd=x&pn=10&oq=x\">"
    "下一页&gt;</a></div>\n";

std::string Entry(std::size_t number) {
    return "\"罕见一幕 " + std::to_string(number) +
           " 荷兰_网易\",\"url\":\"http://www.baidu.com/"
           "link?url=HoB8_rEj8Hg8GWd24L_FwJ-b-fYTMIUvA_" +
           std::to_string(number * 7919) + "\"";
}

// Appends blocks made of filler and entries until the page reaches the size.
SyntheticPage Build(std::size_t bytes, std::string_view filler) {
    SyntheticPage page;
    page.utf8.reserve(bytes + kBlockBytes);
    while (page.utf8.size() < bytes) {
        const std::size_t blockEnd = page.utf8.size() + kBlockBytes;
        for (int i = 0; i < kEntriesPerBlock; ++i) {
            const std::size_t entryAt =
                blockEnd - kBlockBytes +
                kBlockBytes * static_cast<std::size_t>(i) / kEntriesPerBlock;
            while (page.utf8.size() < entryAt) {
                page.utf8 += filler;
            }
            const std::string entry = Entry(page.entries);
            if (page.entries == 0) {
                page.firstEntry = entry;
            }
            page.utf8 += "<div class=\"result\" data-tools='{\"title\":" + entry + "}'>";
            ++page.entries;
        }
        while (page.utf8.size() < blockEnd) {
            page.utf8 += filler;
        }
    }
    return page;
}

// Chinese whose second bytes include "{" (憑 漿 箋 are 91 7B, 9D 7B, B9 7B in GBK) and digits
// beside it, near misses of the left marker in both cases, blank-only entries (skipped, each
// resuming after its left marker) and stray right markers.
constexpr std::string_view kAdversarialFiller =
    "憑漿箋憑漿箋"
    "12箋"
    "3{\"titl{\"TITLE\"{\"Title"
    "{\"title\":   }'>{\"title\":\u3000}'>}'>}'>漿{{{{\"\"\"title\"title:"
    "中文中文😀𠀀"
    "9\n";

}  // namespace

SyntheticPage MakeResultPage(std::size_t bytes) { return Build(bytes, kFiller); }

SyntheticPage MakeAdversarialPage(std::size_t bytes) { return Build(bytes, kAdversarialFiller); }

}  // namespace tavrinel::text::bench
