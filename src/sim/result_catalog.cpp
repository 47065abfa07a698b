#include "sim/result_catalog.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "sim/percent_coding.h"

namespace tavrinel::sim {
namespace {

constexpr char kTokenRedirect = 'r';
constexpr char kTokenPlainPage = 'p';
constexpr char kTokenNoAnswer = 'h';

// Sites repeat every kSiteCycle results, so a long result list holds the same domain (and for
// the address without a path, the same landing URL) more than once, as real ones do.
constexpr int kSiteCycle = 40;

std::uint32_t KeywordHash(std::string_view keyword) {
    std::uint32_t hash = 2166136261u;
    for (const char c : keyword) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string Hex8(std::uint32_t value) {
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08x", static_cast<unsigned>(value));
    return buffer;
}

// Length of the well-formed UTF-8 sequence at the start of bytes, 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        secondHigh = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const unsigned char low = i == 1 ? secondLow : 0x80;
        const unsigned char high = i == 1 ? secondHigh : 0xBF;
        if (byte < low || byte > high) {
            return 0;
        }
    }
    return length;
}

// The title as a reader sees it; {kw} stands for the keyword. Some hold characters that GBK
// lacks (an emoji, CJK extension B), one holds double quotes that the page must escape.
constexpr std::array<std::string_view, 10> kTitlePatterns{
    "{kw}_百度百科",
    "{kw}的最新消息 - 新闻频道",
    "{kw}大全😀精选推荐",
    "{kw}入门教程 | 菜鸟教程",
    "他说\"{kw}\"值得一看_论坛",
    "𠀀𪚥与{kw}：生僻字考证",
    "{kw} - Download | Example.org",
    "{kw}价格_{kw}图片_报价大全",
    "“{kw}”是什么意思？　全角空格",
    "{kw}_相关搜索结果",
};

std::string ReplaceAll(std::string_view pattern, std::string_view placeholder,
                       std::string_view value) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = pattern.find(placeholder); at != std::string_view::npos;
         at = pattern.find(placeholder, from)) {
        result.append(pattern.substr(from, at - from)).append(value);
        from = at + placeholder.size();
    }
    result.append(pattern.substr(from));
    return result;
}

// The title as the page's entry data writes it: a JSON string inside a single-quoted HTML
// attribute, so backslash and quote are escaped JSON-wise and the attribute's own delimiters
// and markup characters as HTML entities. The entry's end marker "}'>" can never occur in it.
std::string WrittenTitle(std::string_view title) {
    std::string written;
    written.reserve(title.size() + 8);
    for (const char c : title) {
        switch (c) {
            case '\\':
                written += "\\\\";
                break;
            case '"':
                written += "\\\"";
                break;
            case '\'':
                written += "&#39;";
                break;
            case '<':
                written += "&lt;";
                break;
            case '>':
                written += "&gt;";
                break;
            case '&':
                written += "&amp;";
                break;
            default:
                written.push_back(c);
        }
    }
    return written;
}

std::string TitleFor(std::string_view cleanKeyword, int index) {
    const auto pattern = kTitlePatterns[static_cast<std::size_t>(index) % kTitlePatterns.size()];
    return ReplaceAll(pattern, "{kw}", cleanKeyword) + " No." + std::to_string(index + 1);
}

// Landing addresses vary in form: with a path, with a port, without any path (so the domain
// comes out empty), https, and with user information in the authority. All hosts are reserved
// example names that the collector never contacts.
std::string LandingUrlFor(std::uint32_t keywordHash, int index) {
    const std::string site = std::to_string(index % kSiteCycle + 1);
    const std::string tag = Hex8(keywordHash);
    const std::string number = std::to_string(index + 1);
    switch (index % 5) {
        case 0:
            return "http://www.example-" + site + ".cn/path/" + tag + "/" + number + ".html";
        case 1:
            return "http://host-" + site + ".example.com:8080/news/" + number +
                   "?from=sim&kw=" + tag;
        case 2:
            return "http://www.example-" + site + ".net";
        case 3:
            return "https://secure-" + site + ".example.org/a/" + tag + "/" + number + "/";
        default:
            return "http://user@mail-" + site + ".example/inbox/" + number;
    }
}

