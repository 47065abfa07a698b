#include "app/page_count_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tavrinel::app {
namespace {

struct NormaliseCase {
    const char* name;
    std::string text;
    std::string expected;
};

class NormalisedPageCountTest : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormalisedPageCountTest, RewritesAsTheNumberTheTextStartsWith) {
    EXPECT_EQ(NormalisedPageCount(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalisedPageCountTest,
    ::testing::Values(NormaliseCase{"Plain", "10", "10"}, NormaliseCase{"Zero", "0", ""},
                      NormaliseCase{"MinusZero", "-0", ""}, NormaliseCase{"Empty", "", ""},
                      NormaliseCase{"LettersOnly", "abc", ""},
                      NormaliseCase{"DigitsThenLetters", "12abc", "12"},
                      NormaliseCase{"LeadingZeros", "007", "7"},
                      NormaliseCase{"Negative", "-5", "-5"}, NormaliseCase{"PlusSign", "+8", "8"},
                      NormaliseCase{"SignAlone", "-", ""}, NormaliseCase{"DoubleSign", "--5", ""},
                      NormaliseCase{"LeadingWhiteSpace", " \t\n\v\f\r42", "42"},
                      NormaliseCase{"InnerBlankEnds", "4 2", "4"},
                      NormaliseCase{"Int32Max", "2147483647", "2147483647"},
                      NormaliseCase{"AboveInt32", "2147483648", "2147483647"},
                      NormaliseCase{"ElevenNines", "99999999999", "2147483647"},
                      NormaliseCase{"Int32Min", "-2147483648", "-2147483648"},
                      NormaliseCase{"BelowInt32", "-2147483649", "-2147483648"},
                      NormaliseCase{"BeyondInt64", "123456789012345678901234567890", "2147483647"},
                      NormaliseCase{"BeyondInt64Negative", "-99999999999999999999999",
                                    "-2147483648"},
                      // Full-width digits are no decimal digits for this reading.
                      NormaliseCase{"FullWidthDigits", "\xEF\xBC\x91\xEF\xBC\x92", ""}),
    [](const auto& param) { return param.param.name; });

TEST(PageCountCharacterTest, AcceptsDigitsMinusAndControlCharactersOnly) {
    for (char32_t c = 0; c < 0x3100; ++c) {
        const bool expected = c < 0x20 || c == U'-' || (c >= U'0' && c <= U'9');
        EXPECT_EQ(IsAcceptedPageCountCharacter(c), expected)
            << "character " << std::hex << static_cast<std::uint32_t>(c);
    }
    EXPECT_FALSE(IsAcceptedPageCountCharacter(U'\uFF11'));  // full-width 1
}

}  // namespace
}  // namespace tavrinel::app
