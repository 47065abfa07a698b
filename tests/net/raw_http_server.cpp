#include "raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace tavrinel::net::testing {

namespace {

// The Content-Length named in a request head, 0 when none is.
std::size_t ContentLength(std::string_view head) {
    constexpr std::string_view kName = "\r\ncontent-length:";
    std::string lower(head);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    const std::size_t at = lower.find(kName);
    if (at == std::string::npos) {
        return 0;
    }
    return std::strtoul(lower.c_str() + at + kName.size(), nullptr, 10);
}

}  // namespace

RawConnection::RawConnection(RawHttpServer& server, int socket, std::size_t index)
    : server_(server), socket_(socket), index_(index) {}

std::string RawConnection::readRequest() {
    std::string received;
    std::size_t headEnd = std::string::npos;
    std::size_t wanted = 0;
    char buffer[4096];
    while (headEnd == std::string::npos || received.size() < wanted) {
        const ssize_t count = recv(socket_, buffer, sizeof buffer, 0);
        if (count <= 0) {
            if (count < 0 && errno == EINTR) {
                continue;
            }
            return {};
        }
        received.append(buffer, static_cast<std::size_t>(count));
        if (headEnd == std::string::npos) {
            headEnd = received.find("\r\n\r\n");
            if (headEnd != std::string::npos) {
                wanted = headEnd + 4 + ContentLength(received.substr(0, headEnd + 2));
            }
        }
    }
    server_.record(received);
    return received;
}

bool RawConnection::send(std::string_view bytes) {
    while (!bytes.empty()) {
        if (server_.stopping()) {
            return false;
        }
        const ssize_t count = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

void RawConnection::waitForPeerClose() {
    char buffer[4096];
    while (!server_.stopping()) {
        const ssize_t count = recv(socket_, buffer, sizeof buffer, 0);
        if (count == 0 || (count < 0 && errno != EINTR)) {
            return;
        }
    }
}

bool RawConnection::pause(std::chrono::milliseconds duration) {
    return server_.pauseUnlessStopping(duration);
}

RawHttpServer::RawHttpServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listener_ < 0 ||
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 64) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener_ >= 0) {
            close(listener_);
        }
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

RawHttpServer::~RawHttpServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (int socket : sockets_) {
            shutdown(socket, SHUT_RDWR);  // wakes handlers blocked in recv or send
        }
    }
    stopped_.notify_all();
    acceptor_.join();
    for (std::thread& handler : handlers_) {
        handler.join();
    }
    for (int socket : sockets_) {
        close(socket);
    }
    close(listener_);
}

std::string RawHttpServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> RawHttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::size_t RawHttpServer::connectionCount() const {
    std::lock_guard lock(mutex_);
    return sockets_.size();
}

void RawHttpServer::acceptLoop() {
    while (!stopping()) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, 20) <= 0) {
            continue;
        }
        const int socket = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0) {
            continue;
        }
        std::lock_guard lock(mutex_);
        if (stopping()) {
            close(socket);
            return;
        }
        const std::size_t index = sockets_.size();
        sockets_.push_back(socket);
        handlers_.emplace_back([this, socket, index] {
            RawConnection connection(*this, socket, index);
            handler_(connection);
            shutdown(socket, SHUT_RDWR);  // the client sees the end; closed by the destructor
        });
    }
}

void RawHttpServer::record(std::string request) {
    std::lock_guard lock(mutex_);
    requests_.push_back(std::move(request));
}

bool RawHttpServer::pauseUnlessStopping(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    return !stopped_.wait_for(lock, duration, [this] { return stopping(); });
}

std::string Response(std::string_view statusLine, std::string_view body,
                     std::string_view extraHeaderLines) {
    return std::string(statusLine) + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
           std::string(extraHeaderLines) + "\r\n" + std::string(body);
}

RawHttpServer::Handler Reply(std::string response) {
    return [response = std::move(response)](RawConnection& connection) {
        if (!connection.readRequest().empty()) {
            connection.send(response);
        }
    };
}

RawHttpServer::Handler ReplyInTurn(std::vector<std::string> responses) {
    return [responses = std::move(responses)](RawConnection& connection) {
        if (!connection.readRequest().empty()) {
            connection.send(responses.at(std::min(connection.index(), responses.size() - 1)));
        }
    };
}

RawHttpServer::Handler EndlessBody() {
    return [](RawConnection& connection) {
        if (connection.readRequest().empty() || !connection.send("HTTP/1.1 200 OK\r\n\r\n")) {
            return;
        }
        const std::string chunk(16 * 1024, 'x');
        while (connection.send(chunk)) {
        }
    };
}

RawHttpServer::Handler HeaderFlood() {
    return [](RawConnection& connection) {
        if (connection.readRequest().empty() || !connection.send("HTTP/1.1 200 OK\r\n")) {
            return;
        }
        const std::string line = "X-Flood: " + std::string(1000, 'h') + "\r\n";
        while (connection.send(line)) {
        }
    };
}

RawHttpServer::Handler Trickle(std::chrono::milliseconds interval) {
    return [interval](RawConnection& connection) {
        if (connection.readRequest().empty() || !connection.send("HTTP/1.1 200 OK\r\n\r\n")) {
            return;
        }
        while (connection.send("x") && connection.pause(interval)) {
        }
    };
}

RawHttpServer::Handler RedirectLoop() {
    return [](RawConnection& connection) {
        while (!connection.readRequest().empty()) {
            const std::string next = "/loop/" + std::to_string(connection.index() + 1);
            if (!connection.send(
                    Response("HTTP/1.1 302 Found", "", "Location: " + next + "\r\n"))) {
                return;
            }
        }
    };
}

RawHttpServer::Handler NeverAnswer() {
    return [](RawConnection& connection) {
        if (!connection.readRequest().empty()) {
            connection.waitForPeerClose();
        }
    };
}

}  // namespace tavrinel::net::testing
