#include "sim/search_simulator.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <system_error>

#include "sim/request_router.h"

namespace tavrinel::sim {
namespace {

constexpr std::size_t kMaxHeadBytes = 64 * 1024;
constexpr std::size_t kMaxBodyBytes = 16 * 1024 * 1024;
constexpr std::size_t kMaxOpenConnections = 256;
// A client that sends nothing for this long loses its connection.
constexpr std::chrono::milliseconds kIdleReadLimit{10'000};
// How often a blocked read looks whether the simulator is stopping.
constexpr int kPollSliceMs = 100;

// Buffered reading from a connection that gives up when the simulator stops, the peer closes,
// or the peer stays silent for kIdleReadLimit.
class ConnectionReader {
  public:
    ConnectionReader(int fd, const std::atomic<bool>& stopping) : fd_(fd), stopping_(stopping) {}

    std::string& buffer() { return buffer_; }

    // Appends what arrives next to the buffer; false when nothing more will come.
    bool fill() {
        auto idleSince = std::chrono::steady_clock::now();
        while (!stopping_) {
            pollfd readable{fd_, POLLIN, 0};
            const int ready = ::poll(&readable, 1, kPollSliceMs);
            if (ready < 0 && errno != EINTR) {
                return false;
            }
            if (ready <= 0) {
                if (std::chrono::steady_clock::now() - idleSince > kIdleReadLimit) {
                    return false;
                }
                continue;
            }
            char chunk[16 * 1024];
            const ssize_t received = ::recv(fd_, chunk, sizeof chunk, 0);
            if (received > 0) {
                buffer_.append(chunk, static_cast<std::size_t>(received));
                return true;
            }
            if (received == 0 || errno != EINTR) {
                return false;
            }
        }
        return false;
    }

    // Makes the buffer hold at least count bytes; false when they never come.
    bool ensure(std::size_t count) {
        while (buffer_.size() < count) {
            if (!fill()) {
                return false;
            }
        }
        return true;
    }

    // Takes count bytes off the front of the buffer, which must hold them.
    std::string take(std::size_t count) {
        std::string taken = buffer_.substr(0, count);
        buffer_.erase(0, count);
        return taken;
    }

    // The next line without its CR LF; nothing when none completes within maxBytes.
    std::optional<std::string> takeLine(std::size_t maxBytes) {
        std::size_t end;
        while ((end = buffer_.find("\r\n")) == std::string::npos) {
            if (buffer_.size() > maxBytes || !fill()) {
                return std::nullopt;
            }
        }
        std::string line = take(end);
        buffer_.erase(0, 2);
        return line;
    }

  private:
    int fd_;
    const std::atomic<bool>& stopping_;
    std::string buffer_;
};

enum class ReadFailure { kGone, kMalformed, kTooLarge };

// The request head: the bytes before the first blank line (CR LF CR LF, or LF LF from lax
// clients), taken off the reader's buffer together with that blank line.
std::optional<std::string> ReadHead(ConnectionReader& reader, ReadFailure& failure) {
    for (;;) {
        const std::string& buffer = reader.buffer();
        const std::size_t crlf = buffer.find("\r\n\r\n");
        const std::size_t lf = buffer.find("\n\n");
        if (crlf != std::string::npos || lf != std::string::npos) {
            const bool crlfFirst =
                crlf != std::string::npos && (lf == std::string::npos || crlf < lf);
            const std::size_t end = crlfFirst ? crlf : lf;
            std::string head = reader.take(end);
            reader.buffer().erase(0, crlfFirst ? 4 : 2);
            return head;
        }
        if (buffer.size() > kMaxHeadBytes) {
            failure = ReadFailure::kTooLarge;
            return std::nullopt;
        }
        if (!reader.fill()) {
            failure = ReadFailure::kGone;
            return std::nullopt;
        }
    }
}

std::optional<std::size_t> ParseDecimal(std::string_view digits) {
    if (digits.empty() || digits.size() > 12) {
        return std::nullopt;
    }
    std::size_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

std::optional<std::size_t> ParseChunkSize(std::string_view line) {
    line = line.substr(0, line.find(';'));
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    if (line.empty() || line.size() > 8) {
        return std::nullopt;
    }
    std::size_t value = 0;
    for (const char c : line) {
        const int digit = (c >= '0' && c <= '9')   ? c - '0'
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                   : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::size_t>(digit);
    }
    return value;
}

std::optional<std::string> ReadChunkedBody(ConnectionReader& reader, ReadFailure& failure) {
    std::string body;
    for (;;) {
        const std::optional<std::string> sizeLine = reader.takeLine(kMaxHeadBytes);
        const std::optional<std::size_t> size = sizeLine ? ParseChunkSize(*sizeLine) : std::nullopt;
        if (!size) {
            failure = sizeLine ? ReadFailure::kMalformed : ReadFailure::kGone;
            return std::nullopt;
        }
        if (*size == 0) {
            break;
        }
        if (body.size() + *size > kMaxBodyBytes) {
            failure = ReadFailure::kTooLarge;
            return std::nullopt;
        }
        if (!reader.ensure(*size + 2)) {
            failure = ReadFailure::kGone;
            return std::nullopt;
        }
        body += reader.take(*size);
        reader.buffer().erase(0, 2);
    }
    // Trailer lines up to the blank line that ends the message.
    for (;;) {
        const std::optional<std::string> trailer = reader.takeLine(kMaxHeadBytes);
        if (!trailer) {
            failure = ReadFailure::kGone;
            return std::nullopt;
        }
        if (trailer->empty()) {
            return body;
        }
    }
}

std::optional<std::string> ReadBody(ConnectionReader& reader, const RecordedRequest& request,
                                    ReadFailure& failure) {
    if (request.header("Transfer-Encoding").find("chunked") != std::string::npos) {
        return ReadChunkedBody(reader, failure);
    }
    if (!request.hasHeader("Content-Length")) {
        return std::string();
    }
    const std::optional<std::size_t> length = ParseDecimal(request.header("Content-Length"));
    if (!length) {
        failure = ReadFailure::kMalformed;
        return std::nullopt;
    }
    if (*length > kMaxBodyBytes) {
        failure = ReadFailure::kTooLarge;
        return std::nullopt;
    }
    if (!reader.ensure(*length)) {
        failure = ReadFailure::kGone;
        return std::nullopt;
    }
    return reader.take(*length);
}

bool SendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void SendFailure(int fd, ReadFailure failure) {
    if (failure == ReadFailure::kGone) {
        return;
    }
    Reply reply;
    reply.status = failure == ReadFailure::kTooLarge ? 413 : 400;
    reply.headers.emplace_back("Content-Type", "text/plain");
    reply.body = reply.status == 413 ? "request too large\n" : "malformed request\n";
    SendAll(fd, ResponseHead(reply) + reply.body);
}

[[noreturn]] void ThrowSystemError(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

struct SearchSimulator::Connection {
    int fd = -1;  // guarded by connectionsMutex_; -1 once the serving thread closed it
    std::thread thread;
    std::atomic<bool> finished{false};
};

SearchSimulator::SearchSimulator(SimulatorOptions options) : options_(options) {}

SearchSimulator::~SearchSimulator() { stop(); }

std::uint16_t SearchSimulator::start() {
    if (acceptThread_.joinable()) {
        return port_;
    }
    stopping_ = false;
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        ThrowSystemError("simulator socket");
    }
    const int on = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(options_.port);
    socklen_t length = sizeof address;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 128) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        const int error = errno;
        ::close(listenFd_);
        listenFd_ = -1;
        errno = error;
        ThrowSystemError("simulator cannot listen on 127.0.0.1:" + std::to_string(options_.port));
    }
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0) {
        const int error = errno;
        ::close(listenFd_);
        listenFd_ = -1;
        errno = error;
        ThrowSystemError("simulator eventfd");
    }
    port_ = ntohs(address.sin_port);
    acceptThread_ = std::thread([this] { acceptLoop(); });
    return port_;
}

void SearchSimulator::stop() {
    if (!acceptThread_.joinable()) {
        return;
    }
    {
        std::lock_guard lock(stopMutex_);
        stopping_ = true;
    }
    stopSignal_.notify_all();
    const std::uint64_t wake = 1;
    [[maybe_unused]] const auto written = ::write(wakeFd_, &wake, sizeof wake);
    acceptThread_.join();
    ::close(listenFd_);
    ::close(wakeFd_);
    listenFd_ = wakeFd_ = -1;

    std::list<std::unique_ptr<Connection>> open;
    {
        // Shutting a socket down wakes its thread from any read, write or poll on it.
        std::lock_guard lock(connectionsMutex_);
        for (const auto& connection : connections_) {
            if (connection->fd >= 0) {
                ::shutdown(connection->fd, SHUT_RDWR);
            }
        }
        open.swap(connections_);
    }
    for (const auto& connection : open) {
        connection->thread.join();
    }
}

bool SearchSimulator::isRunning() const { return acceptThread_.joinable() && !stopping_; }

std::uint16_t SearchSimulator::port() const { return port_; }

std::string SearchSimulator::baseUrl() const {
    return "http://127.0.0.1:" + std::to_string(port_.load());
}

std::string SearchSimulator::searchUrlTemplate() const {
    return baseUrl() + "/s?wd={关键字}&ie=utf-8";
}

ResultCatalog SearchSimulator::catalog() const {
    return ResultCatalog(baseUrl(), options_.resultCount);
}

std::vector<RecordedRequest> SearchSimulator::requests() const {
    std::lock_guard lock(requestsMutex_);
    return requests_;
}

std::size_t SearchSimulator::requestCount() const {
    std::lock_guard lock(requestsMutex_);
    return requests_.size();
}

void SearchSimulator::clearRequests() {
    std::lock_guard lock(requestsMutex_);
    requests_.clear();
}

bool SearchSimulator::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(requestsMutex_);
    return requestArrived_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

void SearchSimulator::record(const RecordedRequest& request) {
    {
        std::lock_guard lock(requestsMutex_);
        requests_.push_back(request);
    }
    requestArrived_.notify_all();
}

bool SearchSimulator::pauseUnlessStopping(std::chrono::milliseconds duration) {
    std::unique_lock lock(stopMutex_);
    return !stopSignal_.wait_for(lock, duration, [this] { return stopping_.load(); });
}

void SearchSimulator::acceptLoop() {
    while (!stopping_) {
        pollfd watched[2] = {{listenFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        const int ready = ::poll(watched, 2, 500);
        reapFinishedConnections();
        if (stopping_) {
            break;
        }
        if (ready <= 0 || (watched[0].revents & POLLIN) == 0) {
            continue;
        }
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            continue;
        }
        std::lock_guard lock(connectionsMutex_);
        if (connections_.size() >= kMaxOpenConnections) {
            ::close(fd);
            continue;
        }
        auto connection = std::make_unique<Connection>();
        connection->fd = fd;
        Connection& served = *connection;
        connection->thread = std::thread([this, &served] { serveConnection(served); });
        connections_.push_back(std::move(connection));
    }
}

void SearchSimulator::reapFinishedConnections() {
    std::lock_guard lock(connectionsMutex_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        if ((*it)->finished) {
            (*it)->thread.join();
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

void SearchSimulator::serveConnection(Connection& connection) {
    int fd;
    {
        std::lock_guard lock(connectionsMutex_);
        fd = connection.fd;
    }
    ConnectionReader reader(fd, stopping_);
    ReadFailure failure = ReadFailure::kGone;
    std::optional<RecordedRequest> request;
    if (const std::optional<std::string> head = ReadHead(reader, failure)) {
        request = ParseRequestHead(*head);
        if (!request) {
            failure = ReadFailure::kMalformed;
        }
    }
    if (request && request->header("Expect") == "100-continue") {
        SendAll(fd, "HTTP/1.1 100 Continue\r\n\r\n");
    }
    if (request) {
        if (std::optional<std::string> body = ReadBody(reader, *request, failure)) {
            request->body = std::move(*body);
        } else {
            record(*request);
            request.reset();
        }
    }

    if (!request) {
        SendFailure(fd, failure);
    } else {
        record(*request);
        const Reply reply = RouteRequest(catalog(), *request);
        const bool stillServing =
            options_.latency.count() <= 0 || pauseUnlessStopping(options_.latency);
        if (stillServing) {
            switch (reply.delivery) {
                case Reply::Delivery::kWhole:
                    SendAll(fd,
                            ResponseHead(reply) + (request->method == "HEAD" ? "" : reply.body));
                    break;
                case Reply::Delivery::kBreakMidBody:
                    SendAll(fd, ResponseHead(reply) + reply.body.substr(0, reply.bytesBeforeBreak));
                    break;
                case Reply::Delivery::kNoAnswer:
                    pauseUnlessStopping(options_.hangingLinkHold);
                    break;
            }
        }
    }

    {
        std::lock_guard lock(connectionsMutex_);
        ::shutdown(fd, SHUT_WR);
        ::close(fd);
        connection.fd = -1;
    }
    connection.finished = true;
}

}  // namespace tavrinel::sim
