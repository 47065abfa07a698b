#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sim/search_simulator.h"

namespace tavrinel::testing {

// Command-line tests against one simulated search engine shared by the tests of a suite.
class CliSimulatorTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        simulator_ = std::make_unique<sim::SearchSimulator>();
        simulator_->start();
    }
    static void TearDownTestSuite() { simulator_.reset(); }
    void SetUp() override { simulator_->clearRequests(); }

    static sim::SearchSimulator& simulator() { return *simulator_; }
    // The options that point a run at the simulator.
    static std::vector<std::string> engineOptions() {
        return {"--template", simulator_->searchUrlTemplate(), "--site-root",
                simulator_->siteRoot()};
    }
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

// Lines of a text without their line ends; no empty last line.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace tavrinel::testing
