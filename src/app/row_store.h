#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "collect/result_row.h"
#include "text/text_types.h"

namespace tavrinel::app {

// The rows of the results list, shared by the user-interface thread and the threads of runs
// and exports. Every operation is atomic and none waits for the user-interface thread, so an
// export reading a million cells or a run appending rows never stalls on the window. The view
// catches up through takeChanges(), prompted by the change listener.
class RowStore {
  public:
    // What changed since the last takeChanges(): the row count now, and the span of rows whose
    // cells were written (empty when firstWrittenRow > lastWrittenRow).
    struct Changes {
        int rowCount = 0;
        int firstWrittenRow = 0;
        int lastWrittenRow = -1;
    };

    // changeListener runs after a change, outside the store's lock, on the changing thread, and
    // only when no earlier change is still waiting to be taken: one prompt per batch.
    explicit RowStore(std::function<void()> changeListener = {});

    int rowCount() const;
    // Appends a row with id in its first cell and the others empty; returns its index.
    int appendRow(const text::Text& id);
    // A row or column that does not exist ignores the write and reads as the empty text.
    void setCell(int row, int column, const text::Text& value);
    text::Text cell(int row, int column) const;
    collect::ResultRow row(int row) const;
    void clear();

    Changes takeChanges();

  private:
    // Marks a change; true when the listener must be told.
    bool markChangedLocked();
    void notify(bool listenerDue) const;

    mutable std::mutex mutex_;
    // A deque never moves its rows when it grows, so an append never holds the lock for long.
    std::deque<collect::ResultRow> rows_;
    int firstWrittenRow_ = 0;
    int lastWrittenRow_ = -1;
    bool changePending_ = false;
    const std::function<void()> changeListener_;
};

}  // namespace tavrinel::app
