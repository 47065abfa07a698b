#pragma once

#include <string_view>

#include "net/fetch_limits.h"
#include "text/text_types.h"

namespace tavrinel::net {

// Reads the body behind a URL with one plain GET, as a browser of old would: request line
// version HTTP/1.0, the User-Agent "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
// "Accept: */*", no Referer, no Accept-Language. The URL is sent in canonical form (dot segments
// resolved, fragment dropped) without any percent-encoding added. Redirects are followed, the
// server's certificate is checked, the status code is not examined (an error page's body comes
// back like any other) and no proxy is used, not even one named in the environment.
//
// All fetches of the process share one cookie store: cookies a response sets go with later
// fetches of any thread; they live as long as the process.
//
// Blocks the calling thread; safe to call from several threads at once. Never throws.
class PageFetcher {
  public:
    // The body of the final response within the default FetchLimits; empty when nothing could
    // be received: an empty URL (no request is made), a URL PrepareFetchUrl refuses, a host that
    // cannot be reached, a certificate that does not check out, more redirects than allowed.
    // A transfer that breaks off in the middle of the body, stalls or runs over its time gives
    // the bytes received until then; a body larger than maxBodyBytes gives its first
    // maxBodyBytes bytes.
    static text::ByteBuffer fetch(std::string_view url);

    // The same within the given limits.
    static text::ByteBuffer fetch(std::string_view url, const FetchLimits& limits);
};

}  // namespace tavrinel::net
