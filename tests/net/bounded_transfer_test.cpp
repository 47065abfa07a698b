// Misbehaving servers against both clients: each transfer must end within its limit, with
// memory bounded by the caps.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "net/fetch_limits.h"
#include "net/http_request_client.h"
#include "net/page_fetcher.h"
#include "raw_http_server.h"

namespace tavrinel::net {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;
using testing::RawHttpServer;

// Slack on top of a limit for scheduling and curl's once-a-second speed checks.
constexpr auto kSlack = 3s;

FetchLimits SmallLimits() {
    FetchLimits limits;
    limits.maxRedirects = 3;
    limits.connectTimeout = 2s;
    limits.lowSpeedBytesPerSecond = 100;
    limits.lowSpeedTime = 1s;
    limits.totalTimeout = 20s;
    limits.maxBodyBytes = 64 * 1024;
    limits.maxHeaderBytes = 16 * 1024;
    return limits;
}

class Stopwatch {
  public:
    std::chrono::milliseconds elapsed() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(steady_clock::now() - start_);
    }

  private:
    steady_clock::time_point start_ = steady_clock::now();
};

TEST(FetchLimits, DefaultsAreTheDocumentedOnes) {
    const FetchLimits limits;
    EXPECT_EQ(limits.maxRedirects, 10);
    EXPECT_EQ(limits.connectTimeout, 30s);
    EXPECT_EQ(limits.lowSpeedBytesPerSecond, 100);
    EXPECT_EQ(limits.lowSpeedTime, 60s);
    EXPECT_EQ(limits.totalTimeout, 300s);
    EXPECT_EQ(limits.maxBodyBytes, 64u * 1024 * 1024);
    EXPECT_EQ(limits.maxHeaderBytes, 256u * 1024);
}

TEST(PageFetcherLimits, EndlessBodyEndsAtTheBodyCap) {
    RawHttpServer server(testing::EndlessBody());
    const FetchLimits limits = SmallLimits();
    const Stopwatch stopwatch;
    const auto body = PageFetcher::fetch(server.url("/"), limits);
    EXPECT_LT(stopwatch.elapsed(), limits.totalTimeout);
    EXPECT_EQ(body.size(), limits.maxBodyBytes);
    EXPECT_EQ(body, std::string(limits.maxBodyBytes, 'x'));
}

TEST(PageFetcherLimits, HeaderFloodEndsAtTheHeaderCap) {
    RawHttpServer server(testing::HeaderFlood());
    const FetchLimits limits = SmallLimits();
    const Stopwatch stopwatch;
    EXPECT_EQ(PageFetcher::fetch(server.url("/"), limits), "");
    EXPECT_LT(stopwatch.elapsed(), limits.totalTimeout);
}

TEST(PageFetcherLimits, SlowTrickleEndsByTheLowSpeedLimit) {
    RawHttpServer server(testing::Trickle(250ms));  // 4 bytes a second, below 100
    const FetchLimits limits = SmallLimits();
    const Stopwatch stopwatch;
    const auto body = PageFetcher::fetch(server.url("/"), limits);
    EXPECT_LT(stopwatch.elapsed(), limits.lowSpeedTime + kSlack);
    EXPECT_FALSE(body.empty());  // what arrived is kept
    EXPECT_EQ(body, std::string(body.size(), 'x'));
}

TEST(PageFetcherLimits, TrickleAboveTheLowSpeedLimitEndsByTheTotalTimeout) {
    RawHttpServer server(testing::Trickle(20ms));  // about 50 bytes a second
    FetchLimits limits = SmallLimits();
    limits.lowSpeedBytesPerSecond = 1;
    limits.lowSpeedTime = 30s;
    limits.totalTimeout = 1500ms;
    const Stopwatch stopwatch;
    const auto body = PageFetcher::fetch(server.url("/"), limits);
    EXPECT_GE(stopwatch.elapsed(), limits.totalTimeout - 100ms);  // curl's clock rounds
    EXPECT_LT(stopwatch.elapsed(), limits.totalTimeout + kSlack);
    EXPECT_FALSE(body.empty());
}

