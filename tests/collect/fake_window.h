#pragma once

#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "collect/page_feedback.h"
#include "collect/result_row.h"
#include "collect/ui_texts.h"
#include "collect/window_operations.h"
#include "text/charset_converter.h"

namespace tavrinel::testing {

// An in-memory window for engine tests: every operation is recorded, thread-safe, and the page
// feedback runs the real handler at once, as the window's UI thread would.
class FakeWindow : public collect::WindowOperations {
  private:
    template <typename F>
    auto locked(F&& f) {
        std::lock_guard lock(mutex_);
        return f();
    }
    std::recursive_mutex mutex_;

  public:
    using Cells = std::array<text::Text, collect::kResultColumnCount>;

    text::Text keyword;
    text::Text pageCount;
    text::Text startButton = collect::ui::StopCaption();  // as the start click leaves it
    text::Text windowCaption;
    text::Text pageCounter = collect::ui::PageCounterPrefix() + "0";
    std::vector<Cells> rows;
    std::vector<text::Text> messages;
    std::vector<std::int32_t> pageFeedbacks;
    std::optional<std::string> exportPath;
    // Called after each completed row (after its domain cell is set), outside the lock.
    std::function<void(FakeWindow&, int row)> afterRowCompleted;

    text::Text keywordText() override {
        return locked([&] { return keyword; });
    }
    text::Text pageCountText() override {
        return locked([&] { return pageCount; });
    }
    text::Text startButtonCaption() override {
        return locked([&] { return startButton; });
    }
    void setStartButtonCaption(const text::Text& caption) override {
        locked([&] { startButton = caption; });
    }
    void setWindowCaption(const text::Text& caption) override {
        locked([&] { windowCaption = caption; });
    }
    text::Text pageCounterCaption() override {
        return locked([&] { return pageCounter; });
    }
    void setPageCounterCaption(const text::Text& caption) override {
        locked([&] { pageCounter = caption; });
    }
    void raisePageFeedback(std::int32_t pageNumber) override {
        locked([&] { pageFeedbacks.push_back(pageNumber); });
        collect::onPageFeedback(*this, pageNumber);
    }
    int rowCount() override {
        return locked([&] { return static_cast<int>(rows.size()); });
    }
    int appendRow(const text::Text& id) override {
        return locked([&] {
            rows.push_back(Cells{id, "", "", ""});
            return static_cast<int>(rows.size()) - 1;
        });
    }
    void setCell(int row, int column, const text::Text& value) override {
        const bool exists = locked([&] {
            if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 ||
                column >= collect::kResultColumnCount) {
                return false;
            }
            rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = value;
            return true;
        });
        if (exists && column == collect::kDomainColumn && afterRowCompleted) {
            afterRowCompleted(*this, row);
        }
    }
    text::Text cell(int row, int column) override {
        return locked([&]() -> text::Text {
            if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 ||
                column >= collect::kResultColumnCount) {
                return {};
            }
            return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
        });
    }
    void showMessage(const text::Text& message, collect::MessageIcon icon) override {
        locked([&] {
            messages.push_back(message);
            icons.push_back(icon);
        });
    }
    std::optional<std::string> chooseExportFile() override {
        return locked([&] { return exportPath; });
    }

    void deleteAllRows() {
        locked([&] { rows.clear(); });
    }

    std::vector<collect::MessageIcon> icons;
};

// UTF-8 literal to the system's text, for readable expectations.
inline text::Text Sys(std::string_view utf8) { return text::Utf8ToSystem(utf8); }

}  // namespace tavrinel::testing
