#include "app/browser_url.h"

#include <gtest/gtest.h>

namespace tavrinel::app {
namespace {

struct UrlCase {
    const char* name;
    QString address;
    // The URL handed to the opener, or empty when the address must be ignored.
    QString opened;
};

class BrowsableUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(BrowsableUrlTest, OpensOnlyWebAddresses) {
    const std::optional<QUrl> url = BrowsableUrl(GetParam().address);
    if (GetParam().opened.isEmpty()) {
        EXPECT_FALSE(url.has_value()) << url->toString().toStdString();
    } else {
        ASSERT_TRUE(url.has_value());
        EXPECT_EQ(url->toString(QUrl::FullyEncoded), GetParam().opened);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrowsableUrlTest,
    ::testing::Values(
        UrlCase{"Http", u"http://www.example.com/a?b=1"_qs, u"http://www.example.com/a?b=1"_qs},
        UrlCase{"Https", u"https://example.com"_qs, u"https://example.com"_qs},
        UrlCase{"UpperCaseScheme", u"HTTP://Example.com/"_qs, u"http://example.com/"_qs},
        UrlCase{"WithPort", u"http://127.0.0.1:8080/x"_qs, u"http://127.0.0.1:8080/x"_qs},
        UrlCase{"ChinesePath", u"http://example.com/中文"_qs,
                u"http://example.com/%E4%B8%AD%E6%96%87"_qs},
        UrlCase{"Empty", u""_qs, {}}, UrlCase{"NoScheme", u"www.example.com"_qs, {}},
        UrlCase{"NoHost", u"http:///path"_qs, {}}, UrlCase{"SchemeOnly", u"http:"_qs, {}},
        UrlCase{"File", u"file:///etc/passwd"_qs, {}},
        UrlCase{"FileWithHost", u"file://host/share"_qs, {}},
        UrlCase{"JavaScript", u"javascript:alert(1)"_qs, {}},
        UrlCase{"Smb", u"smb://server/share"_qs, {}},
        UrlCase{"CustomScheme", u"tavrinel-x://open"_qs, {}},
        UrlCase{"Ftp", u"ftp://example.com/"_qs, {}}, UrlCase{"OptionLike", u"--help"_qs, {}},
        UrlCase{"OptionBeforeUrl", u"-http://example.com"_qs, {}},
        UrlCase{"LeadingBlank", u" http://example.com"_qs, {}},
        UrlCase{"InnerBlank", u"http://example.com/a b"_qs, {}},
        UrlCase{"FullWidthBlank", u"http://example.com/a\u3000b"_qs, {}},
        UrlCase{"Tab", u"http://example.com/\ta"_qs, {}},
        UrlCase{"LineBreak", u"http://example.com/\r\nX-Injected: 1"_qs, {}},
        UrlCase{"Delete", u"http://example.com/\u007F"_qs, {}},
        UrlCase{"C1Control", u"http://example.com/\u0085"_qs, {}}),
    [](const auto& param) { return param.param.name; });

}  // namespace
}  // namespace tavrinel::app
