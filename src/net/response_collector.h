#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <string_view>
#include <utility>

#include "text/text_types.h"

namespace tavrinel::net {

// Takes in what one transfer receives, within caps: the body and the header lines of the
// latest response. Installed as a curl handle's write and header callbacks; a byte beyond a
// cap makes the callback refuse it, which ends the transfer with an error.
class ResponseCollector {
  public:
    ResponseCollector(std::size_t maxBodyBytes, std::size_t maxHeaderBytes);

    // Makes this collector the receiver of the handle's body and header data.
    void install(CURL* handle);

    // Forgets body and headers before another request on the same handle (a followed redirect);
    // the header bytes seen so far still count against the cap.
    void startRequest();

    // Appends body bytes up to the cap; false when bytes had to be dropped.
    bool acceptBody(std::string_view bytes);

    // Takes one raw header line as curl delivers it (status line and blank line included).
    // A status line starts a new response and discards the body and headers of the one before
    // (an interim 1xx or a followed redirect). False once the header bytes exceed the cap.
    bool acceptHeaderLine(std::string_view line);

    // The body of the latest response, the part received when the transfer broke off.
    const text::ByteBuffer& body() const { return body_; }

    // Hands the body over, leaving this collector's empty.
    text::ByteBuffer takeBody() { return std::move(body_); }

    // The header lines of the latest response without its status line, each ended by CR LF,
    // also where the server ended it by a bare LF. A bare CR inside a line is read as a blank,
    // so it can never pass on as a line break.
    const text::Text& headers() const { return headers_; }

    // True when a cap cut the transfer short.
    bool overCap() const { return overCap_; }

  private:
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);

    std::size_t maxBodyBytes_;
    std::size_t maxHeaderBytes_;
    std::size_t headerBytesSeen_ = 0;
    bool awaitingStatusLine_ = true;
    bool overCap_ = false;
    text::ByteBuffer body_;
    text::Text headers_;
};

}  // namespace tavrinel::net
