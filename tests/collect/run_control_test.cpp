// The small decisions around a run: numbers read from texts, the page-count box, the start
// click and the page counter's feedback handler.
#include <gtest/gtest.h>

#include "collect/page_count_text.h"
#include "collect/page_feedback.h"
#include "collect/start_stop.h"
#include "collect/text_to_int.h"
#include "fake_window.h"

namespace tavrinel::collect {
namespace {

using testing::FakeWindow;
using testing::Sys;

TEST(TextToInt, ReadsLeadingSignedDigits) {
    struct Case {
        const char* text;  // UTF-8
        std::int32_t value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"42", 42},
        {" \t\r\n\v\f-17x", -17},
        {"+8", 8},
        {"12abc34", 12},
        {"- 5", 0},
        {"２５", 25},      // full-width digits fold
        {"　－３", -3},    // full-width space and minus fold
        {"当前页：7", 0},  // no leading digits
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},  // clamped, not undefined
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextToInt(Sys(c.text)), c.value);
    }
}

TEST(NormalizePageCountText, ReadsSixtyFourBitsAndClampsToThirtyTwo) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"10", "10"},
        {"0", ""},
        {"", ""},
        {"abc", ""},
        {"12abc", "12"},
        {"007", "7"},
        {"-5", "-5"},
        {"-0", ""},
        {"99999999999", "2147483647"},
        {"-99999999999", "-2147483648"},
        {"  42", "42"},
        {"+3", "3"},
        {"1-2", "1"},
        {"99999999999999999999999", "2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(NormalizePageCountText(c.typed), c.shown);
    }
}

TEST(DecideStartStop, ChecksInputsBeforeTheCaption) {
    const text::Text start = ui::StartCaption();
    const text::Text stop = ui::StopCaption();
    struct Case {
        const char* name;
        text::Text keyword, pageCount, caption;
        bool stopping;
        StartStopAction action;
    } cases[] = {
        {"empty keyword wins over empty count", "", "", start, false,
         StartStopAction::kAskForKeyword},
        {"empty keyword also on a stop click", "", "10", stop, false,
         StartStopAction::kAskForKeyword},
        {"empty count", "k", "", start, false, StartStopAction::kAskForPageCount},
        {"blank keyword is content", " ", "10", start, false, StartStopAction::kStartRun},
        {"stop click", "k", "10", stop, false, StartStopAction::kRequestStop},
        {"start refused while stopping", "k", "10", start, true,
         StartStopAction::kRefuseWhileStopping},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecideStartStop(c.keyword, c.pageCount, c.caption, c.stopping), c.action);
    }
}

TEST(OnPageFeedback, ShowsGrowingNumbersAndEndsAtTheLastPage) {
    FakeWindow window;
    onPageFeedback(window, 1);
    EXPECT_EQ(window.pageCounter, Sys("当前页：1"));
    EXPECT_EQ(window.startButton, ui::StopCaption());

    onPageFeedback(window, 2);
    EXPECT_EQ(window.pageCounter, Sys("当前页：2"));

    onPageFeedback(window, 2);  // not greater: the last page
    EXPECT_EQ(window.pageCounter, Sys("当前页：2 已到最后一页"));
    EXPECT_EQ(window.startButton, ui::StartCaption());
}

TEST(OnPageFeedback, PageNumberZeroIsTheLastPage) {
    FakeWindow window;
    onPageFeedback(window, 0);
    EXPECT_EQ(window.pageCounter, Sys("当前页：0 已到最后一页"));
    EXPECT_EQ(window.startButton, ui::StartCaption());
}

}  // namespace
}  // namespace tavrinel::collect
