// Misbehaving servers against the page fetch: each transfer must end within its limit, with
// memory bounded by the caps.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "net/fetch_limits.h"
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

}  // namespace
}  // namespace tavrinel::net
