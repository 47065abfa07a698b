#include "net/request_object.h"

#include <algorithm>
#include <string>

#include "net/response_collector.h"

namespace tavrinel::net {

namespace {

using std::chrono::milliseconds;

// RFC 9110 token characters: what a header name or method may consist of.
bool IsToken(std::string_view name) {
    constexpr std::string_view kSymbols = "!#$%&'*+-.^_`|~";
    return !name.empty() && std::all_of(name.begin(), name.end(), [&](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
               (byte >= 'a' && byte <= 'z') || kSymbols.find(c) != std::string_view::npos;
    });
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool HasNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

milliseconds NotNegative(milliseconds duration) { return std::max(duration, milliseconds{0}); }

long Milliseconds(milliseconds duration) { return static_cast<long>(duration.count()); }

long WholeSecondsRoundedUp(milliseconds duration) {
    return static_cast<long>((duration.count() + 999) / 1000);
}

}  // namespace

RequestObject::RequestObject() : handle_(MakeCurlEasy()) {}

RequestObject::RequestObject(NoHandle) {}

std::shared_ptr<RequestObject> RequestObject::create() {
    auto object = std::make_shared<RequestObject>();
    return object->holdsHandle() ? object : nullptr;
}

std::shared_ptr<RequestObject> RequestObject::withoutHandle() {
    return std::shared_ptr<RequestObject>(new RequestObject(NoHandle{}));
}

bool RequestObject::setTimeouts(const PhaseTimeouts& timeouts) {
    if (!handle_) {
        return false;
    }
    timeouts_ = timeouts;
    lastSetTimeouts_ = timeouts;
    ++setTimeoutsCalls_;
    return true;
}

bool RequestObject::setProxy(std::string_view server) {
    if (!handle_ || HasNul(server)) {
        return false;
    }
    proxy_ = server;
    return true;
}

bool RequestObject::open(std::string_view method, std::string_view url) {
    if (!handle_ || !IsToken(method) || url.empty() || HasNul(url)) {
        return false;
    }
    method_ = method;
    url_ = url;
    headers_.clear();
    proxyCredentials_.reset();
    serverCredentials_.reset();
    clearResponse();
    opened_ = true;
    return true;
}

bool RequestObject::setCredentials(std::string_view user, std::string_view password,
                                   std::int32_t target) {
    if (!handle_ || !opened_ || HasNul(user) || HasNul(password)) {
        return false;
    }
    auto credentials = std::make_pair(std::string(user), std::string(password));
    if (target == kCredentialsForProxy) {
        proxyCredentials_ = std::move(credentials);
    } else if (target == kCredentialsForServer) {
        serverCredentials_ = std::move(credentials);
    } else {
        return false;
    }
    return true;
}

bool RequestObject::setRedirectsEnabled(bool enabled) {
    if (!handle_) {
        return false;
    }
    redirectsEnabled_ = enabled;
    return true;
}

bool RequestObject::setIgnoredCertificateErrors(std::uint32_t errors) {
    if (!handle_ || (errors & ~kIgnoreAllCertificateErrors) != 0) {
        return false;
    }
    ignoredCertificateErrors_ = errors;
    return true;
}

bool RequestObject::setRequestHeader(std::string_view name, std::string_view value) {
    if (!handle_ || !opened_ || !IsToken(name) || HasLineBreakOrNul(value)) {
        return false;
    }
    const auto existing = std::find_if(headers_.begin(), headers_.end(), [&](const auto& header) {
        return SameNameIgnoringCase(header.first, name);
    });
    if (existing != headers_.end()) {
        *existing = {std::string(name), std::string(value)};
    } else {
        headers_.emplace_back(name, value);
    }
    return true;
}

void RequestObject::clearResponse() {
    responseBody_.clear();
    responseHeaders_.clear();
    status_ = 0;
}

bool RequestObject::applyOptions(CURL* handle, std::string_view body,
                                 const CurlHeaderList& headers) const {
    bool ok = true;
    const auto set = [&](CURLoption option, auto value) {
        ok = ok && curl_easy_setopt(handle, option, value) == CURLE_OK;
    };
    set(CURLOPT_URL, url_.c_str());
    // Never HTTP/2: its header names arrive in lower case, and callers look for "Location: ".
    set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    set(CURLOPT_PROXY, proxy_.c_str());  // "" also keeps proxies of the environment out
    if (proxyCredentials_) {
        set(CURLOPT_PROXYUSERNAME, proxyCredentials_->first.c_str());
        set(CURLOPT_PROXYPASSWORD, proxyCredentials_->second.c_str());
        set(CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_BASIC));
    }
    if (serverCredentials_) {
        set(CURLOPT_USERNAME, serverCredentials_->first.c_str());
        set(CURLOPT_PASSWORD, serverCredentials_->second.c_str());
        set(CURLOPT_HTTPAUTH, static_cast<unsigned long>(CURLAUTH_BASIC));
    }
    set(CURLOPT_FOLLOWLOCATION, redirectsEnabled_ ? 1L : 0L);
    set(CURLOPT_MAXREDIRS, limits_.maxRedirects);
    constexpr std::uint32_t kPeerErrors =
        kIgnoreUnknownAuthority | kIgnoreWrongUsage | kIgnoreInvalidDate;
    set(CURLOPT_SSL_VERIFYPEER, (ignoredCertificateErrors_ & kPeerErrors) != 0 ? 0L : 1L);
    set(CURLOPT_SSL_VERIFYHOST,
        (ignoredCertificateErrors_ & kIgnoreInvalidCommonName) != 0 ? 0L : 2L);

