#include "collect/start_stop.h"

#include "collect/ui_texts.h"

namespace tavrinel::collect {

StartStopAction DecideStartStop(std::string_view keyword, std::string_view pageCount,
                                std::string_view startButtonCaption, bool earlierRunInPageLoop) {
    if (keyword.empty()) {
        return StartStopAction::kAskForKeyword;
    }
    if (pageCount.empty()) {
        return StartStopAction::kAskForPageCount;
    }
    if (startButtonCaption != ui::StartCaption()) {
        return StartStopAction::kRequestStop;
    }
    return earlierRunInPageLoop ? StartStopAction::kRefuseWhileStopping
                                : StartStopAction::kStartRun;
}

}  // namespace tavrinel::collect