LinkAnswer AnswerFor(SearchMode mode) {
    switch (mode) {
        case SearchMode::kLinkWithoutLocation:
            return LinkAnswer::kPlainPage;
        case SearchMode::kHangingLink:
            return LinkAnswer::kNoAnswer;
        default:
            return LinkAnswer::kRedirect;
    }
}

char TokenKind(LinkAnswer answer) {
    switch (answer) {
        case LinkAnswer::kPlainPage:
            return kTokenPlainPage;
        case LinkAnswer::kNoAnswer:
            return kTokenNoAnswer;
        default:
            return kTokenRedirect;
    }
}

// Token of a redirect link: the answer's kind letter, the keyword's hash in 8 hex digits, "_"
// and the entry's index: "r1a2b3c4d_17".
std::string TokenFor(LinkAnswer answer, std::uint32_t keywordHash, int index) {
    return std::string(1, TokenKind(answer)) + Hex8(keywordHash) + "_" + std::to_string(index);
}

std::string WithThousandsSeparators(int value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

}  // namespace

ResultCatalog::ResultCatalog(std::string baseUrl, int defaultResultCount)
    : baseUrl_(std::move(baseUrl)),
      defaultResultCount_(std::clamp(defaultResultCount, 0, kMaxResultCount)) {}

KeywordPlan ResultCatalog::planFor(std::string_view keyword) const {
    return PlanForKeyword(keyword, defaultResultCount_);
}

int ResultCatalog::resultCount(std::string_view keyword) const {
    const KeywordPlan plan = planFor(keyword);
    return plan.mode == SearchMode::kVerification ? 0 : plan.resultCount;
}

std::string ResultCatalog::resultCountText(std::string_view keyword) const {
    return "找到相关结果约" + WithThousandsSeparators(resultCount(keyword)) + "个";
}

ExpectedEntry ResultCatalog::entry(std::string_view keyword, int index) const {
    const std::string clean = cleanKeyword(keyword);
    const std::uint32_t hash = KeywordHash(clean);
    const LinkAnswer answer = AnswerFor(planFor(keyword).mode);
    ExpectedEntry entry;
    entry.index = index;
    entry.writtenTitle = WrittenTitle(TitleFor(clean, index));
    entry.title = entry.writtenTitle.substr(0, entry.writtenTitle.find('"'));
    entry.redirectLink = baseUrl_ + "/link?url=" + TokenFor(answer, hash, index);
    if (answer == LinkAnswer::kRedirect) {
        entry.landingUrl = LandingUrlFor(hash, index);
        entry.domain = domainOf(entry.landingUrl);
    }
    return entry;
}

int ResultCatalog::entriesAtOffset(std::string_view keyword, int offset) const {
    const int count = resultCount(keyword);
    if (offset < 0 || offset >= count) {
        return 0;
    }
    return std::min(kEntriesPerPage, count - offset);
}

int ResultCatalog::entriesBeforeBreak(int entriesOnPage) { return (entriesOnPage + 1) / 2; }

std::optional<int> ResultCatalog::nextOffset(std::string_view keyword, int offset) const {
    const KeywordPlan plan = planFor(keyword);
    if (plan.mode == SearchMode::kVerification || offset < 0 ||
        offset + kEntriesPerPage >= plan.resultCount) {
        return std::nullopt;
    }
    if (plan.mode == SearchMode::kOddOffset && offset == 0) {
        return 25;
    }
    return offset + kEntriesPerPage;
}

std::vector<int> ResultCatalog::pageOffsets(std::string_view keyword) const {
    std::vector<int> offsets{0};
    if (planFor(keyword).mode == SearchMode::kBrokenBody) {
        return offsets;  // the pager is never received
    }
    for (auto next = nextOffset(keyword, 0); next; next = nextOffset(keyword, *next)) {
        offsets.push_back(*next);
    }
    return offsets;
}

int ResultCatalog::pageCount(std::string_view keyword) const {
    return static_cast<int>(pageOffsets(keyword).size());
}

