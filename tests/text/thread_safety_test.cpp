#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "text/charset_converter.h"
#include "text/find_text.h"

namespace tavrinel::text {
namespace {

// The primitives share nothing, so calls on several threads at once must give what one thread
// gets alone. Cheap here; run under ThreadSanitizer it also looks for races.
TEST(ThreadSafety, ConvertCharsetAndFindTextAgreeAcrossThreads) {
    std::string page;
    for (int i = 0; i < 200; ++i) {
        page += "<div>{\"title\":\"\xE4\xB8\xAD\xE6\x96\x87\xF0\x9F\x98\x80\",\"url\":\"u" +
                std::to_string(i) + "\"}'>\xFF</div>\n";
    }
    const Text expectedSystem = ConvertCharset(page);
    ASSERT_FALSE(expectedSystem.empty());
    const std::vector<Text> needles = {"{\"TITLE\":", "}'>", "u199", Utf8ToSystem("\xE6\x96\x87"),
                                       "\x84\x31\xA4\x37"};
    std::vector<Position> expectedFinds;
    for (const Text& needle : needles) {
        expectedFinds.push_back(FindText(expectedSystem, needle, 1, true));
        expectedFinds.push_back(FindText(expectedSystem, needle, 300, false));
    }

    constexpr int kThreads = 4;
    constexpr int kRounds = 25;
    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                const Text system = ConvertCharset(page);
                mismatches[t] += system != expectedSystem ? 1 : 0;
                std::size_t k = 0;
                for (const Text& needle : needles) {
                    mismatches[t] += FindText(system, needle, 1, true) != expectedFinds[k++];
                    mismatches[t] += FindText(system, needle, 300, false) != expectedFinds[k++];
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(kThreads, 0));
}

}  // namespace
}  // namespace tavrinel::text
