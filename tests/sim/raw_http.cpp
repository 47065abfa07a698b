#include "raw_http.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tavrinel::sim::testing {

int SendOnly(std::uint16_t port, std::string_view request) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) !=
            static_cast<ssize_t>(request.size())) {
        ::close(fd);
        return -1;
    }
    return fd;
}

RawReply RawExchange(std::uint16_t port, std::string_view request, std::chrono::milliseconds wait) {
    RawReply reply;
    const int fd = SendOnly(port, request);
    if (fd < 0) {
        return reply;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd readable{fd, POLLIN, 0};
        if (::poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        char chunk[8192];
        const ssize_t received = ::recv(fd, chunk, sizeof chunk, 0);
        if (received <= 0) {
            reply.closedByPeer = true;
            break;
        }
        reply.bytes.append(chunk, static_cast<std::size_t>(received));
    }
    ::close(fd);
    return reply;
}

std::string RawHeader(std::string_view reply, std::string_view name) {
    const std::string_view head = reply.substr(0, reply.find("\r\n\r\n"));
    const std::string prefix = "\r\n" + std::string(name) + ": ";
    const std::size_t at = head.find(prefix);
    if (at == std::string_view::npos) {
        return {};
    }
    const std::size_t start = at + prefix.size();
    return std::string(head.substr(start, head.find("\r\n", start) - start));
}

std::string RawBody(std::string_view reply) {
    const std::size_t end = reply.find("\r\n\r\n");
    return end == std::string_view::npos ? std::string() : std::string(reply.substr(end + 4));
}

}  // namespace tavrinel::sim::testing
