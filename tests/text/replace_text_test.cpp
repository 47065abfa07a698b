#include "text/replace_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"

namespace tavrinel::text {
namespace {

struct ReplaceCase {
    std::string name;
    Text text;
    Text needle;
    Text replacement;
    bool ignoreCase;
    Text expected;
};

class ReplaceTable : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTable, ReplacesEveryOccurrenceOnACharacterStart) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceText(c.text, c.needle, c.replacement, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTable,
    testing::ValuesIn(std::vector<ReplaceCase>{
        {"Every", "a-b-c", "-", "+", false, "a+b+c"},
        {"ByNothing", "a-b-c", "-", "", false, "abc"},
        {"Longer", "a-b", "-", "<->", false, "a<->b"},
        {"AtBothEnds", "-a-", "-", "+", false, "+a+"},
        {"MatchesDoNotOverlap", "aaa", "aa", "b", false, "ba"},
        {"ReplacementNotSearchedAgain", "ab", "a", "aa", false, "aab"},
        {"EmptyText", "", "a", "b", false, ""},
        {"EmptyNeedleLeavesTheText", "abc", "", "x", false, "abc"},
        {"NeedleLongerThanText", "ab", "abc", "x", false, "ab"},
        {"TailShorterThanNeedleCopied", "abab", "bab", "x", false, "ax"},
        {"ExactKeepsCase", "aAa", "a", "x", false, "xAx"},
        {"IgnoreCase", "aAa", "a", "x", true, "xxx"},
        {"NotFromASecondByte",
         "\xD6\xD0"
         "A",
         "\xD0"
         "A",
         "x", false,
         "\xD6\xD0"
         "A"},
        {"WholePairs",
         "\xD6\xD0"
         "A\xD6\xD0",
         "\xD6\xD0", "zh", false, "zhAzh"},
        // Reading goes on right after a match, where it takes the next byte as a start.
        {"OnLeadBytes", "\xB0\xB0\xB0", "\xB0", "x", false, "xxx"},
        {"LoneLeadByteAtTheEnd", "a\xB0", "\xB0", "", false, "a"},
        {"NotInsideAFourByteForm", "\x95\x32\x82\x36", "\x82\x36", "x", false, "\x95\x32\x82\x36"},
        {"QuoteToken", "=#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", "\"", false, "=\""},
    }),
    testing_support::CaseName());

}  // namespace
}  // namespace tavrinel::text
