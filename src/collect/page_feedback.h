#pragma once

#include <cstdint>

#include "collect/window_operations.h"

namespace tavrinel::collect {

// The page counter's feedback handler, run on the user-interface thread while the run waits.
// Shows pageNumber when it is above the number shown; otherwise this was the last page: the
// button becomes "开始" (the run ends at its next stop check) and " 已到最后一页" is appended.
void onPageFeedback(WindowOperations& window, std::int32_t pageNumber);

}  // namespace tavrinel::collect
