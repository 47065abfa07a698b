#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrinel::sim::testing {

// What came back on a raw connection.
struct RawReply {
    std::string bytes;          // everything received, head and body
    bool closedByPeer = false;  // the server closed the connection (as opposed to our timeout)
};

// Sends request bytes to 127.0.0.1:port and collects the answer until the server closes the
// connection or wait has passed.
RawReply RawExchange(std::uint16_t port, std::string_view request,
                     std::chrono::milliseconds wait = std::chrono::milliseconds(5000));

// Opens a connection, sends the request and returns the socket without reading; -1 on failure.
int SendOnly(std::uint16_t port, std::string_view request);

// The value of a response header in a raw reply's head; empty when absent.
std::string RawHeader(std::string_view reply, std::string_view name);

// The body of a raw reply: what follows the head's blank line.
std::string RawBody(std::string_view reply);

}  // namespace tavrinel::sim::testing
