// Exporting a million rows, half of them duplicates, next to awk '!seen[$0]++' over the same
// lines in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "collect/result_row.h"
#include "collect/results_exporter.h"
#include "collect/window_operations.h"

namespace {

using namespace tavrinel;

constexpr int kRows = 1'000'000;

// A results list held in memory, as fast as a window's row store can be read.
class RowsInMemory : public collect::WindowOperations {
  public:
    RowsInMemory() {
        rows_.reserve(kRows);
        for (int i = 0; i < kRows; ++i) {
            const int site = i % (kRows / 2);  // every row appears twice
            const std::string domain = "www.site-" + std::to_string(site) + ".example.cn";
            rows_.push_back({std::to_string(i + 1), "Title of site " + std::to_string(site),
                             "http://" + domain + "/page/" + std::to_string(site), domain});
        }
    }
    text::Text keywordText() override { return {}; }
    text::Text pageCountText() override { return {}; }
    text::Text startButtonCaption() override { return {}; }
    void setStartButtonCaption(const text::Text&) override {}
    void setWindowCaption(const text::Text&) override {}
    text::Text pageCounterCaption() override { return {}; }
    void setPageCounterCaption(const text::Text&) override {}
    void raisePageFeedback(std::int32_t) override {}
    int rowCount() override { return static_cast<int>(rows_.size()); }
    int appendRow(const text::Text&) override { return -1; }
    void setCell(int, int, const text::Text&) override {}
    text::Text cell(int row, int column) override {
        const auto& r = rows_[static_cast<std::size_t>(row)];
        switch (column) {
            case collect::kTitleColumn:
                return r.title;
            case collect::kLandingUrlColumn:
                return r.landingUrl;
            case collect::kDomainColumn:
                return r.domain;
            default:
                return r.id;
        }
    }
    void showMessage(const text::Text& message, collect::MessageIcon) override {
        lastMessage = message;
    }
    std::optional<std::string> chooseExportFile() override { return path; }

    std::string path;
    text::Text lastMessage;

  private:
    std::vector<collect::ResultRow> rows_;
};

RowsInMemory& Rows() {
    static RowsInMemory rows;
    return rows;
}

std::filesystem::path TempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("tavrinel-bench-" + std::to_string(::getpid()) + "-" + name);
}

void ExportMillionRows(benchmark::State& state) {
    RowsInMemory& rows = Rows();
    rows.path = TempPath("export.txt").string();
    const auto mode = static_cast<collect::ExportMode>(state.range(0));
    if (!collect::ResultsExporter::run(rows, mode) || std::filesystem::file_size(rows.path) == 0) {
        state.SkipWithError("export failed");
        return;
    }
    for (auto _ : state) {
        collect::ResultsExporter::run(rows, mode);
    }
    state.counters["rows"] = kRows;
    std::filesystem::remove(rows.path);
}
BENCHMARK(ExportMillionRows)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same full-row lines through awk, timed as a whole process.
void AwkSeenOverSameLines(benchmark::State& state) {
    RowsInMemory& rows = Rows();
    const auto input = TempPath("lines.txt");
    const auto output = TempPath("awk.txt");
    {
        std::ofstream lines(input, std::ios::binary);
        for (int row = 0; row < kRows; ++row) {
            lines << rows.cell(row, 1) << '\t' << rows.cell(row, 2) << '\t' << rows.cell(row, 3)
                  << '\n';
        }
    }
    const std::string command =
        "awk '!seen[$0]++' '" + input.string() + "' > '" + output.string() + "'";
    if (std::system(command.c_str()) != 0) {
        state.SkipWithError("awk failed");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::system(command.c_str()));
    }
    std::filesystem::remove(input);
    std::filesystem::remove(output);
}
BENCHMARK(AwkSeenOverSameLines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

namespace {

// The in-memory part alone: reading cells, de-duplicating and joining the lines.
void BuildExportContent(benchmark::State& state) {
    RowsInMemory& rows = Rows();
    const auto mode = static_cast<collect::ExportMode>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(collect::ResultsExporter::buildContent(rows, mode));
    }
}
BENCHMARK(BuildExportContent)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