TEST(PageFetcherLimits, SilentServerEndsByTheLowSpeedLimit) {
    RawHttpServer server(testing::NeverAnswer());
    const FetchLimits limits = SmallLimits();
    const Stopwatch stopwatch;
    EXPECT_EQ(PageFetcher::fetch(server.url("/"), limits), "");
    EXPECT_LT(stopwatch.elapsed(), limits.lowSpeedTime + kSlack);
}

TEST(PageFetcherLimits, RedirectLoopEndsAfterMaxRedirects) {
    RawHttpServer server(testing::RedirectLoop());
    const FetchLimits limits = SmallLimits();
    EXPECT_EQ(PageFetcher::fetch(server.url("/"), limits), "");
    EXPECT_EQ(server.requests().size(), static_cast<std::size_t>(limits.maxRedirects) + 1);
}

// The request client, bounded through its request object.
class RequestClientLimits : public ::testing::Test {
  protected:
    RequestClientLimits() {
        object_->setLimits(SmallLimits());
        options_.requestObject = object_;
        options_.timeoutSeconds = 1;
    }

    // Requests the URL and checks that the exchange counted as failed.
    void expectFailedExchange(const std::string& url) {
        EXPECT_EQ(HttpRequestClient::request(url, options_), "");
        EXPECT_EQ(options_.status, 0);
        EXPECT_EQ(options_.responseHeaders, "");
        EXPECT_EQ(object_->responseBody().size(), 0u);
    }

    std::shared_ptr<RequestObject> object_ = RequestObject::create();
    HttpRequestOptions options_;
};

TEST_F(RequestClientLimits, EndlessBodyFailsAtTheBodyCap) {
    RawHttpServer server(testing::EndlessBody());
    const Stopwatch stopwatch;
    expectFailedExchange(server.url("/"));
    EXPECT_LT(stopwatch.elapsed(), SmallLimits().totalTimeout);
}

TEST_F(RequestClientLimits, HeaderFloodFailsAtTheHeaderCap) {
    RawHttpServer server(testing::HeaderFlood());
    const Stopwatch stopwatch;
    expectFailedExchange(server.url("/"));
    EXPECT_LT(stopwatch.elapsed(), SmallLimits().totalTimeout);
}

TEST_F(RequestClientLimits, SlowTrickleFailsAfterTheReceiveTimeout) {
    RawHttpServer server(testing::Trickle(1500ms));  // slower than 1 byte a second
    const Stopwatch stopwatch;
    expectFailedExchange(server.url("/"));
    // curl judges the speed over up to its last five seconds of samples, so the abort can come
    // that much after the receive timeout; it still comes long before the 20 s total.
    EXPECT_LT(stopwatch.elapsed(), 1s + 5s + kSlack);
}

TEST_F(RequestClientLimits, TrickleFailsAtTheTotalTimeout) {
    FetchLimits limits = SmallLimits();
    limits.totalTimeout = 1500ms;
    object_->setLimits(limits);
    options_.timeoutSeconds = 30;
    RawHttpServer server(testing::Trickle(20ms));
    const Stopwatch stopwatch;
    expectFailedExchange(server.url("/"));
    EXPECT_LT(stopwatch.elapsed(), limits.totalTimeout + kSlack);
}

TEST_F(RequestClientLimits, SilentServerFailsAfterTheReceiveTimeout) {
    RawHttpServer server(testing::NeverAnswer());
    options_.timeoutSeconds = 2;
    const Stopwatch stopwatch;
    expectFailedExchange(server.url("/"));
    EXPECT_GE(stopwatch.elapsed(), 2s - 100ms);
    EXPECT_LT(stopwatch.elapsed(), 2s + kSlack);
}

TEST_F(RequestClientLimits, RedirectLoopFailsAfterMaxRedirects) {
    RawHttpServer server(testing::RedirectLoop());
    expectFailedExchange(server.url("/"));
    EXPECT_EQ(server.requests().size(), static_cast<std::size_t>(SmallLimits().maxRedirects) + 1);
}

TEST_F(RequestClientLimits, RedirectLoopWithRedirectsOffGivesTheFirst302) {
    RawHttpServer server(testing::RedirectLoop());
    options_.noRedirect = true;
    HttpRequestClient::request(server.url("/"), options_);
    EXPECT_EQ(options_.status, 302);
    EXPECT_EQ(server.requests().size(), 1u);
}

}  // namespace
}  // namespace tavrinel::net
