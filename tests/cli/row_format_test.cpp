#include "cli/row_format.h"

#include <gtest/gtest.h>

#include "text/charset_converter.h"

namespace tavrinel::cli {
namespace {

collect::ResultRow RowFromUtf8(const char* id, const char* title, const char* url,
                               const char* domain) {
    return {text::Utf8ToSystem(id), text::Utf8ToSystem(title), text::Utf8ToSystem(url),
            text::Utf8ToSystem(domain)};
}

TEST(RowFormat, OneRowIsAlwaysOneLine) {
    const auto row = RowFromUtf8("7", "a\tb\\c\r\nd😀", "http://x/", "");
    EXPECT_EQ(FormatRowAsTsv(row), "7\ta\\tb\\\\c\\r\\nd😀\thttp://x/\t");
    EXPECT_EQ(FormatRowAsJson(row),
              R"({"id":"7","title":"a\tb\\c\r\nd😀","landingUrl":"http://x/","domain":""})");
}

TEST(RowFormat, JsonEscapesQuotesAndControlBytes) {
    const auto row = RowFromUtf8("1", "say \"hi\"\x01", "u", "d");
    EXPECT_EQ(FormatRowAsJson(row),
              R"({"id":"1","title":"say \"hi\"\u0001","landingUrl":"u","domain":"d"})");
}

}  // namespace
}  // namespace tavrinel::cli
