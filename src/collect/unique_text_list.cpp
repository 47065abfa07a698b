#include "collect/unique_text_list.h"

#include <functional>

namespace tavrinel::collect {
namespace {

constexpr std::size_t kMinimumSlots = 16;

std::size_t SlotCountFor(std::size_t members) {
    std::size_t slots = kMinimumSlots;
    while (slots < members * 2) {  // keep the index at most half full
        slots *= 2;
    }
    return slots;
}

}  // namespace

void UniqueTextList::reserve(std::size_t members) {
    ends_.reserve(members);
    hashes_.reserve(members);
    if (SlotCountFor(members) > slots_.size()) {
        growIndex(SlotCountFor(members));
    }
}

std::string_view UniqueTextList::operator[](std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1] + terminator_.size();
    return std::string_view(members_).substr(begin, ends_[i] - begin);
}

std::size_t UniqueTextList::findSlot(std::string_view text, std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = slots_[slot];
        if (entry == 0) {
            return slot;
        }
        const std::size_t member = entry - 1;
        if (hashes_[member] == hash && (*this)[member] == text) {
            return slot;
        }
    }
}

bool UniqueTextList::add(std::string_view text) {
    if ((size() + 1) * 2 > slots_.size()) {
        growIndex(SlotCountFor(size() + 1));
    }
    const std::size_t hash = std::hash<std::string_view>{}(text);
    const std::size_t slot = findSlot(text, hash);
    if (slots_[slot] != 0) {
        return false;
    }
    members_.append(text);
    ends_.push_back(members_.size());
    members_.append(terminator_);
    hashes_.push_back(hash);
    slots_[slot] = static_cast<std::uint32_t>(size());
    return true;
}

std::string UniqueTextList::takeJoined() {
    std::string joined = std::move(members_);
    members_.clear();
    ends_.clear();
    hashes_.clear();
    slots_.clear();
    return joined;
}

void UniqueTextList::growIndex(std::size_t slotCount) {
    slots_.assign(slotCount, 0);
    const std::size_t mask = slotCount - 1;
    for (std::size_t member = 0; member < size(); ++member) {
        std::size_t slot = hashes_[member] & mask;
        while (slots_[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = static_cast<std::uint32_t>(member + 1);
    }
}

}  // namespace tavrinel::collect
