#include "text/text_slices.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tavrinel::text {
namespace {

constexpr Position kHuge = PTRDIFF_MAX;

struct SliceCase {
    std::string name;
    Text actual;
    Text expected;
};

// Slices count plain bytes, so they may cut a two-byte character (D6 D0 is one).
TEST(TextSlices, TakeBytesWithinRange) {
    const std::vector<SliceCase> cases = {
        {"LeftSome", TextLeft("abcdef", 2), "ab"},
        {"LeftAll", TextLeft("abc", 3), "abc"},
        {"LeftMoreThanAll", TextLeft("abc", 4), "abc"},
        {"LeftHuge", TextLeft("abc", kHuge), "abc"},
        {"LeftZero", TextLeft("abc", 0), ""},
        {"LeftNegative", TextLeft("abc", -1), ""},
        {"LeftOfEmpty", TextLeft("", 2), ""},
        {"LeftSplitsAPair",
         TextLeft("\xD6\xD0"
                  "A",
                  1),
         "\xD6"},
        {"RightSome", TextRight("abcdef", 2), "ef"},
        {"RightAll", TextRight("abc", 3), "abc"},
        {"RightMoreThanAll", TextRight("abc", 4), "abc"},
        {"RightHuge", TextRight("abc", kHuge), "abc"},
        {"RightZero", TextRight("abc", 0), ""},
        {"RightNegative", TextRight("abc", -3), ""},
        {"RightSplitsAPair", TextRight("A\xD6\xD0", 1), "\xD0"},
        {"MidSome", TextMid("abcdef", 2, 3), "bcd"},
        {"MidFromFirst", TextMid("abc", 1, 1), "a"},
        {"MidLastByte", TextMid("abc", 3, 1), "c"},
        {"MidCutAtTheEnd", TextMid("abc", 2, 10), "bc"},
        {"MidHugeCount", TextMid("abc", 2, kHuge), "bc"},
        {"MidPositionZero", TextMid("abc", 0, 2), ""},
        {"MidPositionNegative", TextMid("abc", -1, 2), ""},
        {"MidPositionPastTheEnd", TextMid("abc", 4, 1), ""},
        {"MidPositionHuge", TextMid("abc", kHuge, 1), ""},
        {"MidCountZero", TextMid("abc", 1, 0), ""},
        {"MidCountNegative", TextMid("abc", 1, -1), ""},
        {"MidOfEmpty", TextMid("", 1, 1), ""},
        {"MidSplitsAPair",
         TextMid("\xD6\xD0"
                 "A",
                 2, 2),
         "\xD0"
         "A"},
    };
    for (const SliceCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.actual, c.expected);
    }
}

}  // namespace
}  // namespace tavrinel::text
