#include "collect/page_feedback.h"

#include <string>

#include "collect/text_to_int.h"
#include "collect/ui_texts.h"

namespace tavrinel::collect {

void onPageFeedback(WindowOperations& window, std::int32_t pageNumber) {
    const text::Text caption = window.pageCounterCaption();
    const std::size_t prefixLength = ui::PageCounterPrefix().size();
    const std::string_view afterPrefix =
        caption.size() > prefixLength ? std::string_view(caption).substr(prefixLength) : "";
    const std::int32_t shown = TextToInt(afterPrefix);
    if (shown < pageNumber) {
        window.setPageCounterCaption(ui::PageCounterPrefix() + std::to_string(pageNumber));
        return;
    }
    window.setStartButtonCaption(ui::StartCaption());
    window.setPageCounterCaption(caption + ui::LastPageSuffix());
}

}  // namespace tavrinel::collect
