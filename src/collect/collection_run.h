#pragma once

#include <cstdint>

#include "collect/configuration.h"
#include "collect/run_activity.h"
#include "collect/window_operations.h"
#include "text/text_types.h"

namespace tavrinel::collect {

// How a run's page loop ended, in the order a run can meet them.
enum class RunEnd {
    kNoPlaceholder,     // the template holds no "{关键字}": nothing was fetched
    kPageCountReached,  // the requested pages are done (none when the count is below 1)
    kStopped,           // the stop check read "开始": a stop request or the last page
    kNoPagerLink,       // a page without pager link (blocked, network, or nothing found)
};

// One collection job: walks the result pages of one keyword, turns every entry into a row of
// the window's results list and reports each next page's number to the page counter. It reaches
// the window only through WindowOperations, and runs on a worker thread of its own.
class CollectionRun {
  public:
    // When activity is given, the run counts as in its page loop from construction (on the
    // thread that starts it) until its page loop has ended.
    CollectionRun(WindowOperations& window, CollectionSettings settings,
                  RunActivity* activity = nullptr);

    // The worker's body: reads keyword and page count from the window, resets the page counter,
    // collects, then sets the button to "开始" and shows "采集已停止".
    RunEnd run();

    // The page loop for an already percent-encoded keyword.
    RunEnd collect(const text::Text& encodedKeyword, std::int32_t pageCount);

  private:
    WindowOperations* window_;
    CollectionSettings settings_;
    RunActivity::Token activityToken_;
};

}  // namespace tavrinel::collect
