#include "text/between_markers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "text/charset_converter.h"

namespace tavrinel::text {
namespace {

// "#引号" in the system's text: "#" followed by the bytes of 引号.
const Text kQuoteToken = "#\xD2\xFD\xBA\xC5";

TEST(QuoteToken, IsTheSystemFormOfTheChineseLiteral) {
    EXPECT_EQ(Utf8ToSystem("#引号"), kQuoteToken);
}

struct BetweenCase {
    std::string name;
    Text text;
    Text left;
    Text right;
    Text expected;
    Position startPosition = 0;
    bool ignoreCase = false;
};

class BetweenTable : public testing::TestWithParam<BetweenCase> {};

TEST_P(BetweenTable, GivesTheFirstTextBetweenTheMarkers) {
    const BetweenCase& c = GetParam();
    EXPECT_EQ(BetweenMarkers(c.text, c.left, c.right, c.startPosition, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BetweenTable,
    testing::ValuesIn(std::vector<BetweenCase>{
        {.name = "First",
         .text = "x<b>one</b><b>two</b>",
         .left = "<b>",
         .right = "</b>",
         .expected = "one"},
        {.name = "FromStartPosition",
         .text = "x<b>one</b><b>two</b>",
         .left = "<b>",
         .right = "</b>",
         .expected = "two",
         .startPosition = 8},
        {.name = "NegativeStartMeansFirstByte",
         .text = "[a]",
         .left = "[",
         .right = "]",
         .expected = "a",
         .startPosition = -3},
        {.name = "StartPastTheEnd",
         .text = "[a]",
         .left = "[",
         .right = "]",
         .expected = "",
         .startPosition = 4},
        {.name = "LeftMissing", .text = "a]", .left = "[", .right = "]", .expected = ""},
        {.name = "RightMissingAfterLeft", .text = "[a", .left = "[", .right = "]", .expected = ""},
        {.name = "RightOnlyBeforeLeft", .text = "]a[", .left = "[", .right = "]", .expected = ""},
        {.name = "RightSearchedOnlyAfterLeft",
         .text = "[x]",
         .left = "[x",
         .right = "x]",
         .expected = ""},
        {.name = "BlanksKept", .text = "[ a ]", .left = "[", .right = "]", .expected = " a "},
        {.name = "RightDirectlyBehindLeft",
         .text = "[]x]",
         .left = "[",
         .right = "]",
         .expected = ""},
        {.name = "ExactByDefault",
         .text = "<B>x</B>",
         .left = "<b>",
         .right = "</b>",
         .expected = ""},
        {.name = "IgnoringCase",
         .text = "<B>x</B>",
         .left = "<b>",
         .right = "</b>",
         .expected = "x",
         .startPosition = 0,
         .ignoreCase = true},
        {.name = "QuoteTokenInBothMarkers",
         .text = "a=\"v\"",
         .left = "=" + kQuoteToken,
         .right = kQuoteToken,
         .expected = "v"},
        {.name = "QuoteTokenTwice",
         .text = "x=\"\"y\"\"",
         .left = "x=" + kQuoteToken + kQuoteToken,
         .right = kQuoteToken,
         .expected = "y"},
        {.name = "QuoteTokenInTextIsPlainText",
         .text = "[" + kQuoteToken + "]",
         .left = "[",
         .right = kQuoteToken,
         .expected = ""},
        {.name = "LeftMarkerNotFromASecondByte",
         .text = "\xD6\xD0"
                 "A]",
         .left = "\xD0"
                 "A",
         .right = "]",
         .expected = ""},
        {.name = "ChineseMarkers",
         .text = "\xB0\xD9\xB6\xC8"
                 "42\xB8\xF6",
         .left = "\xB0\xD9\xB6\xC8",
         .right = "\xB8\xF6",
         .expected = "42"},
        {.name = "EmptyLeftMarker", .text = "[a]", .left = "", .right = "]", .expected = ""},
        {.name = "EmptyRightMarker", .text = "[a]", .left = "[", .right = "", .expected = ""},
    }),
    testing_support::CaseName());

struct AllBetweenCase {
    std::string name;
    Text text;
    Text left;
    Text right;
    TextList expected;
    bool caseSensitive = false;
    std::size_t maxLength = 0;
    Text prefix{};
    Text suffix{};
    bool keepLeftMarker = false;
    bool keepRightMarker = false;
    Position startPosition = 0;
};

class AllBetweenTable : public testing::TestWithParam<AllBetweenCase> {};

// The list starts with a stale item, so every case also checks that it is emptied first.
TEST_P(AllBetweenTable, FillsTheListWithEveryItem) {
    const AllBetweenCase& c = GetParam();
    TextList list = {"stale"};
    const std::size_t count =
        AllBetweenMarkers(c.text, c.left, c.right, list, c.caseSensitive, c.maxLength, c.prefix,
                          c.suffix, c.keepLeftMarker, c.keepRightMarker, c.startPosition);
    EXPECT_EQ(list, c.expected);
    EXPECT_EQ(count, list.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AllBetweenTable,
    testing::ValuesIn(std::vector<AllBetweenCase>{
        {.name = "EmptyPairSkippedAndItemsTrimmed",
         .text = "[a][ b ][][c]",
         .left = "[",
         .right = "]",
         .expected = {"a", "b", "c"}},
        // Each right marker is searched again as the next left marker.
        {.name = "RightMarkerBeginsTheNextItem",
         .text = "|a|b|c|",
         .left = "|",
         .right = "|",
         .expected = {"a", "b", "c"}},
        {.name = "EmptyItemThenOne", .text = "||x|", .left = "|", .right = "|", .expected = {"x"}},
        // After the blank item the scan resumes behind its left marker, where " y" overlaps
        // the old right marker and starts the item " z ".
        {.name = "ResumesAfterTheLeftMarkerOfABlankItem",
         .text = " y  y z y",
         .left = " y",
         .right = "y",
         .expected = {"z"}},
        {.name = "FullWidthBlankItemSkipped",
         .text = "[\xA1\xA1][\xA1\xA1x ]",
         .left = "[",
         .right = "]",
         .expected = {"x"}},
        {.name = "NothingFound", .text = "abc", .left = "[", .right = "]", .expected = {}},
        {.name = "RightMarkerMissing", .text = "[a", .left = "[", .right = "]", .expected = {}},
        {.name = "StopsAtTheFirstMissingRightMarker",
         .text = "[a][b",
         .left = "[",
         .right = "]",
         .expected = {"a"}},
        {.name = "IgnoresCaseByDefault",
         .text = "<B>x</B><b>y</b>",
         .left = "<b>",
         .right = "</b>",
         .expected = {"x", "y"}},
        {.name = "CaseSensitive",
         .text = "<B>x</B><b>y</b>",
         .left = "<b>",
         .right = "</b>",
         .expected = {"y"},
         .caseSensitive = true},
        {.name = "QuoteTokenIsPlainText",
         .text = "a=\"v\"",
         .left = "=" + kQuoteToken,
         .right = kQuoteToken,
         .expected = {}},
        {.name = "QuoteTokenFoundLiterally",
         .text = "=" + kQuoteToken + "v" + kQuoteToken,
         .left = "=" + kQuoteToken,
         .right = kQuoteToken,
         .expected = {"v"}},
        {.name = "MaxLengthDropsLongItems",
         .text = "[ab][abc][a]",
         .left = "[",
         .right = "]",
         .expected = {"ab", "a"},
         .maxLength = 3},
        {.name = "MaxLengthCountsKeptMarkers",
         .text = "[a][ab]",
         .left = "[",
         .right = "]",
         .expected = {"[a"},
         .maxLength = 3,
         .keepLeftMarker = true},
        {.name = "MaxLengthCountsPrefixAndSuffix",
         .text = "[a][ab]",
         .left = "[",
         .right = "]",
         .expected = {"<a>"},
         .maxLength = 4,
         .prefix = "<",
         .suffix = ">"},
        // A prefix makes even a blank item worth storing.
        {.name = "PrefixAndSuffix",
         .text = "[ a ][ ]",
         .left = "[",
         .right = "]",
         .expected = {"<a>", "<>"},
         .prefix = "<",
         .suffix = ">"},
        {.name = "KeepBothMarkers",
         .text = "x[a]y",
         .left = "[",
         .right = "]",
         .expected = {"[a]"},
         .keepLeftMarker = true,
         .keepRightMarker = true},
        {.name = "KeptMarkersAreThoseGiven",
         .text = "<B>x</B>",
         .left = "<b>",
         .right = "</b>",
         .expected = {"<b>x</b>"},
         .keepLeftMarker = true,
         .keepRightMarker = true},
        {.name = "KeepRightMarkerOnly",
         .text = "[a]",
         .left = "[",
         .right = "]",
         .expected = {"a]"},
         .keepRightMarker = true},
        {.name = "StartPosition",
         .text = "[a][b]",
         .left = "[",
         .right = "]",
         .expected = {"b"},
         .startPosition = 2},
        {.name = "StartPastTheEnd",
         .text = "[a]",
         .left = "[",
         .right = "]",
         .expected = {},
         .startPosition = 9},
        {.name = "ResultEntries",
         .text = "<div>{\"title\":\"\xD6\xD0\",\"url\":\"u1\"}'></div>{\"TITLE\":\"b\"}'>",
         .left = "{\"title\":",
         .right = "}'>",
         .expected = {"\"\xD6\xD0\",\"url\":\"u1\"", "\"b\""}},
        {.name = "NotFromASecondByte",
         .text = "\xD6\xD0"
                 "A[x]",
         .left = "\xD0"
                 "A",
         .right = "]",
         .expected = {}},
        {.name = "EmptyLeftMarkerEnds", .text = "[a]", .left = "", .right = "]", .expected = {}},
        {.name = "EmptyRightMarkerEnds", .text = "[a]", .left = "[", .right = "", .expected = {}},
    }),
    testing_support::CaseName());

}  // namespace
}  // namespace tavrinel::text
