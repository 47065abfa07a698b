#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "net/curl_handles.h"
#include "net/fetch_limits.h"
#include "text/text_types.h"

namespace tavrinel::net {

// Timeouts of the four phases of an exchange, as SetTimeouts takes them. A phase of 0 or less
// sets no limit of its own.
struct PhaseTimeouts {
    std::chrono::milliseconds resolve{0};
    std::chrono::milliseconds connect{0};
    std::chrono::milliseconds send{0};
    std::chrono::milliseconds receive{0};

    bool operator==(const PhaseTimeouts&) const = default;
};

// A reusable HTTP request handle in the manner of an automation request object: set timeouts
// and proxy, open a request, set credentials, options and headers, send, then read body,
// headers and status. It holds one curl easy handle, so connections may be reused between its
// requests; its options (timeouts, proxy, redirect switch, certificate checks, limits) persist
// from one request to the next, while open() forgets the previous request's headers,
// credentials and response.
//
// Every call on an object that holds no handle fails with no effect, and its reads give empty
// values. A call returns false when it fails. One object must not be used by two threads at
// once; different objects may be used on different threads.
class RequestObject {
  public:
    // Timeouts of a new object: no resolve limit, 60 s connect, 30 s send, 30 s receive.
    static constexpr PhaseTimeouts kDefaultTimeouts{
        std::chrono::milliseconds{0}, std::chrono::milliseconds{60'000},
        std::chrono::milliseconds{30'000}, std::chrono::milliseconds{30'000}};

    // Targets of setCredentials.
    static constexpr std::int32_t kCredentialsForServer = 0;
    static constexpr std::int32_t kCredentialsForProxy = 1;

    // Certificate errors that setIgnoredCertificateErrors can ignore, and all of them together.
    static constexpr std::uint32_t kIgnoreUnknownAuthority = 0x0100;
    static constexpr std::uint32_t kIgnoreWrongUsage = 0x0200;
    static constexpr std::uint32_t kIgnoreInvalidCommonName = 0x1000;
    static constexpr std::uint32_t kIgnoreInvalidDate = 0x2000;
    static constexpr std::uint32_t kIgnoreAllCertificateErrors = 0x3300;

    // An object with a fresh curl handle; it holds none when curl could not make one.
    RequestObject();

    // A new object, or null when no handle could be made.
    static std::shared_ptr<RequestObject> create();

    // An object that holds no handle, like one whose creation failed half-way.
    static std::shared_ptr<RequestObject> withoutHandle();

    bool holdsHandle() const { return static_cast<bool>(handle_); }

    // How the four phases map onto libcurl, which has no per-phase timers:
    // - resolve and connect: curl's connect timeout covers name resolution, TCP connect and
    //   TLS handshake, so it gets the sum of the two;
    // - send and receive: curl's low-speed abort (below 1 byte per second for N seconds) fires
    //   when nothing moves in either direction, N being the longer of the two in whole seconds,
    //   rounded up.
    // Phases without a limit of their own fall back on the bounds of limits(): its connect
    // timeout and low-speed abort. Its total timeout always bounds the whole exchange, since a
    // server that trickles a byte now and then would keep per-phase timers alive for ever.
    bool setTimeouts(const PhaseTimeouts& timeouts);
    const PhaseTimeouts& timeouts() const { return timeouts_; }
    // The arguments of the last successful setTimeouts call, and how many there were.
    const std::optional<PhaseTimeouts>& lastSetTimeouts() const { return lastSetTimeouts_; }
    int setTimeoutsCalls() const { return setTimeoutsCalls_; }

    // Sends the requests through the named proxy ("host:port"); "" goes direct. Proxies named
    // in the environment are never used.
    bool setProxy(std::string_view server);

    // Prepares one request; forgets the headers, credentials and response of the one before.
    bool open(std::string_view method, std::string_view url);

    // Offers basic credentials to the proxy (kCredentialsForProxy) or to the server
    // (kCredentialsForServer); any other target is refused. Only after open().
    bool setCredentials(std::string_view user, std::string_view password, std::int32_t target);

    // Whether redirects are followed (the default) or 3xx responses come back as they are.
    bool setRedirectsEnabled(bool enabled);

    // Ignores the given certificate errors of https servers (k...; 0 checks everything again).
    // libcurl cannot tell authority, usage and date errors apart: any of them turns peer
    // verification off as a whole; kIgnoreInvalidCommonName turns host name verification off.
    bool setIgnoredCertificateErrors(std::uint32_t errors);

    // Adds a header to the opened request, or replaces the value of one with the same name
    // (ASCII case ignored) where it stands. Refused: a name that is not an HTTP token, or a
    // name or value holding CR, LF or NUL, which would smuggle further header lines in.
    // An empty value sends the header with an empty value.
    bool setRequestHeader(std::string_view name, std::string_view value);

    // Performs the opened request with the body (ignored for HEAD) and waits for the response;
    // the next send needs another open().
    // On failure (network error, timeout, a cap of limits() exceeded, more redirects than
    // allowed) the response reads are empty.
    bool send(std::string_view body);

    const text::ByteBuffer& responseBody() const { return responseBody_; }
    // The header lines of the final response without status line, each ended by CR LF.
    const text::Text& allResponseHeaders() const { return responseHeaders_; }
    std::int32_t status() const { return status_; }

    // Bounds of every exchange: redirects, body and header bytes, total time, and the connect
    // and low-speed bounds for phases without a timeout of their own.
    void setLimits(const FetchLimits& limits) { limits_ = limits; }
    const FetchLimits& limits() const { return limits_; }

  private:
    struct NoHandle {};
    explicit RequestObject(NoHandle);

    void clearResponse();
    bool applyOptions(CURL* handle, std::string_view body, const CurlHeaderList& headers) const;

    CurlEasy handle_;
    FetchLimits limits_;
    PhaseTimeouts timeouts_ = kDefaultTimeouts;
    std::optional<PhaseTimeouts> lastSetTimeouts_;
    int setTimeoutsCalls_ = 0;
    std::string proxy_;
    bool redirectsEnabled_ = true;
    std::uint32_t ignoredCertificateErrors_ = 0;

    bool opened_ = false;
    std::string method_;
    std::string url_;
    std::vector<std::pair<std::string, std::string>> headers_;
    std::optional<std::pair<std::string, std::string>> proxyCredentials_;
    std::optional<std::pair<std::string, std::string>> serverCredentials_;

    text::ByteBuffer responseBody_;
    text::Text responseHeaders_;
    std::int32_t status_ = 0;
};

}  // namespace tavrinel::net
