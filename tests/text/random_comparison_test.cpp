// The primitives against the plain step-by-step versions in reference_text.h, on random texts
// made to contain near-misses. A failure prints the seed and case number that reproduce it.

#include <gtest/gtest.h>

#include <random>

#include "random_text.h"
#include "reference_text.h"
#include "text/between_markers.h"
#include "text/find_text.h"
#include "text/replace_text.h"
#include "text/spaces.h"
#include "text/split_text.h"

namespace tavrinel::text {
namespace {

using testing_support::RandomBetween;
using testing_support::RandomMixedText;
using testing_support::RandomNeedle;
using testing_support::RandomSeed;

constexpr int kCases = 20000;

std::mt19937 GeneratorFor(int caseNumber) {
    return std::mt19937(RandomSeed() + static_cast<std::uint32_t>(caseNumber));
}

testing::Message Reproduce(int caseNumber) {
    return testing::Message() << "TAVRINEL_TEXT_SEED=" << RandomSeed() << ", case " << caseNumber;
}

TEST(RandomComparison, FindTextMatchesACharacterByCharacterScan) {
    int found = 0;
    for (int i = 0; i < kCases; ++i) {
        std::mt19937 random = GeneratorFor(i);
        const Text text = RandomMixedText(random, 24);
        const Text needle = RandomNeedle(random, text);
        const Position start = RandomBetween(random, -1, static_cast<int>(text.size()) + 1);
        for (const bool ignoreCase : {false, true}) {
            SCOPED_TRACE(Reproduce(i) << ", ignoreCase " << ignoreCase << ", start " << start);
            const Position expected = reference::Find(text, needle, start, ignoreCase);
            ASSERT_EQ(FindText(text, needle, start, ignoreCase), expected)
                << "text " << testing::PrintToString(text) << " needle "
                << testing::PrintToString(needle);
            found += expected != kNotFound ? 1 : 0;
        }
    }
    // The generator must give both outcomes often, or the comparison proves little.
    EXPECT_GT(found, kCases / 4);
    EXPECT_LT(found, kCases * 2 - kCases / 4);
}

TEST(RandomComparison, ReplaceTextMatchesACharacterByCharacterCopy) {
    for (int i = 0; i < kCases; ++i) {
        std::mt19937 random = GeneratorFor(i);
        const Text text = RandomMixedText(random, 24);
        const Text needle = RandomNeedle(random, text);
        const Text replacement = RandomMixedText(random, 2);
        const bool ignoreCase = RandomBetween(random, 0, 1) == 1;
        SCOPED_TRACE(Reproduce(i) << ", ignoreCase " << ignoreCase);
        ASSERT_EQ(ReplaceText(text, needle, replacement, ignoreCase),
                  reference::Replace(text, needle, replacement, ignoreCase))
            << "text " << testing::PrintToString(text) << " needle "
            << testing::PrintToString(needle) << " replacement "
            << testing::PrintToString(replacement);
    }
}

TEST(RandomComparison, SplitTextMatchesACharacterByCharacterSplit) {
    for (int i = 0; i < kCases; ++i) {
        std::mt19937 random = GeneratorFor(i);
        const Text text = RandomMixedText(random, 24);
        const Text delimiter = RandomNeedle(random, text);
        SCOPED_TRACE(Reproduce(i));
        ASSERT_EQ(SplitText(text, delimiter), reference::Split(text, delimiter))
            << "text " << testing::PrintToString(text) << " delimiter "
            << testing::PrintToString(delimiter);
    }
}

TEST(RandomComparison, BlanksAreTrimmedAndRemovedOnlyAtCharacterStarts) {
    for (int i = 0; i < kCases; ++i) {
        std::mt19937 random = GeneratorFor(i);
        const Text text = RandomMixedText(random, 16);
        SCOPED_TRACE(Reproduce(i) << ", text " << testing::PrintToString(text));
        ASSERT_EQ(TrimSpaces(text), reference::Trim(text));
        ASSERT_EQ(RemoveSpaces(text), reference::RemoveBlanks(text));
    }
}

// Random pieces with the markers, some in upper case, strewn between them.
Text TextWithMarkers(std::mt19937& random, std::string_view left, std::string_view right) {
    Text text;
    const int pieces = RandomBetween(random, 0, 16);
    for (int i = 0; i < pieces; ++i) {
        const int kind = RandomBetween(random, 0, 3);
        Text piece = kind == 0 ? Text(left) : kind == 1 ? Text(right) : RandomMixedText(random, 3);
        if (kind <= 1 && RandomBetween(random, 0, 3) == 0) {
            for (char& c : piece) {
                c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
            }
        }
        text += piece;
    }
    return text;
}

TEST(RandomComparison, AllBetweenMarkersMatchesTheStepByStepScan) {
    // Markers that occur often in the random texts, blanks among them, and the empty marker.
    const std::vector<Text> markers = {"|",
                                       "[",
                                       "]",
                                       "a",
                                       "A",
                                       "ab",
                                       " ",
                                       ":a",
                                       "1",
                                       "\xA1\xA1",
                                       "{",
                                       "\xB0"
                                       "A",
                                       "",
                                       "[|",
                                       "b",
                                       "\xC1\x41",
                                       "@"};
    auto pickMarker = [&](std::mt19937& random) {
        return markers[static_cast<std::size_t>(
            RandomBetween(random, 0, static_cast<int>(markers.size()) - 1))];
    };
    int stored = 0;
    int severalStored = 0;
    for (int i = 0; i < kCases; ++i) {
        std::mt19937 random = GeneratorFor(i);
        const Text left = pickMarker(random);
        const Text right = pickMarker(random);
        const Text text = TextWithMarkers(random, left, right);
        const bool useOptions = RandomBetween(random, 0, 2) == 0;
        const Text prefix = useOptions && RandomBetween(random, 0, 2) == 0 ? "<" : "";
        const Text suffix = useOptions && RandomBetween(random, 0, 2) == 0 ? ">" : "";
        reference::AllBetweenOptions options;
        options.caseSensitive = RandomBetween(random, 0, 1) == 1;
        if (useOptions) {
            options.maxLength = static_cast<std::size_t>(RandomBetween(random, 0, 4));
            options.prefix = prefix;
            options.suffix = suffix;
            options.keepLeftMarker = RandomBetween(random, 0, 1) == 1;
            options.keepRightMarker = RandomBetween(random, 0, 1) == 1;
            options.startPosition = RandomBetween(random, -1, static_cast<int>(text.size()) + 1);
        }
        SCOPED_TRACE(Reproduce(i) << ", text " << testing::PrintToString(text) << " left "
                                  << testing::PrintToString(left) << " right "
                                  << testing::PrintToString(right));
        const TextList expected = reference::AllBetween(text, left, right, options);
        TextList list = {"left over from an earlier call"};
        const std::size_t count = AllBetweenMarkers(
            text, left, right, list, options.caseSensitive, options.maxLength, options.prefix,
            options.suffix, options.keepLeftMarker, options.keepRightMarker, options.startPosition);
        ASSERT_EQ(list, expected);
        ASSERT_EQ(count, expected.size());
        stored += static_cast<int>(count);
        severalStored += count >= 2 ? 1 : 0;
    }
    // Enough items, and lists of several, for the comparison to mean something.
    EXPECT_GT(stored, kCases / 4);
    EXPECT_GT(severalStored, kCases / 20);
}

}  // namespace
}  // namespace tavrinel::text
