#include "app/row_store.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace tavrinel::app {

RowStore::RowStore(std::function<void()> changeListener)
    : changeListener_(std::move(changeListener)) {}

int RowStore::rowCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
}

int RowStore::appendRow(const text::Text& id) {
    bool listenerDue = false;
    int index = 0;
    {
        std::lock_guard lock(mutex_);
        if (rows_.size() >= static_cast<std::size_t>(std::numeric_limits<int>::max())) {
            return -1;  // rows are addressed by int; a list that full takes no more
        }
        index = static_cast<int>(rows_.size());
        rows_.push_back(collect::ResultRow{.id = id, .title = {}, .landingUrl = {}, .domain = {}});
        listenerDue = markChangedLocked();
    }
    notify(listenerDue);
    return index;
}

void RowStore::setCell(int row, int column, const text::Text& value) {
    bool listenerDue = false;
    {
        std::lock_guard lock(mutex_);
        if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) {
            return;
        }
        text::Text* cell = collect::CellOf(rows_[static_cast<std::size_t>(row)], column);
        if (cell == nullptr) {
            return;
        }
        *cell = value;
        firstWrittenRow_ =
            lastWrittenRow_ < firstWrittenRow_ ? row : std::min(firstWrittenRow_, row);
        lastWrittenRow_ = std::max(lastWrittenRow_, row);
        listenerDue = markChangedLocked();
    }
    notify(listenerDue);
}

text::Text RowStore::cell(int row, int column) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) {
        return {};
    }
    const text::Text* cell = collect::CellOf(rows_[static_cast<std::size_t>(row)], column);
    return cell == nullptr ? text::Text() : *cell;
}

collect::ResultRow RowStore::row(int row) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) {
        return {};
    }
    return rows_[static_cast<std::size_t>(row)];
}

void RowStore::clear() {
    std::lock_guard lock(mutex_);
    rows_ = {};  // gives the memory back, not only the rows
    firstWrittenRow_ = 0;
    lastWrittenRow_ = -1;
}

RowStore::Changes RowStore::takeChanges() {
    std::lock_guard lock(mutex_);
    Changes changes{.rowCount = static_cast<int>(rows_.size()),
                    .firstWrittenRow = firstWrittenRow_,
                    .lastWrittenRow = lastWrittenRow_};
    firstWrittenRow_ = 0;
    lastWrittenRow_ = -1;
    changePending_ = false;
    return changes;
}

bool RowStore::markChangedLocked() {
    const bool listenerDue = !changePending_;
    changePending_ = true;
    return listenerDue;
}

void RowStore::notify(bool listenerDue) const {
    if (listenerDue && changeListener_) {
        changeListener_();
    }
}

}  // namespace tavrinel::app
