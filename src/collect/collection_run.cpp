#include "collect/collection_run.h"

#include "collect/link_resolver.h"
#include "collect/results_page_parser.h"
#include "collect/text_to_int.h"
#include "collect/ui_texts.h"
#include "net/page_fetcher.h"
#include "text/charset_converter.h"
#include "text/find_text.h"
#include "text/replace_text.h"
#include "text/url_encode.h"

namespace tavrinel::collect {
namespace {

// A fetched page as system text, cut at its first NUL byte.
text::Text FetchPageText(const text::Text& url) {
    text::Text page = text::ConvertCharset(net::PageFetcher::fetch(url));
    if (const auto nul = page.find('\0'); nul != text::Text::npos) {
        page.resize(nul);
    }
    return page;
}

}  // namespace

CollectionRun::CollectionRun(WindowOperations& window, CollectionSettings settings,
                             RunActivity* activity)
    : window_(&window),
      settings_(std::move(settings)),
      activityToken_(activity != nullptr ? activity->enter() : RunActivity::Token()) {}

RunEnd CollectionRun::run() {
    const text::Text keyword = window_->keywordText();
    const text::Text encodedKeyword = text::UrlEncode(keyword, true, true);
    const std::int32_t pageCount = TextToInt(window_->pageCountText());
    // Without this, a new run's first page number would be compared with the number the
    // previous run left and taken for the last page.
    window_->setPageCounterCaption(ui::PageCounterPrefix() + "0");
    const RunEnd end = collect(encodedKeyword, pageCount);
    activityToken_.release();
    window_->setStartButtonCaption(ui::StartCaption());
    window_->showMessage(ui::RunStoppedMessage());
    return end;
}

RunEnd CollectionRun::collect(const text::Text& encodedKeyword, std::int32_t pageCount) {
    text::Text url = settings_.searchUrlTemplate;
    if (text::FindText(url, ui::KeywordPlaceholder()) == text::kNotFound) {
        return RunEnd::kNoPlaceholder;
    }
    url = text::ReplaceText(url, ui::KeywordPlaceholder(), encodedKeyword);
    text::Text page = FetchPageText(url);

    LinkResolver resolver(*window_);
    text::TextList entries;
    // 64-bit so that a page count of INT32_MAX cannot overflow the counter.
    for (std::int64_t i = 1; i <= pageCount; ++i) {
        if (window_->startButtonCaption() == ui::StartCaption()) {
            return RunEnd::kStopped;
        }
        ResultsPageParser::extractEntries(page, entries);
        if (i == 1) {
            window_->setWindowCaption(ui::WindowTitle() + "  " +
                                      ResultsPageParser::extractResultCount(page));
        }
        for (const text::Text& entry : entries) {
            resolver.resolve(entry);
        }
        const ResultsPageParser::NextPageLink next = ResultsPageParser::extractNextPageLink(page);
        if (next.linkCount == 0) {
            window_->showMessage(ui::NoPagerLinkMessage());
            return RunEnd::kNoPagerLink;
        }
        url = settings_.searchSiteRoot + next.link;
        page = FetchPageText(url);
        window_->raisePageFeedback(ResultsPageParser::pageNumberOf(url));
    }
    return RunEnd::kPageCountReached;
}

}  // namespace tavrinel::collect
