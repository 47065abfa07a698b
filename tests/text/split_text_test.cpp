#include "text/split_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"

namespace tavrinel::text {
namespace {

struct SplitCase {
    std::string name;
    Text text;
    Text delimiter;
    TextList expected;
};

class SplitTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTable, GivesThePiecesBetweenDelimiters) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitText(c.text, c.delimiter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitTable,
                         testing::ValuesIn(std::vector<SplitCase>{
                             {"Lines", "a\r\n\r\nb\r\n", "\r\n", {"a", "", "b"}},
                             {"LeadingDelimiter", "\r\nb", "\r\n", {"", "b"}},
                             {"NoDelimiterInText", "abc", ",", {"abc"}},
                             {"EmptyText", "", ",", {}},
                             {"EmptyDelimiterGivesTheWholeText", "a,b", "", {"a,b"}},
                             {"OnlyADelimiter", ",", ",", {""}},
                             {"OnlyDelimiters", ",,", ",", {"", ""}},
                             {"EmptyLastPieceDropped", "a,b,", ",", {"a", "b"}},
                             {"CaseMatters", "aXbxc", "x", {"aXb", "c"}},
                             {"NonOverlapping", "aaa", "aa", {"", "a"}},
                             {"NotFromASecondByte",
                              "\xD6\xD0"
                              "A",
                              "\xD0"
                              "A",
                              {"\xD6\xD0"
                               "A"}},
                             {"AsciiSecondByteIsNoDelimiter", "\xB0|a|b", "|", {"\xB0|a", "b"}},
                             {"ChineseDelimiter",
                              "a\xA3\xAC"
                              "b",
                              "\xA3\xAC",
                              {"a", "b"}},
                             {"Tabs", "t\tu\td", "\t", {"t", "u", "d"}},
                         }),
                         testing_support::CaseName());

}  // namespace
}  // namespace tavrinel::text
