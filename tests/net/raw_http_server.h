#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tavrinel::net::testing {

class RawHttpServer;

// One accepted connection, as a handler script sees it.
class RawConnection {
  public:
    RawConnection(RawHttpServer& server, int socket, std::size_t index);

    // Which connection this is, counted from 0 in order of acceptance.
    std::size_t index() const { return index_; }

    // Reads one request: the head up to its blank line and as many body bytes as its
    // Content-Length names. The server records the bytes. "" when the peer closed first.
    std::string readRequest();

    // Sends the bytes; false once the peer is gone or the server is stopping.
    bool send(std::string_view bytes);

    // Waits, without answering, until the peer closes or the server stops.
    void waitForPeerClose();

    // Sleeps; false when the server began stopping meanwhile.
    bool pause(std::chrono::milliseconds duration);

  private:
    RawHttpServer& server_;
    int socket_;
    std::size_t index_;
};

// A raw HTTP server on 127.0.0.1 and a free port, for tests that must see the exact request
// bytes or need a server that misbehaves. Every connection runs the handler on a thread of its
// own; the destructor stops the handlers (their sockets are shut down) and joins them.
class RawHttpServer {
  public:
    using Handler = std::function<void(RawConnection&)>;

    explicit RawHttpServer(Handler handler);
    ~RawHttpServer();
    RawHttpServer(const RawHttpServer&) = delete;
    RawHttpServer& operator=(const RawHttpServer&) = delete;

    std::uint16_t port() const { return port_; }
    // "http://127.0.0.1:PORT" followed by the path.
    std::string url(std::string_view path = "/") const;

    // The raw requests read so far, in order of arrival.
    std::vector<std::string> requests() const;
    std::size_t connectionCount() const;

  private:
    friend class RawConnection;

    void acceptLoop();
    void record(std::string request);
    bool stopping() const { return stopping_.load(); }
    bool pauseUnlessStopping(std::chrono::milliseconds duration);

    Handler handler_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    std::vector<std::string> requests_;
    std::vector<int> sockets_;
    std::list<std::thread> handlers_;
    std::thread acceptor_;
};

// Canned handler scripts.

// Reads the request, sends the bytes, closes.
RawHttpServer::Handler Reply(std::string response);

// Like Reply with the response of the connection's index; the last one for all later ones.
RawHttpServer::Handler ReplyInTurn(std::vector<std::string> responses);

// A complete response with Content-Length and the given extra header lines ("Name: value\r\n").
std::string Response(std::string_view statusLine, std::string_view body,
                     std::string_view extraHeaderLines = "");

// Sends a 200 head without length, then body bytes until the client gives up.
RawHttpServer::Handler EndlessBody();

// Sends a status line, then header lines until the client gives up.
RawHttpServer::Handler HeaderFlood();

// Sends a 200 head without length, then one body byte per interval until the client gives up.
RawHttpServer::Handler Trickle(std::chrono::milliseconds interval);

// Answers every request with a 302 to a new path of this server (/loop/1, /loop/2, ...).
RawHttpServer::Handler RedirectLoop();

// Reads the request and never answers.
RawHttpServer::Handler NeverAnswer();

}  // namespace tavrinel::net::testing
