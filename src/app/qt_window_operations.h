#pragma once

#include <memory>

#include "app/row_store.h"
#include "app/ui_dispatcher.h"
#include "collect/window_operations.h"

namespace tavrinel::app {

class MainWindow;

// The window as runs and exports see it. Each control operation runs on the user-interface
// thread while the calling worker waits, and at once when the caller is the UI thread; the
// page feedback too. Message boxes and the save dialog leave the window usable while the
// worker waits for the user. Rows go to the shared RowStore directly, so reading a million
// cells costs no trip to the UI thread; the view catches up on its own.
//
// Workers hold it by shared_ptr and may outlive the window: once the window has gone every
// operation gives its fallback at once (empty texts, a cancelled dialog, and "开始" as the
// button's caption, so that an orphaned run stops).
class QtWindowOperations final : public collect::WindowOperations {
  public:
    QtWindowOperations(MainWindow& window, std::shared_ptr<UiDispatcher> dispatcher,
                       std::shared_ptr<RowStore> rows);

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
    MainWindow& window_;  // touched only in work the dispatcher runs on the UI thread
    const std::shared_ptr<UiDispatcher> dispatcher_;
    const std::shared_ptr<RowStore> rows_;
};

}  // namespace tavrinel::app
