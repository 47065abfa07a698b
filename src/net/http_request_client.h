#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "net/http_request_options.h"
#include "net/request_object.h"
#include "text/text_types.h"

namespace tavrinel::net {

// Makes the request object for a request that was given none; may return null.
using RequestObjectFactory = std::function<std::shared_ptr<RequestObject>()>;

// Sends one HTTP/1.1 request with full control over method, body, headers, cookies, proxy,
// timeouts and redirects, and hands back body, response headers, status and cookies.
// Certificate errors of https servers are ignored. Blocks the calling thread; safe on several
// threads at once as long as each uses its own request object. Never throws.
class HttpRequestClient {
  public:
    // In order: timeouts, proxy, open, proxy credentials (only when proxy and proxyUser are
    // given), redirect switch, certificate errors ignored; then extraHeaders is completed in
    // place (CompleteHeaderBlock), the Cookie header is set, then each line of the block by its
    // BeforeColon and AfterColon; sent with byteBody, else textBody. Afterwards responseHeaders
    // holds the response's header lines with every "Set-Cookie" written in that case,
    // status the status code, newCookies what ResponseCookies finds, and cookies the result of
    // MergeCookies. Returns the response body.
    //
    // When the exchange fails, the body, responseHeaders and newCookies are empty, status is 0
    // and cookies is only normalised by MergeCookies. When no request object can be made
    // nothing is sent and none of the fields is touched.
    static text::ByteBuffer request(std::string_view url, HttpRequestOptions& options);

    // The same, with the request object for a request without one made by createObject.
    static text::ByteBuffer request(std::string_view url, HttpRequestOptions& options,
                                    const RequestObjectFactory& createObject);
};

}  // namespace tavrinel::net
