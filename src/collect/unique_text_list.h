#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrinel::collect {

// Texts in the order they were first added, each at most once. Comparison is byte-exact (no
// trimming or case folding; "" is a valid member). Members live back to back in one buffer
// with an open-addressing hash index beside them, so de-duplicating a million rows takes a
// fraction of a second rather than the hours a compare-with-every-member list would.
class UniqueTextList {
  public:
    // Every member is stored followed by terminator, so that takeJoined() gives the members one
    // per line without another copy; the terminator takes no part in comparisons.
    explicit UniqueTextList(std::string_view terminator = {}) : terminator_(terminator) {}

    // Makes room for this many members without growing the index again.
    void reserve(std::size_t members);

    // Appends text unless an equal one is present; returns whether it was appended.
    bool add(std::string_view text);

    std::size_t size() const { return ends_.size(); }
    // Member i (0-based), valid until the next add.
    std::string_view operator[](std::size_t i) const;
    // Every member followed by the terminator, in order; the list is left empty.
    std::string takeJoined();

  private:
    void growIndex(std::size_t slotCount);
    std::size_t findSlot(std::string_view text, std::size_t hash) const;

    std::string terminator_;
    std::string members_;            // every member followed by the terminator, back to back
    std::vector<std::size_t> ends_;  // end offset of each member in members_
    std::vector<std::size_t> hashes_;
    std::vector<std::uint32_t> slots_;  // 0 = free, else member index + 1; size a power of two
};

}  // namespace tavrinel::collect
