#include "text/colon_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"

namespace tavrinel::text {
namespace {

struct ColonCase {
    std::string name;
    Text line;
    Text before;
    Text after;
};

class ColonTable : public testing::TestWithParam<ColonCase> {};

TEST_P(ColonTable, SplitsAtTheFirstColonAndTrims) {
    const ColonCase& c = GetParam();
    EXPECT_EQ(BeforeColon(c.line), c.before);
    EXPECT_EQ(AfterColon(c.line), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, ColonTable,
                         testing::ValuesIn(std::vector<ColonCase>{
                             {"Header", "Accept: */*", "Accept", "*/*"},
                             {"OnlyTheFirstColonSplits", "a:b:c", "a", "b:c"},
                             {"NothingAfter", "Name:", "Name", ""},
                             {"NothingBefore", ":value", "", "value"},
                             {"OnlyAColon", ":", "", ""},
                             {"NoColon", "no colon", "", ""},
                             {"Empty", "", "", ""},
                             {"FullWidthSpacesTrimmed", " k\xA1\xA1: \xA1\xA1v ", "k", "v"},
                             {"TabsKept", "\tk:\tv", "\tk", "\tv"},
                             {"LocationHeader", "Location: http://a.example/x?y=1:2", "Location",
                              "http://a.example/x?y=1:2"},
                             // 3A after B0 is the second byte of a character, not a colon.
                             {"ColonByteInsideAPair", "\xB0:a:b", "\xB0:a", "b"},
                         }),
                         testing_support::CaseName());

}  // namespace
}  // namespace tavrinel::text
