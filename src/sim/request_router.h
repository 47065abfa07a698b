#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "sim/recorded_request.h"
#include "sim/result_catalog.h"

namespace tavrinel::sim {

// What the simulator does with one request.
struct Reply {
    enum class Delivery {
        kWhole,         // head and body, then the connection is closed
        kBreakMidBody,  // head with the full Content-Length, then only bytesBeforeBreak of the body
        kNoAnswer,      // nothing at all; the connection is held, then closed
    };

    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;  // besides the framing headers
    std::string body;
    Delivery delivery = Delivery::kWhole;
    std::size_t bytesBeforeBreak = 0;
};

// The simulator's answer to a request:
//   /s?wd=KEYWORD&pn=P  the result page at offset P (0 when absent; "amp;pn" counts as "pn",
//                       so links written with "&amp;" still reach their page);
//   /link?url=TOKEN     302 to the entry's landing address, or as the keyword's mode says;
//   /                   a small home page; anything else 404.
Reply RouteRequest(const ResultCatalog& catalog, const RecordedRequest& request);

// The response head for a reply: status line, the reply's headers, Content-Length of the whole
// body and "Connection: close", ended by the blank line.
std::string ResponseHead(const Reply& reply);

}  // namespace tavrinel::sim
