#pragma once

#include <string_view>

namespace tavrinel::collect {

enum class StartStopAction {
    kAskForKeyword,        // show "请输入关键字"
    kAskForPageCount,      // show "请输入要采集的页数"
    kRequestStop,          // relabel the button "开始"
    kStartRun,             // relabel the button "停止" and start a run
    kRefuseWhileStopping,  // an earlier run has not left its page loop yet: do nothing
};

// What a click on the start/stop button does, from the two inputs and the button's caption
// (system texts). The input checks come first, so they apply to stop clicks too.
StartStopAction DecideStartStop(std::string_view keyword, std::string_view pageCount,
                                std::string_view startButtonCaption, bool earlierRunInPageLoop);

}  // namespace tavrinel::collect
