#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "collect/result_row.h"
#include "collect/window_operations.h"

namespace tavrinel::cli {

struct CliOutputOptions {
    bool jsonLines = false;           // rows as JSON objects instead of TAB-separated lines
    bool quiet = false;               // no progress display and no page-counter lines
    bool progressOnTerminal = false;  // stderr is a terminal: keep a one-line progress display
};

// The window as the command line shows it: rows go to standard output as soon as they are
// complete, everything else to standard error, all in UTF-8. The run flag is the stored button
// caption, which also reads "开始" once stopRequested is set (Ctrl-C).
class CliWindow : public collect::WindowOperations {
  public:
    CliWindow(std::ostream& out, std::ostream& err, CliOutputOptions options,
              const std::atomic<bool>* stopRequested);

    void setInputs(text::Text keyword, text::Text pageCount);
    void setNextExportFile(std::optional<std::string> path);
    void finishProgress();

    text::Text keywordText() override;
    text::Text pageCountText() override;
    text::Text startButtonCaption() override;
    void setStartButtonCaption(const text::Text& caption) override;
    void setWindowCaption(const text::Text& caption) override;
    text::Text pageCounterCaption() override;
    void setPageCounterCaption(const text::Text& caption) override;
    void raisePageFeedback(std::int32_t pageNumber) override;
    int rowCount() override;
    int appendRow(const text::Text& id) override;
    void setCell(int row, int column, const text::Text& value) override;
    text::Text cell(int row, int column) override;
    void showMessage(const text::Text& message, collect::MessageIcon icon) override;
    std::optional<std::string> chooseExportFile() override;

  private:
    void writeToErr(const std::string& utf8Line);
    void drawProgress();

    std::ostream& out_;
    std::ostream& err_;
    CliOutputOptions options_;
    const std::atomic<bool>* stopRequested_;
    std::recursive_mutex mutex_;

    text::Text keyword_;
    text::Text pageCount_;
    text::Text startButton_;
    text::Text pageCounter_;
    std::vector<collect::ResultRow> rows_;
    std::optional<std::string> nextExportFile_;
    int lastPageShown_ = 0;
    bool progressShown_ = false;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

}  // namespace tavrinel::cli