    const milliseconds connect = NotNegative(timeouts_.resolve) + NotNegative(timeouts_.connect);
    set(CURLOPT_CONNECTTIMEOUT_MS,
        Milliseconds(connect.count() > 0 ? connect : limits_.connectTimeout));
    const milliseconds stall =
        std::max(NotNegative(timeouts_.send), NotNegative(timeouts_.receive));
    if (stall.count() > 0) {
        set(CURLOPT_LOW_SPEED_LIMIT, 1L);
        set(CURLOPT_LOW_SPEED_TIME, WholeSecondsRoundedUp(stall));
    } else {
        set(CURLOPT_LOW_SPEED_LIMIT, limits_.lowSpeedBytesPerSecond);
        set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits_.lowSpeedTime.count()));
    }
    set(CURLOPT_TIMEOUT_MS, Milliseconds(std::max(limits_.totalTimeout, milliseconds{1})));

    set(CURLOPT_HTTPHEADER, headers.get());
    if (method_ == "HEAD") {
        set(CURLOPT_NOBODY, 1L);
    } else if (method_ == "GET" && body.empty()) {
        set(CURLOPT_HTTPGET, 1L);
    } else {
        // POSTFIELDS is not copied by curl; the body outlives the transfer in send().
        set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        set(CURLOPT_POSTFIELDS, body.empty() ? "" : body.data());
        if (method_ != "POST") {
            set(CURLOPT_CUSTOMREQUEST, method_.c_str());
        }
    }
    return ok;
}

bool RequestObject::send(std::string_view body) {
    clearResponse();
    if (!handle_ || !opened_) {
        return false;
    }
    opened_ = false;
    CURL* handle = handle_.get();
    CurlHeaderList headers;
    bool listed = true;
    for (const auto& [name, value] : headers_) {
        // "Name;" is curl's way of sending a header with an empty value.
        listed = listed && headers.append(value.empty() ? name + ";" : name + ": " + value);
    }
    // Entries without a value send nothing and keep curl from adding Accept, Content-Type and
    // Expect headers of its own: the request carries the headers that were set, no others.
    listed = listed && headers.append("Accept:") && headers.append("Content-Type:") &&
             headers.append("Expect:");
    if (!listed) {
        return false;
    }
    // Options of an earlier request on this handle do not carry over; connections do.
    curl_easy_reset(handle);
    ResponseCollector response(limits_.maxBodyBytes, limits_.maxHeaderBytes);
    CURLcode result = CURLE_FAILED_INIT;
    if (applyOptions(handle, body, headers)) {
        response.install(handle);
        result = curl_easy_perform(handle);
    }
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    // Drops the pointers to the header list and the collector, which end with this call.
    curl_easy_reset(handle);
    if (result != CURLE_OK) {
        return false;
    }
    responseBody_ = response.takeBody();
    responseHeaders_ = response.headers();
    status_ = static_cast<std::int32_t>(status);
    return true;
}

}  // namespace tavrinel::net
