#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "text/text_types.h"

namespace tavrinel::collect {

enum class MessageIcon { kInformation, kError };

// The window as a collection run and an export see it: single control operations, each carried
// out atomically with respect to the window's own handlers. Workers call them from their own
// threads; an implementation delivers each call to its user-interface thread and waits.
// All texts are in the system's text (GB18030).
class WindowOperations {
  public:
    virtual ~WindowOperations() = default;

    // Inputs of a run, read once when it starts.
    virtual text::Text keywordText() = 0;
    virtual text::Text pageCountText() = 0;

    // The start button's caption is the run flag: "开始" idle or stopping, "停止" running.
    virtual text::Text startButtonCaption() = 0;
    virtual void setStartButtonCaption(const text::Text& caption) = 0;

    virtual void setWindowCaption(const text::Text& caption) = 0;

    // The page counter label. The run itself only raises the feedback event; the handler
    // (onPageFeedback, on the user-interface thread) reads and writes the caption.
    virtual text::Text pageCounterCaption() = 0;
    virtual void setPageCounterCaption(const text::Text& caption) = 0;
    // Runs onPageFeedback(*this, pageNumber) on the user-interface thread; returns after it has.
    virtual void raisePageFeedback(std::int32_t pageNumber) = 0;

    // The results list. Rows are 0-based; a row or column that does not exist reads as "" and
    // ignores writes.
    virtual int rowCount() = 0;
    virtual int appendRow(const text::Text& id) = 0;  // returns the new row's index
    virtual void setCell(int row, int column, const text::Text& value) = 0;
    virtual text::Text cell(int row, int column) = 0;

    // Shows a message box and returns once the user has closed it.
    virtual void showMessage(const text::Text& message,
                             MessageIcon icon = MessageIcon::kInformation) = 0;

    // Asks for the file an export writes to; nullopt when the user cancelled.
    virtual std::optional<std::string> chooseExportFile() = 0;
};

}  // namespace tavrinel::collect
