#include "sim/reserved_keywords.h"

#include <array>
#include <optional>
#include <utility>

namespace tavrinel::sim {
namespace {

constexpr std::array<std::pair<std::string_view, SearchMode>, 7> kReservedModes{{
    {kVerificationKeyword, SearchMode::kVerification},
    {kNotFoundKeyword, SearchMode::kNotFound},
    {kBrokenBodyKeyword, SearchMode::kBrokenBody},
    {kNoLocationKeyword, SearchMode::kLinkWithoutLocation},
    {kHangingLinkKeyword, SearchMode::kHangingLink},
    {kOddOffsetKeyword, SearchMode::kOddOffset},
    {kEntityPagerKeyword, SearchMode::kEntityPager},
}};

// The value of a count written as plain decimal digits, or nothing when the text is anything
// else or the value lies above kMaxResultCount.
std::optional<int> CountFromDigits(std::string_view digits) {
    if (digits.empty() || digits.size() > 7) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value > kMaxResultCount) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

KeywordPlan PlanForKeyword(std::string_view keyword, int defaultResultCount) {
    if (keyword.starts_with(kResultsKeywordPrefix)) {
        if (const auto count = CountFromDigits(keyword.substr(kResultsKeywordPrefix.size()))) {
            return {SearchMode::kOrdinary, *count};
        }
    }
    for (const auto& [reserved, mode] : kReservedModes) {
        if (keyword == reserved) {
            return {mode, defaultResultCount};
        }
        if (keyword.starts_with(reserved) && keyword.size() > reserved.size() + 1 &&
            keyword[reserved.size()] == '-') {
            if (const auto count = CountFromDigits(keyword.substr(reserved.size() + 1))) {
                return {mode, *count};
            }
        }
    }
    return {SearchMode::kOrdinary, defaultResultCount};
}

std::string ResultsKeyword(int count) {
    return std::string(kResultsKeywordPrefix) + std::to_string(count);
}

std::string WithResultCount(std::string_view reservedKeyword, int count) {
    return std::string(reservedKeyword) + "-" + std::to_string(count);
}

}  // namespace tavrinel::sim