std::vector<ExpectedEntry> ResultCatalog::page(std::string_view keyword, int page) const {
    const std::vector<int> offsets = pageOffsets(keyword);
    if (page < 1 || page > static_cast<int>(offsets.size())) {
        return {};
    }
    const int offset = offsets[static_cast<std::size_t>(page) - 1];
    int count = entriesAtOffset(keyword, offset);
    if (planFor(keyword).mode == SearchMode::kBrokenBody) {
        count = entriesBeforeBreak(count);
    }
    std::vector<ExpectedEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        entries.push_back(entry(keyword, offset + i));
    }
    return entries;
}

std::vector<ExpectedEntry> ResultCatalog::allEntries(std::string_view keyword) const {
    std::vector<ExpectedEntry> entries;
    const int pages = pageCount(keyword);
    for (int p = 1; p <= pages; ++p) {
        auto onPage = page(keyword, p);
        entries.insert(entries.end(), std::make_move_iterator(onPage.begin()),
                       std::make_move_iterator(onPage.end()));
    }
    return entries;
}

std::string ResultCatalog::searchUrl(std::string_view keyword) const {
    return baseUrl_ + "/s?wd=" + PercentEncode(keyword) + "&ie=utf-8";
}

std::string ResultCatalog::pagerLink(std::string_view keyword, int offset, int rsvPage) const {
    const std::string clean = cleanKeyword(keyword);
    const std::string encoded = PercentEncode(clean);
    const std::string hash = Hex8(KeywordHash(clean));
    std::string link = "/s?wd=" + encoded + "&pn=" + std::to_string(offset) + "&oq=" + encoded +
                       "&ie=utf-8&rsv_idx=1&rsv_pq=" + hash + "0000" + hash.substr(0, 4);
    if (rsvPage != 0) {
        link += "&rsv_page=" + std::to_string(rsvPage);
    }
    if (planFor(keyword).mode == SearchMode::kEntityPager) {
        link = ReplaceAll(link, "&", "&amp;");
    }
    return link;
}

std::optional<LinkTarget> ResultCatalog::targetOfToken(std::string_view token) {
    // kind letter, 8 hex digits, "_", 1 to 7 decimal digits
    if (token.size() < 11 || token.size() > 17 || token[9] != '_') {
        return std::nullopt;
    }
    const std::string_view hashHex = token.substr(1, 8);
    const std::string_view indexDigits = token.substr(10);
    std::uint32_t hash = 0;
    for (const char c : hashHex) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(c >= 'a' && c <= 'f')) {
            return std::nullopt;
        }
        hash = hash * 16 + static_cast<std::uint32_t>(digit ? c - '0' : c - 'a' + 10);
    }
    int index = 0;
    for (const char c : indexDigits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        index = index * 10 + (c - '0');
    }
    switch (token[0]) {
        case kTokenRedirect:
            return LinkTarget{LinkAnswer::kRedirect, LandingUrlFor(hash, index)};
        case kTokenPlainPage:
            return LinkTarget{LinkAnswer::kPlainPage, {}};
        case kTokenNoAnswer:
            return LinkTarget{LinkAnswer::kNoAnswer, {}};
        default:
            return std::nullopt;
    }
}

std::string ResultCatalog::cleanKeyword(std::string_view keyword) {
    std::string clean;
    clean.reserve(keyword.size());
    while (!keyword.empty()) {
        const std::size_t length = Utf8SequenceLength(keyword);
        if (length == 0) {
            clean += "\xEF\xBF\xBD";
            keyword.remove_prefix(1);
            continue;
        }
        const auto lead = static_cast<unsigned char>(keyword[0]);
        if (length == 1 && (lead < 0x20 || lead == 0x7F)) {
            clean.push_back(' ');
        } else {
            clean.append(keyword.substr(0, length));
        }
        keyword.remove_prefix(length);
    }
    return clean;
}

std::string ResultCatalog::domainOf(std::string_view landingUrl) {
    const std::size_t slashes = landingUrl.find("//");
    if (slashes == std::string_view::npos) {
        return {};
    }
    const std::size_t start = slashes + 2;
    const std::size_t end = landingUrl.find('/', start);
    if (end == std::string_view::npos) {
        return {};
    }
    return std::string(landingUrl.substr(start, end - start));
}

}  // namespace tavrinel::sim
