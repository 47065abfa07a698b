#include "text/spaces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"

namespace tavrinel::text {
namespace {

struct BlankCase {
    std::string name;
    Text text;
    Text trimmed;
    Text withoutBlanks;
};

class BlankTable : public testing::TestWithParam<BlankCase> {};

TEST_P(BlankTable, TrimSpacesDropsBlanksAtBothEnds) {
    EXPECT_EQ(TrimSpaces(GetParam().text), GetParam().trimmed);
}

TEST_P(BlankTable, RemoveSpacesDropsEveryBlank) {
    EXPECT_EQ(RemoveSpaces(GetParam().text), GetParam().withoutBlanks);
}

// Blanks are 20 and the full-width space A1 A1, the latter only where it begins a character.
INSTANTIATE_TEST_SUITE_P(
    Cases, BlankTable,
    testing::ValuesIn(std::vector<BlankCase>{
        {"Empty", "", "", ""},
        {"OnlySpaces", "   ", "", ""},
        {"OnlyFullWidthSpaces", "\xA1\xA1 \xA1\xA1", "", ""},
        {"SpacesAroundWords", "  a b  ", "a b", "ab"},
        {"FullWidthAround",
         "\xA1\xA1"
         "a\xA1\xA1"
         "b\xA1\xA1",
         "a\xA1\xA1"
         "b",
         "ab"},
        {"TabCrLfAreNoBlanks", "\t x \r\n", "\t x \r\n", "\tx\r\n"},
        {"BlanksInsideTabs", " \t a \t ", "\t a \t", "\ta\t"},
        {"ChineseKept", " \xD6\xD0 \xCE\xC4 ", "\xD6\xD0 \xCE\xC4", "\xD6\xD0\xCE\xC4"},
        // B0 A1 is one character; the A1 A1 after it is a full-width space.
        {"PairBeforeFullWidthSpace", "\xB0\xA1\xA1\xA1", "\xB0\xA1", "\xB0\xA1"},
        // B0 A1 is one character and the last A1 stands alone: no blank here.
        {"SecondByteA1IsNoBlank", "\xB0\xA1\xA1", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
        // A1 A1 then A1 B0: one blank, then a character.
        {"FullWidthThenPairWithA1", "\xA1\xA1\xA1\xB0", "\xA1\xB0", "\xA1\xB0"},
        {"LoneA1AtTheEnd", "\xA1\xA1\xA1", "\xA1", "\xA1"},
        // A1 20 is one character, so its 20 is no blank.
        {"SpaceAsSecondByteAtTheStart", "\xA1 a", "\xA1 a", "\xA1 a"},
        {"SpaceAsSecondByteAtTheEnd", "x\xB0\xA1\xA1 ", "x\xB0\xA1\xA1 ", "x\xB0\xA1\xA1 "},
        {"FourByteFormKept", " \x95\x32\x82\x36 ", "\x95\x32\x82\x36", "\x95\x32\x82\x36"},
    }),
    testing_support::CaseName());

}  // namespace
}  // namespace tavrinel::text
