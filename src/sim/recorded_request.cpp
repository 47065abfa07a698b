#include "sim/recorded_request.h"

#include "sim/percent_coding.h"

namespace tavrinel::sim {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

// Splits off the next line (without its CR LF or LF) from rest.
std::string_view TakeLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

std::string RecordedRequest::header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (EqualsIgnoringAsciiCase(key, name)) {
            return value;
        }
    }
    return {};
}

bool RecordedRequest::hasHeader(std::string_view name) const {
    for (const auto& entry : headers) {
        if (EqualsIgnoringAsciiCase(entry.first, name)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> RecordedRequest::headerNames() const {
    std::vector<std::string> names;
    names.reserve(headers.size());
    for (const auto& entry : headers) {
        names.push_back(entry.first);
    }
    return names;
}

std::optional<RecordedRequest> ParseRequestHead(std::string_view head) {
    std::string_view rest = head;
    const std::string_view requestLine = TakeLine(rest);
    const std::size_t firstSpace = requestLine.find(' ');
    const std::size_t lastSpace = requestLine.rfind(' ');
    if (firstSpace == std::string_view::npos || firstSpace == lastSpace ||
        requestLine.find(' ', firstSpace + 1) != lastSpace) {
        return std::nullopt;
    }
    RecordedRequest request;
    request.method = requestLine.substr(0, firstSpace);
    request.target = requestLine.substr(firstSpace + 1, lastSpace - firstSpace - 1);
    request.version = requestLine.substr(lastSpace + 1);
    if (request.method.empty() || request.target.empty() || request.version.empty()) {
        return std::nullopt;
    }
    while (!rest.empty()) {
        const std::string_view line = TakeLine(rest);
        const std::size_t colon = line.find(':');
        if (line.empty() || colon == std::string_view::npos) {
            continue;
        }
        request.headers.emplace_back(line.substr(0, colon), TrimBlanks(line.substr(colon + 1)));
    }
    return request;
}

std::string_view TargetPath(std::string_view target) {
    // The absolute form "http://host:port/path", which clients send to a proxy.
    const std::size_t scheme = target.find("://");
    if (scheme != std::string_view::npos && scheme < target.find('/')) {
        const std::size_t pathStart = target.find_first_of("/?#", scheme + 3);
        target =
            pathStart == std::string_view::npos ? std::string_view("/") : target.substr(pathStart);
        if (target.front() != '/') {
            return "/";
        }
    }
    return target.substr(0, target.find_first_of("?#"));
}

std::optional<std::string> QueryParameter(std::string_view target, std::string_view name) {
    const std::size_t questionMark = target.find('?');
    if (questionMark == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view query = target.substr(questionMark + 1);
    query = query.substr(0, query.find('#'));
    while (!query.empty()) {
        const std::size_t ampersand = query.find('&');
        const std::string_view pair = query.substr(0, ampersand);
        query =
            ampersand == std::string_view::npos ? std::string_view() : query.substr(ampersand + 1);
        const std::size_t equals = pair.find('=');
        if (PercentDecode(pair.substr(0, equals)) == name) {
            return equals == std::string_view::npos ? std::string()
                                                    : PercentDecode(pair.substr(equals + 1));
        }
    }
    return std::nullopt;
}

}  // namespace tavrinel::sim
