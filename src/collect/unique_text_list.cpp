#include "collect/unique_text_list.h"

namespace tavrinel::collect {

bool UniqueTextList::add(text::Text text) {
    if (index_.contains(text)) {
        return false;
    }
    index_.insert(items_.emplace_back(std::move(text)));
    return true;
}

}  // namespace tavrinel::collect
