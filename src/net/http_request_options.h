#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "net/request_object.h"
#include "text/text_types.h"

namespace tavrinel::net {

// The fifteen optional parameters of HttpRequestClient::request, in the order the operation
// takes them, with its out fields. A blank value (empty text, 0, false) acts exactly as a field
// not given, except for proxyCredentialsFlag and requestObject.
struct HttpRequestOptions {
    // in: 0 "GET", 1 "POST", 2 "HEAD"; any other value sends "GET".
    std::int32_t method = 0;
    // in: the body, sent as its bytes when byteBody is empty.
    text::Text textBody;
    // in/out: sent as the Cookie header when not empty; afterwards the merged cookie text.
    text::Text cookies;
    // out: the cookies this response set, joined by ";" without blanks.
    text::Text newCookies;
    // in/out: header lines separated by CR LF; completed in place with the default headers.
    text::Text extraHeaders;
    // out: the header lines of the final response, each ended by CR LF.
    text::Text responseHeaders;
    // out: the HTTP status code; 0 when the exchange failed.
    std::int32_t status = 0;
    // in: true returns 3xx responses as they are instead of following them.
    bool noRedirect = false;
    // in: the body as bytes; wins over textBody when not empty.
    text::ByteBuffer byteBody;
    // in: proxy server ("host:port"), used when not empty.
    text::Text proxy;
    // in: one timeout in seconds for all four phases; -1 leaves the request object's own;
    // any other value below 1 means 15 seconds.
    std::int32_t timeoutSeconds = 0;
    // in: proxy credentials, offered when proxy and proxyUser are both given.
    text::Text proxyUser;
    text::Text proxyPassword;
    // in: the target of those credentials (RequestObject::kCredentialsForProxy when not given).
    std::optional<std::int32_t> proxyCredentialsFlag;
    // in: a request object to use and keep; null makes a new one for this request only.
    std::shared_ptr<RequestObject> requestObject;
};

}  // namespace tavrinel::net
