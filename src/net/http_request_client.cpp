#include "net/http_request_client.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>

#include "net/cookies.h"
#include "net/header_block.h"
#include "text/colon_split.h"
#include "text/replace_text.h"

namespace tavrinel::net {

namespace {

std::string_view MethodName(std::int32_t method) {
    switch (method) {
        case 1:
            return "POST";
        case 2:
            return "HEAD";
        default:
            return "GET";
    }
}

// The one timeout for all phases: 15 s for values below 1, else the seconds given. Computed
// wide and capped at the largest 32-bit millisecond count, so an oversized value cannot wrap.
std::chrono::milliseconds PhaseTimeout(std::int32_t timeoutSeconds) {
    constexpr std::int64_t kMaxMilliseconds = std::numeric_limits<std::int32_t>::max();
    const std::int64_t milliseconds =
        timeoutSeconds < 1 ? 15'000 : std::int64_t{timeoutSeconds} * 1000;
    return std::chrono::milliseconds{std::min(milliseconds, kMaxMilliseconds)};
}

text::ByteBuffer Request(std::string_view url, HttpRequestOptions& options,
                         const RequestObjectFactory& createObject) {
    const std::string_view method = MethodName(options.method);
    const std::shared_ptr<RequestObject> object =
        options.requestObject ? options.requestObject : createObject();
    if (!object) {
        return {};
    }
    // A failing call on the object has no effect; the operation goes on with its next step.
    if (options.timeoutSeconds != -1) {
        const auto timeout = PhaseTimeout(options.timeoutSeconds);
        object->setTimeouts({timeout, timeout, timeout, timeout});
    }
    if (!options.proxy.empty()) {
        object->setProxy(options.proxy);
    }
    object->open(method, url);
    if (!options.proxy.empty() && !options.proxyUser.empty()) {
        object->setCredentials(
            options.proxyUser, options.proxyPassword,
            options.proxyCredentialsFlag.value_or(RequestObject::kCredentialsForProxy));
    }
    if (options.noRedirect) {
        object->setRedirectsEnabled(false);
    }
    object->setIgnoredCertificateErrors(RequestObject::kIgnoreAllCertificateErrors);

    CompleteHeaderBlock(options.extraHeaders, url);
    if (!options.cookies.empty()) {
        object->setRequestHeader("Cookie", options.cookies);
    }
    for (const text::Text& line : HeaderBlockLines(options.extraHeaders)) {
        if (!line.empty()) {
            object->setRequestHeader(text::BeforeColon(line), text::AfterColon(line));
        }
    }
    object->send(options.byteBody.empty() ? options.textBody : options.byteBody);

    text::ByteBuffer body = object->responseBody();
    options.responseHeaders =
        text::ReplaceText(object->allResponseHeaders(), "Set-Cookie", "Set-Cookie", true);
    options.status = object->status();
    options.newCookies = ResponseCookies(options.responseHeaders);
    MergeCookies(options.cookies, options.newCookies);
    return body;
}

}  // namespace

text::ByteBuffer HttpRequestClient::request(std::string_view url, HttpRequestOptions& options) {
    return request(url, options, &RequestObject::create);
}

text::ByteBuffer HttpRequestClient::request(std::string_view url, HttpRequestOptions& options,
                                            const RequestObjectFactory& createObject) {
    try {
        return Request(url, options, createObject);
    } catch (...) {
        return {};
    }
}

}  // namespace tavrinel::net
