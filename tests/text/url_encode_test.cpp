#include "text/url_encode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "case_name.h"

namespace tavrinel::text {
namespace {

struct EncodeCase {
    std::string name;
    Text text;
    bool keepUnreserved;
    bool toUtf8;
    Text expected;
};

class UrlEncodeTable : public testing::TestWithParam<EncodeCase> {};

TEST_P(UrlEncodeTable, PercentEncodesTheBytes) {
    const EncodeCase& c = GetParam();
    EXPECT_EQ(UrlEncode(c.text, c.keepUnreserved, c.toUtf8), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UrlEncodeTable,
    testing::ValuesIn(std::vector<EncodeCase>{
        {"Empty", "", true, true, ""},
        {"EmptyWithoutOptions", "", false, false, ""},
        {"UnreservedKept", "Ab-9.z", true, true, "Ab-9.z"},
        {"EverythingEscapedWithoutKeep", "Ab", false, true, "%41%62"},
        {"SpaceIsPercent20", "a b", true, true, "a%20b"},
        {"UnderscoreAndTilde", "a_b~c", true, true, "a%5Fb%7Ec"},
        {"OtherMarksEscaped", "_~*/", true, true, "%5F%7E%2A%2F"},
        {"QueryCharacters", "a&b=c+d%", true, true, "a%26b%3Dc%2Bd%25"},
        {"ChineseAsUtf8", "\xD6\xD0", true, true, "%E4%B8%AD"},
        {"ChineseAsSystemBytes", "\xD6\xD0", true, false, "%D6%D0"},
        {"ChineseAsSystemBytesAllEscaped", "\xD6\xD0", false, false, "%D6%D0"},
        {"TabHasALeadingZero", "\t", true, true, "%09"},
        {"LineFeed", "\n", false, false, "%0A"},
        {"KeywordWithSpace", "\xD6\xD0 a", true, true, "%E4%B8%AD%20a"},
        // A character GBK lacks survives into UTF-8 (U+1F600 from its four-byte form).
        {"FourByteFormAsUtf8", "\x94\x39\xFC\x36", true, true, "%F0%9F%98%80"},
    }),
    testing_support::CaseName());

// Every byte value: with keepUnreserved exactly letters, digits, "-" and "." stay; every other
// byte becomes "%" and two upper-case hex digits.
TEST(UrlEncodeSweep, KeepsExactlyTheUnreservedBytes) {
    constexpr std::string_view kUnreserved =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-.";
    for (int byte = 0x01; byte <= 0xFF; ++byte) {
        const Text text(1, static_cast<char>(byte));
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
        const bool kept = kUnreserved.find(static_cast<char>(byte)) != std::string_view::npos;
        SCOPED_TRACE(byte);
        EXPECT_EQ(UrlEncode(text, true, false), kept ? text : Text(escaped));
        EXPECT_EQ(UrlEncode(text, false, false), Text(escaped));
    }
}

TEST(GbkToUtf8, ConvertsSystemText) {
    EXPECT_EQ(GbkToUtf8("a\xD6\xD0"), "a\xE4\xB8\xAD");
    EXPECT_EQ(GbkToUtf8(""), "");
}

}  // namespace
}  // namespace tavrinel::text
