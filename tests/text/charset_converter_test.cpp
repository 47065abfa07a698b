#include "text/charset_converter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "case_name.h"
#include "utf8_encode.h"

namespace tavrinel::text {
namespace {

using testing_support::EncodeUtf8;
using testing_support::ScalarValuesAsUtf8;

// U+FFFD in each charset.
const Text kReplacementInSystem = "\x84\x31\xA4\x37";
const std::string kReplacementInUtf8 = "\xEF\xBF\xBD";

struct ConvertCase {
    std::string name;
    ByteBuffer bytes;
    std::string fromCharset;
    std::string toCharset;
    ByteBuffer expected;
    std::optional<std::size_t> skipBytes = std::nullopt;
};

class ConvertTable : public testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTable, ConvertsBetweenCharsets) {
    const ConvertCase& c = GetParam();
    EXPECT_EQ(ConvertCharset(c.bytes, c.fromCharset, c.toCharset, c.skipBytes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvertTable,
                         testing::ValuesIn(std::vector<ConvertCase>{
                             {"Utf8ToGbkByDefault", "\xE4\xB8\xAD", "", "", "\xD6\xD0"},
                             {"NamedUtf8ToGbk", "\xE4\xB8\xAD", "UTF-8", "GBK", "\xD6\xD0"},
                             {"NamesIgnoreCase", "\xE4\xB8\xAD", "utf-8", "gbk", "\xD6\xD0"},
                             {"Cp936MeansGbk", "\xE4\xB8\xAD", "UTF-8", "CP936", "\xD6\xD0"},
                             {"GbkToUtf8", "a\xD6\xD0", "GBK", "UTF-8", "a\xE4\xB8\xAD"},
                             {"AsciiUnchanged", "<a href=\"x\">", "", "", "<a href=\"x\">"},
                             {"EmptyInput", "", "", "", ""},
                             {"EmptyInputNamed", "", "UTF-8", "GBK", ""},
                             {"UnknownSourceCharset", "abc", "NO-SUCH-CHARSET", "GBK", ""},
                             {"UnknownTargetCharset", "abc", "UTF-8", "NO-SUCH-CHARSET", ""},
                             {"SkipBytes", "a\xE4\xB8\xAD", "", "", "\xD6\xD0", 1},
                             {"SkipZero", "ab", "", "", "ab", 0},
                             {"SkipMoreThanAll", "ab", "", "", "", 5},
                             // Broken input becomes U+FFFD and the text after it survives.
                             {"LoneFF",
                              "a\xFF"
                              "b",
                              "", "", "a" + kReplacementInSystem + "b"},
                             {"StrayContinuationByte",
                              "a\x80"
                              "b",
                              "", "", "a" + kReplacementInSystem + "b"},
                             {"TruncatedAtTheEnd", "a\xE4\xB8", "", "", "a" + kReplacementInSystem},
                             {"TruncatedBeforeAscii",
                              "\xE4\xB8"
                              "b",
                              "", "", kReplacementInSystem + "b"},
                             {"BrokenBetweenChinese", "\xE4\xB8\xAD\xFF\xE4\xB8\xAD", "", "",
                              "\xD6\xD0" + kReplacementInSystem + "\xD6\xD0"},
                             {"GbkLoneLeadByteAtTheEnd", "a\xD6", "GBK", "UTF-8",
                              "a" + kReplacementInUtf8},
                         }),
                         testing_support::CaseName());

TEST(ConvertCharset, EmptyCharsetNamesMeanUtf8AndGbk) {
    const std::string utf8 = "\xE4\xB8\xAD a\xF0\x9F\x98\x80\xFF";
    EXPECT_EQ(ConvertCharset(utf8), ConvertCharset(utf8, "UTF-8", "GBK"));
    EXPECT_EQ(ConvertCharset(utf8, "", ""), ConvertCharset(utf8, "UTF-8", "GBK"));
}

// Replacements longer than the bytes they replace must grow the output, never overrun it.
TEST(ConvertCharset, ManyReplacementsGrowTheOutput) {
    const std::size_t count = 5000;
    Text expectedSystem;
    std::string expectedUtf8;
    for (std::size_t i = 0; i < count; ++i) {
        expectedSystem += kReplacementInSystem;
        expectedUtf8 += kReplacementInUtf8;
    }
    EXPECT_EQ(ConvertCharset(std::string(count, '\xFF')), expectedSystem);
    EXPECT_EQ(ConvertCharset(std::string(count, '\x80'), "GBK", "UTF-8"), expectedUtf8);
}

struct RoundTripCase {
    std::string name;
    char32_t codePoint;
};

class RoundTripTable : public testing::TestWithParam<RoundTripCase> {};

// Characters GBK lacks survive UTF-8 -> system text -> UTF-8; GBK would have made them "?".
TEST_P(RoundTripTable, SurvivesTheSystemText) {
    const std::string utf8 = "<" + EncodeUtf8(GetParam().codePoint) + ">";
    const Text system = ConvertCharset(utf8);
    EXPECT_EQ(system.find('?'), Text::npos);
    EXPECT_EQ(ConvertCharset(system, "GBK", "UTF-8"), utf8);
    EXPECT_EQ(SystemToUtf8(Utf8ToSystem(utf8)), utf8);
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundTripTable,
                         testing::ValuesIn(std::vector<RoundTripCase>{
                             {"Emoji", U'\U0001F600'},
                             {"CjkExtensionB", U'\U00020000'},
                             {"EAcute", U'\u00E9'},
                             {"Euro", U'\u20AC'},
                             {"Chinese", U'\u4E2D'},
                             {"LastScalarValue", U'\U0010FFFF'},
                         }),
                         testing_support::CaseName());

bool IsPrivateUse(char32_t codePoint) { return codePoint >= 0xE000 && codePoint <= 0xF8FF; }

// Every Unicode scalar value outside the private-use area, converted in one piece.
TEST(ConvertCharsetSweep, EveryScalarValueRoundTrips) {
    const std::string utf8 =
        ScalarValuesAsUtf8(0x01, 0xDFFF) + ScalarValuesAsUtf8(0xF900, 0x10FFFF);
    const Text system = Utf8ToSystem(utf8);
    ASSERT_FALSE(system.empty());
    const std::string back = SystemToUtf8(system);
    if (back != utf8) {
        for (char32_t codePoint = 0x01; codePoint <= 0x10FFFF; ++codePoint) {
            if (IsPrivateUse(codePoint) || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
                continue;
            }
            const std::string one = EncodeUtf8(codePoint);
            ASSERT_EQ(SystemToUtf8(Utf8ToSystem(one)), one)
                << "U+" << std::hex << static_cast<unsigned>(codePoint);
        }
        FAIL() << "the whole text did not survive, although each character does";
    }
}

// GB18030 gave a few of its old private-use codes to standard characters; the converter turns
// those private-use characters into U+FFFD. Every other one survives, and none is dropped.
TEST(ConvertCharsetSweep, PrivateUseCharactersSurviveOrBecomeReplacementCharacters) {
    int replaced = 0;
    for (char32_t codePoint = 0xE000; codePoint <= 0xF8FF; ++codePoint) {
        const std::string one = EncodeUtf8(codePoint);
        const std::string back = SystemToUtf8(Utf8ToSystem(one));
        if (back == kReplacementInUtf8) {
            ++replaced;
        } else {
            ASSERT_EQ(back, one) << "U+" << std::hex << static_cast<unsigned>(codePoint);
        }
    }
    EXPECT_LT(replaced, 100);
}

// Every two-byte code of the double-byte range (second byte 40-7E or 80-FE) is a character
// that survives system text -> UTF-8 -> system text.
TEST(ConvertCharsetSweep, EveryTwoByteCodeRoundTrips) {
    Text system;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int second = 0x40; second <= 0xFE; ++second) {
            if (second != 0x7F) {
                system += static_cast<char>(lead);
                system += static_cast<char>(second);
            }
        }
    }
    const std::string utf8 = SystemToUtf8(system);
    EXPECT_EQ(utf8.find(kReplacementInUtf8), std::string::npos);
    EXPECT_EQ(Utf8ToSystem(utf8), system);
}

}  // namespace
}  // namespace tavrinel::text
