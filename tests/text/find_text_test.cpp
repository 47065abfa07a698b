#include "text/find_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "text/charset_converter.h"
#include "utf8_encode.h"

namespace tavrinel::text {
namespace {

struct FindCase {
    std::string name;
    Text text;
    Text needle;
    Position startPosition;
    bool ignoreCase;
    Position expected;
};

class FindTextTable : public testing::TestWithParam<FindCase> {};

TEST_P(FindTextTable, GivesTheFirstMatchOnACharacterStart) {
    const FindCase& c = GetParam();
    EXPECT_EQ(FindText(c.text, c.needle, c.startPosition, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTextTable,
    testing::ValuesIn(std::vector<FindCase>{
        {"FirstOccurrence", "abcabc", "bc", 1, false, 2},
        {"FromStartPosition", "abcabc", "bc", 3, false, 5},
        {"StartOnTheMatch", "abcabc", "bc", 5, false, 5},
        {"StartZeroMeansFirstByte", "abc", "a", 0, false, 1},
        {"NegativeStartMeansFirstByte", "abc", "a", -5, false, 1},
        {"StartOnLastByte", "abc", "c", 3, false, 3},
        {"StartPastTheEnd", "abc", "c", 4, false, -1},
        {"NeedleLongerThanTheRest", "abc", "bcd", 2, false, -1},
        {"NeedleIsTheWholeText", "abc", "abc", 1, false, 1},
        {"Missing", "abc", "x", 1, false, -1},
        {"EmptyText", "", "a", 1, false, -1},
        {"EmptyNeedleIsNeverFound", "abc", "", 1, false, -1},
        {"EmptyNeedleIgnoringCase", "abc", "", 1, true, -1},
        // D6 D0 is one character, so D0 41 does not begin at byte 2.
        {"NotFromTheSecondByteOfAPair",
         "\xD6\xD0"
         "A",
         "\xD0"
         "A",
         1, false, -1},
        {"NotFromTheSecondByteIgnoringCase",
         "\xD6\xD0"
         "A",
         "\xD0"
         "a",
         1, true, -1},
        {"NotOnAnAsciiSecondByte",
         "\xB0"
         "AB",
         "A", 1, false, -1},
        {"AfterAPairWithAsciiSecondByte",
         "\xB0"
         "AA",
         "A", 1, false, 3},
        {"WholePairAfterAscii",
         "x\xD6\xD0"
         "A",
         "\xD6\xD0", 1, false, 2},
        {"OddRunOfLeadBytes",
         "\xB0\xB0\xB0"
         "A",
         "\xB0"
         "A",
         1, false, 3},
        {"EvenRunOfLeadBytes",
         "\xB0\xB0"
         "A",
         "\xB0"
         "A",
         1, false, -1},
        {"LaterMatchOnAStart",
         "\xD6\xD0"
         "A\xD0"
         "A",
         "\xD0"
         "A",
         1, false, 4},
        // The start position is taken as a character start whatever byte stands there.
        {"StartOnASecondByte",
         "\xD6\xD0"
         "A",
         "\xD0"
         "A",
         2, false, 2},
        {"StartOnASecondByteShiftsThePairs",
         "\xD6\xB0\xB0"
         "A",
         "\xB0"
         "A",
         2, false, -1},
        {"LoneLeadByteAtTheEndIsFound", "ab\xB0", "\xB0", 1, false, 3},
        {"LoneLeadByteAtTheEndEndsTheScan", "a\xB0\xB0\xB0", "\xB0", 3, false, 3},
        {"IgnoreCaseFoldsBothWays", "xABcd", "abCD", 1, true, 2},
        {"ExactKeepsCase", "xABcd", "abCD", 1, false, -1},
        {"ExactFindsTheSameCase", "xABcdabCD", "abCD", 1, false, 6},
        {"IgnoreCaseLeavesPunctuation", "[@", "{`", 1, true, -1},
        {"IgnoreCaseLeavesHighBytes", "\xC1\xC1", "\xE1\xE1", 1, true, -1},
        // 81 41 and 81 61 are two different characters, whatever their second bytes look like.
        {"IgnoreCaseLeavesSecondBytes",
         "\x81"
         "A",
         "\x81"
         "a",
         1, true, -1},
        {"IgnoreCaseFoldsAfterAPair",
         "\x81\x41"
         "A",
         "\x81\x41"
         "a",
         1, true, 1},
        {"IgnoreCaseRespectsStarts",
         "\xD6\xD0"
         "a\xD0"
         "A",
         "\xD0"
         "A",
         1, true, 4},
    }),
    testing_support::CaseName());

constexpr unsigned char FoldedAsciiLetter(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Every pair a search could wrongly start inside: the second byte and the byte after it are
// never found, in either mode, while the same bytes after a one-byte character are.
TEST(FindTextSweep, NeverStartsOnTheSecondByteOfAPair) {
    int failures = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int second = 0x40; second <= 0xFE; ++second) {
            for (const int next : {0x41, 0x61, 0x81}) {
                const Text needle = {static_cast<char>(second), static_cast<char>(next)};
                const Text inPair = static_cast<char>(lead) + needle;
                const Text afterAscii = "x" + needle;
                for (const bool ignoreCase : {false, true}) {
                    // Only where the needle equals the pair itself may it be found, at byte 1.
                    const Position expected = inPair.substr(0, 2) == needle ? 1 : kNotFound;
                    if ((FindText(inPair, needle, 1, ignoreCase) != expected ||
                         FindText(afterAscii, needle, 1, ignoreCase) != 2) &&
                        ++failures <= 5) {
                        ADD_FAILURE()
                            << testing::PrintToString(inPair) << " ignoreCase " << ignoreCase;
                    }
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

// Every byte against every byte: ignoring case folds A-Z with a-z and nothing else, and never
// inside a two-byte character; the exact search needs equal bytes.
TEST(FindTextSweep, OnlyAsciiLettersFold) {
    int failures = 0;
    for (int a = 0x00; a <= 0xFF; ++a) {
        for (int b = 0x00; b <= 0xFF; ++b) {
            const auto textByte = static_cast<unsigned char>(a);
            const auto needleByte = static_cast<unsigned char>(b);
            const bool foldedEqual = FoldedAsciiLetter(textByte) == FoldedAsciiLetter(needleByte);
            const Text text(1, static_cast<char>(a));
            const Text needle(1, static_cast<char>(b));
            const bool ok =
                (FindText(text, needle, 1, true) != kNotFound) == foldedEqual &&
                (FindText(text, needle, 1, false) != kNotFound) == (a == b) &&
                (FindText("\x81" + text, "\x81" + needle, 1, true) != kNotFound) == (a == b);
            if (!ok && ++failures <= 5) {
                ADD_FAILURE() << "text byte " << a << ", needle byte " << b;
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

// Characters GBK lacks take GB18030's four-byte form (lead, digit, lead, digit), which is one
// character to the search: nothing begins on its digits or in its second half.
TEST(FindTextFourByteForms, AreSearchedAsOneCharacter) {
    const Text cjkExtB = Utf8ToSystem("\U00020000");  // 95 32 82 36
    ASSERT_EQ(cjkExtB, "\x95\x32\x82\x36");
    EXPECT_EQ(FindText(cjkExtB, "\x82\x36"), kNotFound);
    EXPECT_EQ(FindText(cjkExtB, "2"), kNotFound);
    EXPECT_EQ(FindText(cjkExtB, "6"), kNotFound);
    EXPECT_EQ(FindText(cjkExtB, "2", 1, true), kNotFound);

    // U+A4CD is 82 36 95 32: the second half of U+20000 followed by the first half of the next.
    const Text twice = cjkExtB + cjkExtB;
    const Text straddling = Utf8ToSystem("\uA4CD");
    ASSERT_EQ(straddling, "\x82\x36\x95\x32");
    EXPECT_EQ(FindText(twice, straddling), kNotFound);
    EXPECT_EQ(FindText(twice, straddling, 1, true), kNotFound);
    EXPECT_EQ(FindText(twice + straddling, straddling), 9);

    const Text mixed = Utf8ToSystem("a\U0001F600b\u4E2D\U0001F600");
    EXPECT_EQ(FindText(mixed, Utf8ToSystem("\U0001F600")), 2);
    EXPECT_EQ(FindText(mixed, "b"), 6);
    EXPECT_EQ(FindText(mixed, Utf8ToSystem("\u4E2D")), 7);
    EXPECT_EQ(FindText(mixed, Utf8ToSystem("\U0001F600"), 3), 9);
}

// The same over every character that takes a four-byte form, all converted in one piece.
TEST(FindTextFourByteForms, NoNeedleBeginsInsideAnyOfThem) {
    const Text all = Utf8ToSystem(testing_support::ScalarValuesAsUtf8(0x80, 0x10FFFF));
    Text inText = "a....a";
    int forms = 0;
    int failures = 0;
    for (std::size_t i = 0; i < all.size();) {
        const bool fourBytes = i + 1 < all.size() && all[i + 1] >= '0' && all[i + 1] <= '9';
        const std::size_t length = fourBytes ? 4 : 2;
        const std::string_view form = std::string_view(all).substr(i, length);
        i += length;
        if (!fourBytes) {
            continue;
        }
        ++forms;
        // The form stands at bytes 2 to 5; a match may begin on byte 2 (where the halves of a
        // form are equal, its second half is found there), never on bytes 3 to 5.
        inText.replace(1, 4, form);
        const std::string_view formThenA = std::string_view(inText).substr(1);
        bool ok = FindText(inText, form) == 2;
        for (const std::string_view needle : {formThenA.substr(1, 3), formThenA.substr(2, 2),
                                              formThenA.substr(3, 1), formThenA.substr(2, 3)}) {
            for (const bool ignoreCase : {false, true}) {
                const Position found = FindText(inText, needle, 1, ignoreCase);
                ok = ok && !(found >= 3 && found <= 5);
            }
        }
        if (!ok && ++failures <= 5) {
            ADD_FAILURE() << testing::PrintToString(inText);
        }
    }
    EXPECT_GT(forms, 1000000);
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace tavrinel::text
