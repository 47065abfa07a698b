#include "net/response_collector.h"

#include <algorithm>

namespace tavrinel::net {

namespace {

// The line without its ending: LF, or CR LF.
std::string_view WithoutLineEnd(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
    }
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

ResponseCollector::ResponseCollector(std::size_t maxBodyBytes, std::size_t maxHeaderBytes)
    : maxBodyBytes_(maxBodyBytes), maxHeaderBytes_(maxHeaderBytes) {}

void ResponseCollector::install(CURL* handle) {
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &ResponseCollector::onBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &ResponseCollector::onHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, this);
}

void ResponseCollector::startRequest() {
    body_.clear();
    headers_.clear();
    awaitingStatusLine_ = true;
}

bool ResponseCollector::acceptBody(std::string_view bytes) {
    const std::size_t room = maxBodyBytes_ - body_.size();
    if (bytes.size() > room) {
        body_.append(bytes.substr(0, room));
        overCap_ = true;
        return false;
    }
    body_.append(bytes);
    return true;
}

bool ResponseCollector::acceptHeaderLine(std::string_view line) {
    headerBytesSeen_ += line.size();
    if (headerBytesSeen_ > maxHeaderBytes_) {
        overCap_ = true;
        return false;
    }
    const std::string_view content = WithoutLineEnd(line);
    if (awaitingStatusLine_) {
        // Lines after a finished header block that are no status line are chunked trailers,
        // which belong to no header block.
        if (content.starts_with("HTTP/")) {
            body_.clear();
            headers_.clear();
            awaitingStatusLine_ = false;
        }
        return true;
    }
    if (content.empty()) {
        awaitingStatusLine_ = true;
        return true;
    }
    const std::size_t start = headers_.size();
    headers_.append(content);
    std::replace(headers_.begin() + static_cast<std::ptrdiff_t>(start), headers_.end(), '\r', ' ');
    headers_.append("\r\n");
    return true;
}

std::size_t ResponseCollector::onBody(char* data, std::size_t size, std::size_t count, void* self) {
    try {
        const std::size_t length = size * count;
        return static_cast<ResponseCollector*>(self)->acceptBody({data, length}) ? length : 0;
    } catch (...) {
        return 0;  // ends the transfer; nothing may unwind through libcurl
    }
}

std::size_t ResponseCollector::onHeader(char* data, std::size_t size, std::size_t count,
                                        void* self) {
    try {
        const std::size_t length = size * count;
        return static_cast<ResponseCollector*>(self)->acceptHeaderLine({data, length}) ? length : 0;
    } catch (...) {
        return 0;
    }
}

}  // namespace tavrinel::net
