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

    // Makes room for this many members, and as many bytes of them with their terminators,
    // without growing again.
    void reserve(std::size_t members, std::size_t bytes = 0);

    // Appends text unless an equal one is present; returns whether it was appended.
    bool add(std::string_view text);

    std::size_t size() const { return ends_.size(); }
    // Member i (0-based), valid until the next add.
    std::string_view operator[](std::size_t i) const;
    // Every member followed by the terminator, in order; the list is left empty.
    std::string takeJoined();

  private:
    void growIndex(std::size_t slotCount);
    std::size_t findSlot(std::string_view text, std::uint32_t hash) const;

    std::string terminator_;
    std::string members_;            // every member followed by the terminator, back to back
    std::vector<std::size_t> ends_;  // end offset of each member in members_
    // Open addressing, a power of two in size: 0 is a free slot, else the member's hash in the
    // upper half and its index + 1 in the lower, so a probe reads a member only on a likely match.
    std::vector<std::uint64_t> slots_;
};

}  // namespace tavrinel::collect
