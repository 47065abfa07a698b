#include "net/fetch_url.h"

#include <curl/curl.h>

#include <memory>

#include "net/curl_global.h"

namespace tavrinel::net {

namespace {

struct CurlUrlDeleter {
    void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};

// One part of a parsed URL, raw as it stands in the URL; nothing when the URL lacks it.
std::optional<std::string> UrlPart(CURLU* handle, CURLUPart part) {
    char* value = nullptr;
    if (curl_url_get(handle, part, &value, 0) != CURLUE_OK || value == nullptr) {
        return std::nullopt;
    }
    std::string copy(value);
    curl_free(value);
    return copy;
}

bool Fits(const std::optional<std::string>& part, std::size_t maxBytes) {
    return !part || part->size() <= maxBytes;
}

}  // namespace

std::optional<FetchUrl> PrepareFetchUrl(std::string_view url) {
    if (url.empty() || url.find('\0') != std::string_view::npos || !EnsureCurlGlobalInit()) {
        return std::nullopt;
    }
    const std::unique_ptr<CURLU, CurlUrlDeleter> handle(curl_url());
    if (!handle) {
        return std::nullopt;
    }
    // Parsing resolves dot segments; without CURLU_URLENCODE it keeps every byte as it is.
    // CURLU_NON_SUPPORT_SCHEME only lets other schemes parse so that they are refused below.
    const std::string copy(url);
    if (curl_url_set(handle.get(), CURLUPART_URL, copy.c_str(), CURLU_NON_SUPPORT_SCHEME) !=
        CURLUE_OK) {
        return std::nullopt;
    }
    const auto scheme = UrlPart(handle.get(), CURLUPART_SCHEME);
    if (scheme != "http" && scheme != "https") {
        return std::nullopt;
    }
    const auto host = UrlPart(handle.get(), CURLUPART_HOST);
    const auto path = UrlPart(handle.get(), CURLUPART_PATH);
    const auto query = UrlPart(handle.get(), CURLUPART_QUERY);
    if (!host || !path) {
        return std::nullopt;
    }
    std::string target = *path;
    if (query) {
        target += '?';
        target += *query;
    }
    if (!Fits(host, kMaxHostBytes) || !Fits(target, kMaxPathAndQueryBytes) ||
        !Fits(UrlPart(handle.get(), CURLUPART_USER), kMaxUserBytes) ||
        !Fits(UrlPart(handle.get(), CURLUPART_PASSWORD), kMaxPasswordBytes)) {
        return std::nullopt;
    }
    if (curl_url_set(handle.get(), CURLUPART_FRAGMENT, nullptr, 0) != CURLUE_OK) {
        return std::nullopt;
    }
    auto canonical = UrlPart(handle.get(), CURLUPART_URL);
    if (!canonical) {
        return std::nullopt;
    }
    return FetchUrl{std::move(*canonical), std::move(target)};
}

}  // namespace tavrinel::net
