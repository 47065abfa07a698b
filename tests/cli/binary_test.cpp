// The real executable: Ctrl-C stops a run like the stop button, and the exit status says so.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "cli_test_support.h"
#include "sim/search_simulator.h"

extern char** environ;

namespace tavrinel::cli {
namespace {

using testing::Lines;

struct Child {
    pid_t pid = -1;
    int stdoutFd = -1;
};

Child Spawn(std::vector<std::string> args) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    args.insert(args.begin(), TAVRINEL_BINARY);
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    Child child;
    if (posix_spawn(&child.pid, TAVRINEL_BINARY, &actions, nullptr, argv.data(), environ) != 0) {
        child.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    child.stdoutFd = pipeFds[0];
    return child;
}

// Reads the child's standard output up to its end; calls onFirstLine once the first line is in.
std::string ReadAll(int fd, const std::function<void()>& onFirstLine) {
    std::string text;
    bool signalled = false;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
        if (!signalled && text.find('\n') != std::string::npos) {
            signalled = true;
            onFirstLine();
        }
    }
    return text;
}

int ExitStatusOf(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(Binary, CtrlCStopsTheRunAtTheEndOfItsPage) {
    sim::SearchSimulator slow(sim::SimulatorOptions{.latency = std::chrono::milliseconds(30)});
    slow.start();
    const Child child = Spawn({"collect", "Morvesk", "--quiet", "--template",
                               slow.searchUrlTemplate(), "--site-root", slow.siteRoot()});
    ASSERT_GT(child.pid, 0);
    const std::string out = ReadAll(child.stdoutFd, [&] { ::kill(child.pid, SIGINT); });
    ::close(child.stdoutFd);
    EXPECT_EQ(ExitStatusOf(child.pid), 0);
    const std::size_t rows = Lines(out).size();
    EXPECT_EQ(rows, 10u) << out;
}

TEST(Binary, SecondCtrlCEndsAtOnce) {
    sim::SearchSimulator slow(sim::SimulatorOptions{.latency = std::chrono::milliseconds(200)});
    slow.start();
    const Child child = Spawn({"collect", "Morvesk", "--quiet", "--template",
                               slow.searchUrlTemplate(), "--site-root", slow.siteRoot()});
    ASSERT_GT(child.pid, 0);
    ReadAll(child.stdoutFd, [&] {
        ::kill(child.pid, SIGINT);
        // Two signals sent at once may merge into one; the second must come on its own.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::kill(child.pid, SIGINT);
    });
    ::close(child.stdoutFd);
    // 130, not 0: the run did not get to finish its page.
    EXPECT_EQ(ExitStatusOf(child.pid), 130);
}

TEST(Binary, NoPagerLinkExitsThreeAndDemoNeedsNoNetwork) {
    const Child child = Spawn({"collect", "sim-verify", "--demo", "--quiet"});
    ASSERT_GT(child.pid, 0);
    ReadAll(child.stdoutFd, [] {});
    ::close(child.stdoutFd);
    EXPECT_EQ(ExitStatusOf(child.pid), 3);
}

}  // namespace
}  // namespace tavrinel::cli
