#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrinel::net {

// Longest parts of a URL that the page fetch accepts, in bytes.
inline constexpr std::size_t kMaxHostBytes = 256;
inline constexpr std::size_t kMaxPathAndQueryBytes = 2048;
inline constexpr std::size_t kMaxUserBytes = 128;
inline constexpr std::size_t kMaxPasswordBytes = 128;

// A URL ready for the page fetch.
struct FetchUrl {
    // Canonical form: dot segments resolved, fragment dropped, nothing percent-encoded.
    std::string url;
    // The path and query exactly as they go on the request line, e.g. "/a/c?q=1".
    std::string requestTarget;
};

// The URL in canonical form, or nothing when it is not to be fetched: empty, not a URL (spaces
// and control bytes included), a scheme other than http or https, or a host, path with query,
// user name or password longer than the limits above.
// PrepareFetchUrl("http://h/a/./b/../c?q=1#top") gives url "http://h/a/c?q=1", target "/a/c?q=1".
std::optional<FetchUrl> PrepareFetchUrl(std::string_view url);

}  // namespace tavrinel::net
