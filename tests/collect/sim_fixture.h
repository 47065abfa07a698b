#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "collect/configuration.h"
#include "sim/search_simulator.h"

namespace tavrinel::testing {

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
    static collect::CollectionSettings settings() {
        return collect::SettingsFromUtf8(simulator_->searchUrlTemplate(), simulator_->siteRoot());
    }
    // Requests whose path is the result page's ("/s").
    static std::size_t pageRequests() {
        std::size_t count = 0;
        for (const auto& request : simulator_->requests()) {
            count += sim::TargetPath(request.target) == "/s" ? 1 : 0;
        }
        return count;
    }

  private:
    static inline std::unique_ptr<sim::SearchSimulator> simulator_;
};

}  // namespace tavrinel::testing
