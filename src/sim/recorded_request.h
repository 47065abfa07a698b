#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrinel::sim {

// One request as the simulator received it, for tests that check what a client sent.
struct RecordedRequest {
    std::string method;   // "GET"
    std::string target;   // the request line's target as sent: "/s?wd=a&pn=10"
    std::string version;  // "HTTP/1.1"
    // Header lines in the order they came, names in their own letter case, values without the
    // blanks around them.
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;  // de-chunked when it came chunked

    // Value of the first header with this name (ASCII case ignored); empty when there is none.
    std::string header(std::string_view name) const;
    bool hasHeader(std::string_view name) const;
    // Names of all header lines in order: {"Host", "User-Agent", "Accept"}.
    std::vector<std::string> headerNames() const;
};

// The request line and header lines of a request head (the bytes before its blank line, each
// line ended by CR LF or a bare LF). Nothing when the request line is not three words.
std::optional<RecordedRequest> ParseRequestHead(std::string_view head);

// The path of a request target: "/s" for "/s?wd=a", and for the absolute form that clients
// send to a proxy, "http://127.0.0.1:8080/s?wd=a", as well.
std::string_view TargetPath(std::string_view target);

// The decoded value of the first query parameter whose decoded name is name, or nothing when
// the target's query has no such parameter. QueryParameter("/s?wd=%E4%B8%AD&pn=10", "wd") == "中".
std::optional<std::string> QueryParameter(std::string_view target, std::string_view name);

}  // namespace tavrinel::sim
