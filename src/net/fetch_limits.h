#pragma once

#include <chrono>
#include <cstddef>

namespace tavrinel::net {

// Bounds on one transfer, so that a stalled, endless or looping server ends it instead of
// hanging the run or filling memory. libcurl's own defaults bound none of this: unlimited
// redirects, a 300 s connect timeout, no stall detection and no cap on a body of unknown length.
// The defaults below suit result pages of a few hundred KiB with generous room.
struct FetchLimits {
    // Redirects followed before the transfer is given up as failed.
    long maxRedirects = 10;
    // Name resolution, TCP connect and TLS handshake together.
    std::chrono::milliseconds connectTimeout{30'000};
    // The transfer is abandoned once it has moved fewer than lowSpeedBytesPerSecond for
    // lowSpeedTime: catches a server that stops answering or sends a byte now and then.
    long lowSpeedBytesPerSecond = 100;
    std::chrono::seconds lowSpeedTime{60};
    // The whole transfer, redirects included: catches a trickle just above the low-speed bound.
    std::chrono::milliseconds totalTimeout{300'000};
    // Body bytes taken in; a larger body ends the transfer at this many bytes.
    std::size_t maxBodyBytes = 64 * 1024 * 1024;
    // Header bytes of all responses of one transfer together (status lines included).
    std::size_t maxHeaderBytes = 256 * 1024;
};

}  // namespace tavrinel::net
