#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrinel::net::testing {

// A raw HTTP request taken apart at its CR LF line ends.
struct RawRequest {
    std::string requestLine;
    std::vector<std::string> headerLines;  // in the order sent, without line ends
    std::string body;
};

inline RawRequest SplitRequest(std::string_view raw) {
    RawRequest request;
    const std::size_t headEnd = raw.find("\r\n\r\n");
    std::string_view head = raw.substr(0, headEnd);
    request.body = headEnd == std::string_view::npos ? "" : raw.substr(headEnd + 4);
    bool first = true;
    while (!head.empty()) {
        const std::size_t end = head.find("\r\n");
        const std::string_view line = head.substr(0, end);
        if (first) {
            request.requestLine = line;
        } else {
            request.headerLines.emplace_back(line);
        }
        first = false;
        head = end == std::string_view::npos ? std::string_view{} : head.substr(end + 2);
    }
    return request;
}

}  // namespace tavrinel::net::testing
