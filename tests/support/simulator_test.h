#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "collect/configuration.h"
#include "sim/search_simulator.h"

namespace tavrinel::testing {

// Requests a simulator received for result pages ("/s"), as opposed to redirect links.
inline std::size_t PageRequestsOf(const sim::SearchSimulator& simulator) {
    std::size_t count = 0;
    for (const auto& request : simulator.requests()) {
        count += sim::TargetPath(request.target) == "/s" ? 1 : 0;
    }
    return count;
}

// Tests against one simulated search engine on loopback, shared by the tests of a suite.
class SimulatorTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        simulator_ = std::make_unique<sim::SearchSimulator>();
        simulator_->start();
    }
    static void TearDownTestSuite() { simulator_.reset(); }
    void SetUp() override { simulator_->clearRequests(); }

    static sim::SearchSimulator& simulator() { return *simulator_; }
    // The settings that point a run at the simulator.
    static collect::CollectionSettings settings() {
        return collect::SettingsFromUtf8(simulator_->searchUrlTemplate(), simulator_->siteRoot());
    }
    // The same as command-line options.
    static std::vector<std::string> engineOptions() {
        return {"--template", simulator_->searchUrlTemplate(), "--site-root",
                simulator_->siteRoot()};
    }
    static std::size_t pageRequests() { return PageRequestsOf(*simulator_); }

  private:
    static inline std::unique_ptr<sim::SearchSimulator> simulator_;
};

}  // namespace tavrinel::testing
