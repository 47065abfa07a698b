// tavrinel-sim: the simulated search engine as a process of its own, for trying the collector
// by hand against loopback.

#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <exception>
#include <iostream>

#include "sim/reserved_keywords.h"
#include "sim/search_simulator.h"

int main(int argc, char** argv) {
    using tavrinel::sim::SearchSimulator;
    using tavrinel::sim::SimulatorOptions;

    SimulatorOptions options;
    int latencyMs = 0;
    CLI::App app{"Simulated search engine on 127.0.0.1 for the Tavrinel collector"};
    app.add_option("--port", options.port, "port to listen on; 0 takes any free one")
        ->capture_default_str();
    app.add_option("--results", options.resultCount, "results of an ordinary keyword")
        ->check(CLI::Range(0, tavrinel::sim::kMaxResultCount))
        ->capture_default_str();
    app.add_option("--latency-ms", latencyMs, "wait before each response, in milliseconds")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    CLI11_PARSE(app, argc, argv);
    options.latency = std::chrono::milliseconds(latencyMs);

    // Blocked before the serving threads start, so that they inherit the mask and only the
    // sigwait below receives the signals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    SearchSimulator simulator(options);
    try {
        simulator.start();
    } catch (const std::exception& error) {
        std::cerr << "tavrinel-sim: " << error.what() << '\n';
        return 1;
    }
    std::cout << "base URL:     " << simulator.baseUrl() << '\n'
              << "URL template: " << simulator.searchUrlTemplate() << '\n'
              << "site root:    " << simulator.siteRoot() << '\n'
              << "Stop with Ctrl+C." << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    simulator.stop();
    return 0;
}
