#pragma once

#include <cstddef>
#include <deque>
#include <string_view>
#include <unordered_set>

#include "text/text_types.h"

namespace tavrinel::collect {

// Texts in the order they were first added, each at most once. Comparison is byte-exact (no
// trimming or case folding; "" is a valid member). A hash index beside the list keeps adding
// constant-time, so de-duplicating a million rows takes a moment rather than hours.
class UniqueTextList {
  public:
    // Appends text unless an equal one is present; returns whether it was appended.
    bool add(text::Text text);

    std::size_t size() const { return items_.size(); }
    // deque: references stay valid as items are appended, which the index relies on.
    const std::deque<text::Text>& items() const { return items_; }

  private:
    std::deque<text::Text> items_;
    std::unordered_set<std::string_view> index_;
};

}  // namespace tavrinel::collect
