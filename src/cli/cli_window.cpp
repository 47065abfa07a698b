#include "cli/cli_window.h"

#include <string>

#include "cli/row_format.h"
#include "collect/page_feedback.h"
#include "collect/text_to_int.h"
#include "collect/ui_texts.h"
#include "text/charset_converter.h"
#include "text/replace_text.h"

namespace tavrinel::cli {
CliWindow::CliWindow(std::ostream& out, std::ostream& err, CliOutputOptions options,
                     const std::atomic<bool>* stopRequested)
    : out_(out),
      err_(err),
      options_(options),
      stopRequested_(stopRequested),
      startButton_(collect::ui::StartCaption()),
      pageCounter_(collect::ui::PageCounterPrefix() + "0") {}

void CliWindow::setInputs(text::Text keyword, text::Text pageCount) {
    std::lock_guard lock(mutex_);
    keyword_ = std::move(keyword);
    pageCount_ = std::move(pageCount);
}

void CliWindow::setNextExportFile(std::optional<std::string> path) {
    std::lock_guard lock(mutex_);
    nextExportFile_ = std::move(path);
}

text::Text CliWindow::keywordText() {
    std::lock_guard lock(mutex_);
    return keyword_;
}

text::Text CliWindow::pageCountText() {
    std::lock_guard lock(mutex_);
    return pageCount_;
}

text::Text CliWindow::startButtonCaption() {
    std::lock_guard lock(mutex_);
    if (stopRequested_ != nullptr && stopRequested_->load()) {
        startButton_ = collect::ui::StartCaption();
    }
    return startButton_;
}

void CliWindow::setStartButtonCaption(const text::Text& caption) {
    std::lock_guard lock(mutex_);
    startButton_ = caption;
}

void CliWindow::setWindowCaption(const text::Text& caption) {
    std::lock_guard lock(mutex_);
    writeToErr(text::SystemToUtf8(caption));
}

text::Text CliWindow::pageCounterCaption() {
    std::lock_guard lock(mutex_);
    return pageCounter_;
}

void CliWindow::setPageCounterCaption(const text::Text& caption) {
    std::lock_guard lock(mutex_);
    if (caption == pageCounter_) {
        return;
    }
    pageCounter_ = caption;
    const std::size_t prefix = collect::ui::PageCounterPrefix().size();
    lastPageShown_ = collect::TextToInt(caption.size() > prefix ? caption.substr(prefix) : "");
    if (!options_.quiet) {
        writeToErr(text::SystemToUtf8(caption));
    }
}

void CliWindow::raisePageFeedback(std::int32_t pageNumber) {
    // The command line has no separate UI thread: the handler runs here, under the same lock
    // that every other operation takes, so it is just as atomic.
    std::lock_guard lock(mutex_);
    collect::onPageFeedback(*this, pageNumber);
}

int CliWindow::rowCount() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
}

int CliWindow::appendRow(const text::Text& id) {
    std::lock_guard lock(mutex_);
    rows_.push_back(collect::ResultRow{id, {}, {}, {}});
    return static_cast<int>(rows_.size()) - 1;
}

void CliWindow::setCell(int row, int column, const text::Text& value) {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return;
    }
    collect::ResultRow& target = rows_[static_cast<std::size_t>(row)];
    text::Text* cell = collect::CellOf(target, column);
    if (cell == nullptr) {
        return;
    }
    *cell = value;
    // The domain is the last cell a run fills: the row is complete.
    if (column == collect::kDomainColumn) {
        if (progressShown_) {
            err_ << "\r\033[K" << std::flush;
            progressShown_ = false;
        }
        out_ << (options_.jsonLines ? FormatRowAsJson(target) : FormatRowAsTsv(target)) << '\n'
             << std::flush;
        drawProgress();
    }
}

text::Text CliWindow::cell(int row, int column) {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return {};
    }
    const text::Text* value = collect::CellOf(rows_[static_cast<std::size_t>(row)], column);
    return value != nullptr ? *value : text::Text();
}

void CliWindow::showMessage(const text::Text& message, collect::MessageIcon /*icon*/) {
    std::lock_guard lock(mutex_);
    writeToErr(text::SystemToUtf8(text::ReplaceText(message, "\r\n", "\n")));
}

std::optional<std::string> CliWindow::chooseExportFile() {
    std::lock_guard lock(mutex_);
    return nextExportFile_;
}

void CliWindow::finishProgress() {
    std::lock_guard lock(mutex_);
    if (progressShown_) {
        err_ << "\r\033[K" << std::flush;
        progressShown_ = false;
    }
}

void CliWindow::writeToErr(const std::string& utf8Line) {
    if (progressShown_) {
        err_ << "\r\033[K";
        progressShown_ = false;
    }
    err_ << utf8Line << '\n' << std::flush;
    drawProgress();
}

void CliWindow::drawProgress() {
    if (!options_.progressOnTerminal || options_.quiet) {
        return;
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::steady_clock::now() - started_)
                             .count();
    err_ << "\r\033[K第 " << lastPageShown_ + 1 << " 页 · " << rows_.size() << " 行 · " << seconds
         << " 秒" << std::flush;
    progressShown_ = true;
}

}  // namespace tavrinel::cli
