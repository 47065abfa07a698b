#include "net/page_fetcher.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <mutex>

#include "net/curl_global.h"
#include "net/curl_handles.h"
#include "net/fetch_url.h"
#include "net/response_collector.h"

namespace tavrinel::net {

namespace {

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// The process-wide cookie store of the page fetch: a curl share handle holding the cookies,
// guarded by one mutex per kind of shared data as curl's lock callbacks ask for.
class SharedCookies {
  public:
    // The store, made on the first call; null when curl could not make it. It is never freed:
    // fetches on detached worker threads may still use it while the process ends.
    static CURLSH* handle() {
        static SharedCookies* const instance = new SharedCookies();
        return instance->share_;
    }

  private:
    SharedCookies() {
        if (!EnsureCurlGlobalInit()) {
            return;
        }
        share_ = curl_share_init();
        if (share_ == nullptr) {
            return;
        }
        if (curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &SharedCookies::lock) != CURLSHE_OK ||
            curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &SharedCookies::unlock) != CURLSHE_OK ||
            curl_share_setopt(share_, CURLSHOPT_USERDATA, this) != CURLSHE_OK ||
            curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE) != CURLSHE_OK) {
            curl_share_cleanup(share_);
            share_ = nullptr;
        }
    }

    std::mutex& mutexFor(curl_lock_data data) {
        const auto index = static_cast<std::size_t>(data);
        return mutexes_[index < mutexes_.size() ? index : 0];
    }

    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
        static_cast<SharedCookies*>(self)->mutexFor(data).lock();
    }

    static void unlock(CURL*, curl_lock_data data, void* self) {
        static_cast<SharedCookies*>(self)->mutexFor(data).unlock();
    }

    CURLSH* share_ = nullptr;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> mutexes_;
};

// Statuses whose Location the fetch follows.
bool IsFollowedRedirect(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

long MillisecondsAtLeastOne(std::chrono::milliseconds duration) {
    return static_cast<long>(std::max<std::chrono::milliseconds::rep>(duration.count(), 1));
}

// Sets every option of one request; the handle keeps them for the next redirect, where they are
// set again with the new URL and the time left.
bool SetRequestOptions(CURL* handle, const FetchUrl& target, const FetchLimits& limits,
                       std::chrono::milliseconds timeLeft, CURLSH* cookies) {
    bool ok = true;
    const auto set = [&](CURLoption option, auto value) {
        ok = ok && curl_easy_setopt(handle, option, value) == CURLE_OK;
    };
    set(CURLOPT_URL, target.url.c_str());
    // The target is given verbatim because curl itself would percent-encode bytes of 0x80 and
    // above in the path. As it would also keep it for redirects, they are followed by hand.
    set(CURLOPT_REQUEST_TARGET, target.requestTarget.c_str());
    set(CURLOPT_FOLLOWLOCATION, 0L);
    set(CURLOPT_HTTPGET, 1L);
    set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    set(CURLOPT_USERAGENT, kUserAgent);
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    set(CURLOPT_PROXY, "");  // no proxy from the environment either
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_SHARE, cookies);
    set(CURLOPT_COOKIEFILE, "");  // turns the cookie engine on without reading a file
    set(CURLOPT_CONNECTTIMEOUT_MS,
        MillisecondsAtLeastOne(std::min(limits.connectTimeout, timeLeft)));
    set(CURLOPT_TIMEOUT_MS, MillisecondsAtLeastOne(timeLeft));
    set(CURLOPT_LOW_SPEED_LIMIT, limits.lowSpeedBytesPerSecond);
    set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.lowSpeedTime.count()));
    return ok;
}

text::ByteBuffer FetchWithin(std::string_view url, const FetchLimits& limits) {
    auto target = PrepareFetchUrl(url);
    if (!target) {
        return {};
    }
    CURLSH* cookies = SharedCookies::handle();
    const CurlEasy handle = MakeCurlEasy();
    if (cookies == nullptr || !handle) {
        return {};
    }
    ResponseCollector response(limits.maxBodyBytes, limits.maxHeaderBytes);
    response.install(handle.get());
    const auto deadline = std::chrono::steady_clock::now() + limits.totalTimeout;
    for (long redirects = 0;; ++redirects) {
        const auto timeLeft = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (timeLeft.count() <= 0 ||
            !SetRequestOptions(handle.get(), *target, limits, timeLeft, cookies)) {
            return {};
        }
        response.startRequest();
        if (curl_easy_perform(handle.get()) != CURLE_OK) {
            return response.takeBody();  // what arrived before the failure
        }
        long status = 0;
        const char* location = nullptr;
        curl_easy_getinfo(handle.get(), CURLINFO_RESPONSE_CODE, &status);
        curl_easy_getinfo(handle.get(), CURLINFO_REDIRECT_URL, &location);
        if (!IsFollowedRedirect(status) || location == nullptr) {
            return response.takeBody();
        }
        if (redirects >= limits.maxRedirects) {
            return {};
        }
        target = PrepareFetchUrl(location);
        if (!target) {
            return {};
        }
    }
}

}  // namespace

text::ByteBuffer PageFetcher::fetch(std::string_view url) { return fetch(url, FetchLimits{}); }

text::ByteBuffer PageFetcher::fetch(std::string_view url, const FetchLimits& limits) {
    try {
        return FetchWithin(url, limits);
    } catch (...) {
        return {};
    }
}

}  // namespace tavrinel::net
