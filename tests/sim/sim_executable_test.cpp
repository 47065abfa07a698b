// The tavrinel-sim program itself: it prints where it listens, serves, and ends on SIGTERM.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "page_markers.h"
#include "raw_http.h"

namespace {

// Reads the child's output until it holds a line starting with prefix; returns that line.
std::string ReadLineStartingWith(int fd, const std::string& prefix, std::string& seen) {
    for (int rounds = 0; rounds < 100; ++rounds) {
        const std::size_t at = seen.find(prefix);
        if (at != std::string::npos) {
            const std::size_t end = seen.find('\n', at);
            if (end != std::string::npos) {
                return seen.substr(at, end - at);
            }
        }
        pollfd readable{fd, POLLIN, 0};
        if (::poll(&readable, 1, 100) <= 0) {
            continue;
        }
        char chunk[512];
        const ssize_t received = ::read(fd, chunk, sizeof chunk);
        if (received <= 0) {
            break;
        }
        seen.append(chunk, static_cast<std::size_t>(received));
    }
    return {};
}

TEST(SimExecutable, PrintsItsAddressesServesAndEndsOnSigterm) {
    int output[2];
    ASSERT_EQ(::pipe(output), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        ::execl(TAVRINEL_SIM_EXECUTABLE, TAVRINEL_SIM_EXECUTABLE, "--results", "12", nullptr);
        ::_exit(127);
    }
    ::close(output[1]);

    std::string seen;
    const std::string baseLine = ReadLineStartingWith(output[0], "base URL:", seen);
    const std::string templateLine = ReadLineStartingWith(output[0], "URL template:", seen);
    const std::string prefix = "http://127.0.0.1:";
    const std::size_t at = baseLine.find(prefix);
    ASSERT_NE(at, std::string::npos) << seen;
    const std::string base = baseLine.substr(at);
    EXPECT_NE(templateLine.find(base + "/s?wd={关键字}&ie=utf-8"), std::string::npos) << seen;

    const auto port = static_cast<std::uint16_t>(std::stoi(base.substr(prefix.size())));
    const auto reply =
        tavrinel::sim::testing::RawExchange(port, "GET /s?wd=a HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_EQ(tavrinel::sim::testing::ResultCountPhrase(reply.bytes), "找到相关结果约12个");

    ASSERT_EQ(::kill(child, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ::close(output[0]);
}

}  // namespace
