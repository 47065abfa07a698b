#include "sim/reserved_keywords.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tavrinel::sim {
namespace {

struct PlanCase {
    std::string name;
    std::string keyword;
    KeywordPlan expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const PlanCase& c, std::ostream* os) { *os << c.name; }

class PlanForKeywordTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanForKeywordTest, ChoosesModeAndResultCount) {
    EXPECT_EQ(PlanForKeyword(GetParam().keyword, 95), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, PlanForKeywordTest,
    ::testing::Values(
        PlanCase{"Ordinary", "中文", {SearchMode::kOrdinary, 95}},
        PlanCase{"ResultsForm", "sim-results-25", {SearchMode::kOrdinary, 25}},
        PlanCase{"ResultsZero", "sim-results-0", {SearchMode::kOrdinary, 0}},
        PlanCase{"ResultsWithoutCount", "sim-results-", {SearchMode::kOrdinary, 95}},
        PlanCase{"ResultsAboveLimit", "sim-results-1000001", {SearchMode::kOrdinary, 95}},
        PlanCase{"ResultsWithSign", "sim-results--5", {SearchMode::kOrdinary, 95}},
        PlanCase{"Verification", "sim-verify", {SearchMode::kVerification, 95}},
        PlanCase{"NotFound", "sim-http-404", {SearchMode::kNotFound, 95}},
        PlanCase{"BrokenBodyWithCount", "sim-broken-body-7", {SearchMode::kBrokenBody, 7}},
        PlanCase{"NoLocation", "sim-link-no-location", {SearchMode::kLinkWithoutLocation, 95}},
        PlanCase{"HangingWithCount", "sim-link-hang-3", {SearchMode::kHangingLink, 3}},
        PlanCase{"OddOffset", "sim-odd-offset", {SearchMode::kOddOffset, 95}},
        PlanCase{"EntityPager", "sim-pager-amp", {SearchMode::kEntityPager, 95}},
        PlanCase{"ReservedWithTextBehind", "sim-verify-me", {SearchMode::kOrdinary, 95}},
        PlanCase{"ReservedGlued", "sim-verify3", {SearchMode::kOrdinary, 95}},
        PlanCase{"OtherLetterCase", "SIM-VERIFY", {SearchMode::kOrdinary, 95}}),
    [](const auto& caseInfo) { return caseInfo.param.name; });

TEST(ReservedKeywordBuilders, MakeKeywordsThatParseBack) {
    EXPECT_EQ(ResultsKeyword(25), "sim-results-25");
    EXPECT_EQ(PlanForKeyword(WithResultCount(kHangingLinkKeyword, 4), 95),
              (KeywordPlan{SearchMode::kHangingLink, 4}));
}

}  // namespace
}  // namespace tavrinel::sim
