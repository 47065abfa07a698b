#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/recorded_request.h"
#include "sim/result_catalog.h"

namespace tavrinel::sim {

struct SimulatorOptions {
    // Results of an ordinary keyword: 95 make ten pages, the last one short.
    int resultCount = 95;
    // Wait before each response, as a slow engine would.
    std::chrono::milliseconds latency{0};
    // Port on 127.0.0.1; 0 takes any free one.
    std::uint16_t port = 0;
    // How long a hanging redirect link keeps its connection before closing it unanswered.
    std::chrono::milliseconds hangingLinkHold{30'000};
};

// A simulated search engine on 127.0.0.1 for tests, benchmarks and the offline demo. It serves
// result pages for any keyword (see ResultCatalog and result_page.h; reserved keywords in
// reserved_keywords.h choose failure modes) and answers their redirect links, and it records
// every request it received.
//
// Each connection carries one request and is answered with "Connection: close". Requests are
// served on threads of the simulator's own; stop() and the destructor end them all promptly,
// hanging and half-sent ones included.
class SearchSimulator {
  public:
    explicit SearchSimulator(SimulatorOptions options = {});
    ~SearchSimulator();
    SearchSimulator(const SearchSimulator&) = delete;
    SearchSimulator& operator=(const SearchSimulator&) = delete;

    // Binds and starts serving; the port is accepting connections when this returns. Throws
    // std::system_error when the port cannot be bound. A running simulator keeps its port.
    std::uint16_t start();
    // Closes the listening socket and every open connection and waits for the serving threads.
    void stop();
    bool isRunning() const;

    std::uint16_t port() const;
    // "http://127.0.0.1:PORT": scheme and host, no trailing slash; also the site root to which
    // the pages' root-relative pager links are appended.
    std::string baseUrl() const;
    std::string siteRoot() const { return baseUrl(); }
    // baseUrl() + "/s?wd={关键字}&ie=utf-8", the first page's address with the placeholder.
    std::string searchUrlTemplate() const;

    // The content the simulator serves while running on its current port.
    ResultCatalog catalog() const;

    // Requests received so far, in order of arrival.
    std::vector<RecordedRequest> requests() const;
    std::size_t requestCount() const;
    void clearRequests();
    // Waits until at least count requests have been recorded; false on timeout.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

  private:
    struct Connection;

    void acceptLoop();
    void serveConnection(Connection& connection);
    void reapFinishedConnections();
    void record(const RecordedRequest& request);
    // Sleeps for duration unless the simulator is stopping; false when it is.
    bool pauseUnlessStopping(std::chrono::milliseconds duration);

    SimulatorOptions options_;
    int listenFd_ = -1;
    int wakeFd_ = -1;
    std::atomic<std::uint16_t> port_{0};
    std::atomic<bool> stopping_{false};
    std::thread acceptThread_;

    mutable std::mutex stopMutex_;
    std::condition_variable stopSignal_;

    std::mutex connectionsMutex_;
    std::list<std::unique_ptr<Connection>> connections_;

    mutable std::mutex requestsMutex_;
    mutable std::condition_variable requestArrived_;
    std::vector<RecordedRequest> requests_;
};

}  // namespace tavrinel::sim
