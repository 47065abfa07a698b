#include "net/cookies.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrinel::net {
namespace {

TEST(CookieName, TextBeforeFirstEqualsTrimmed) {
    EXPECT_EQ(CookieName(" sid = 1"), "sid");
    EXPECT_EQ(CookieName("a=b=c"), "a");
    EXPECT_EQ(CookieName(" flag "), "flag");
    EXPECT_EQ(CookieName("=v"), "");
}

TEST(JoinDistinct, KeepsFirstOfByteIdenticalPieces) {
    EXPECT_EQ(JoinDistinct("a; b; a; A", "; "), "a; b; A");
    EXPECT_EQ(JoinDistinct("a", "; "), "a");
    EXPECT_EQ(JoinDistinct("", "; "), "");
    EXPECT_EQ(JoinDistinct("a; ; b; ", "; "), "a; ; b");  // an empty piece counts like any other
}

TEST(ResponseCookies, FirstPairOfEachSetCookieLine) {
    EXPECT_EQ(ResponseCookies("Set-Cookie: a=1; path=/\r\nX: y\r\nSet-Cookie: b=2\r\n"),
              "a=1; b=2");
    EXPECT_EQ(ResponseCookies("X: y\r\n"), "");
    // A line naming Set-Cookie without its colon still contributes, as an empty item.
    EXPECT_EQ(ResponseCookies("X-Set-Cookie-Note: a; b\r\nSet-Cookie: c=3\r\n"), "; c=3");
}

struct MergeCase {
    const char* name;
    std::string cookies;
    std::string newCookies;
    std::string merged;
    std::string newCookiesAfter;
};

class MergeCookiesTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeCookiesTest, MergedTextAndRewrittenArguments) {
    const MergeCase& c = GetParam();
    std::string cookies = c.cookies;
    std::string newCookies = c.newCookies;
    EXPECT_EQ(MergeCookies(cookies, newCookies), c.merged);
    EXPECT_EQ(cookies, c.merged);
    EXPECT_EQ(newCookies, c.newCookiesAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeCookiesTest,
    ::testing::Values(MergeCase{"NewFirstThenOldNotSet", "a=0; c=3", "a=1; b=2", "a=1; b=2; c=3",
                                "a=1;b=2"},
                      MergeCase{"DeletedWinsNameThenDropped", "a=1", "a=deleted", "", "a=deleted"},
                      MergeCase{"FirstOfRepeatedOldNames", "a=1; a=2", "", "a=1", ""},
                      MergeCase{"RepeatedNewNamesBothKept", "", "a=1;a=2", "a=1; a=2", "a=1;a=2"},
                      MergeCase{"IdenticalNewItemsOnce", "", "a=1;a=1", "a=1", "a=1;a=1"},
                      MergeCase{"BlanksRemovedEverywhere", "n=a b", "m = 1", "m=1; n=ab", "m=1"},
                      MergeCase{"NameCaseMatters", "A=1", "a=2", "a=2; A=1", "a=2"},
                      MergeCase{"BothEmpty", "", "", "", ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace tavrinel::net
