#include "collect/link_resolver.h"

#include <string>

#include "collect/result_row.h"
#include "net/http_request_client.h"
#include "text/between_markers.h"

namespace tavrinel::collect {

text::Text LinkResolver::extractTitle(std::string_view entry) {
    return text::BetweenMarkers(entry, "\"", "\"");
}

text::Text LinkResolver::extractRedirectLink(std::string_view entry) {
    return text::BetweenMarkers(entry, "url\":\"", "\"");
}

text::Text LinkResolver::extractLandingUrl(std::string_view responseHeaders) {
    return text::BetweenMarkers(responseHeaders, "Location: ", "\r\n");
}

text::Text LinkResolver::extractDomain(std::string_view landingUrl) {
    return text::BetweenMarkers(landingUrl, "//", "/");
}

void LinkResolver::resolve(std::string_view entry) {
    const int count = window_.rowCount();
    const int row = window_.appendRow(std::to_string(count + 1));

    const text::Text title = extractTitle(entry);
    const text::Text link = extractRedirectLink(entry);
    net::HttpRequestOptions options;
    options.noRedirect = true;  // the redirecting server's own answer carries the landing URL
    net::HttpRequestClient::request(link, options);
    const text::Text landingUrl = extractLandingUrl(options.responseHeaders);
    const text::Text domain = extractDomain(landingUrl);

    window_.setCell(row, kTitleColumn, title);
    window_.setCell(row, kLandingUrlColumn, landingUrl);
    window_.setCell(row, kDomainColumn, domain);
}

}  // namespace tavrinel::collect
