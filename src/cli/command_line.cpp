#include "cli/command_line.h"

#include <signal.h>
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <sstream>

#include "cli/cli_window.h"
#include "collect/collection_run.h"
#include "collect/page_count_text.h"
#include "collect/results_exporter.h"
#include "collect/start_stop.h"
#include "collect/ui_texts.h"
#include "sim/search_simulator.h"
#include "text/charset_converter.h"

namespace tavrinel::cli {
namespace {

struct CollectOptions {
    std::string keyword;
    std::string pages = "10";
    std::string domainsFile;
    std::string rowsFile;
    std::string encoding = "gbk";
    bool jsonLines = false;
    bool quiet = false;
};

struct SharedOptions {
    std::string searchUrlTemplate;
    std::string searchSiteRoot;
    bool demo = false;
};

std::atomic<bool> gInterrupted{false};

extern "C" void OnInterrupt(int) {
    if (gInterrupted.exchange(true)) {
        ::_exit(130);  // the second Ctrl-C ends the process at once
    }
}

void InstallInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
}

// Settings in force: built-in, then the environment, then the options, then --demo.
collect::CollectionSettings ResolveSettings(const SharedOptions& shared,
                                            const sim::SearchSimulator* demo) {
    collect::CollectionSettings settings =
        collect::SettingsFromEnvironment(collect::DefaultSettings());
    if (!shared.searchUrlTemplate.empty()) {
        settings.searchUrlTemplate = text::Utf8ToSystem(shared.searchUrlTemplate);
    }
    if (!shared.searchSiteRoot.empty()) {
        settings.searchSiteRoot = text::Utf8ToSystem(shared.searchSiteRoot);
    }
    if (demo != nullptr) {
        settings = collect::SettingsFromUtf8(demo->searchUrlTemplate(), demo->siteRoot());
    }
    return settings;
}

int RunCollect(const CollectOptions& options, const collect::CollectionSettings& settings,
               std::ostream& out, std::ostream& err, const CommandLineHooks& hooks) {
    const std::atomic<bool>* stop = hooks.stopRequested;
    if (stop == nullptr && hooks.handleSignals) {
        gInterrupted = false;
        InstallInterruptHandler();
        stop = &gInterrupted;
    }
    CliOutputOptions output;
    output.jsonLines = options.jsonLines;
    output.quiet = options.quiet;
    output.progressOnTerminal = hooks.stderrIsTerminal;
    CliWindow window(out, err, output, stop);

    const text::Text keyword = text::Utf8ToSystem(options.keyword);
    const text::Text pageCount = collect::NormalizePageCountText(options.pages);
    switch (collect::DecideStartStop(keyword, pageCount, collect::ui::StartCaption(), false)) {
        case collect::StartStopAction::kAskForKeyword:
            window.showMessage(collect::ui::EnterKeywordMessage(),
                               collect::MessageIcon::kInformation);
            return kExitUsage;
        case collect::StartStopAction::kAskForPageCount:
            window.showMessage(collect::ui::EnterPageCountMessage(),
                               collect::MessageIcon::kInformation);
            return kExitUsage;
        default:
            break;
    }
    window.setInputs(keyword, pageCount);
    window.setStartButtonCaption(collect::ui::StopCaption());
    const collect::RunEnd end = collect::CollectionRun(window, settings).run();
    window.finishProgress();

    const auto encoding = options.encoding == "utf-8" ? collect::ExportEncoding::kUtf8
                                                      : collect::ExportEncoding::kSystem;
    bool exportsWritten = true;
    for (const auto& [file, mode] : {std::pair{options.domainsFile, collect::ExportMode::kDomains},
                                     std::pair{options.rowsFile, collect::ExportMode::kFullRows}}) {
        if (!file.empty()) {
            window.setNextExportFile(file);
            exportsWritten =
                collect::ResultsExporter::run(window, mode, encoding) && exportsWritten;
        }
    }
    if (!exportsWritten) {
        return kExitExportFailed;
    }
    return end == collect::RunEnd::kNoPagerLink ? kExitNoPagerLink : kExitOk;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const CommandLineHooks& hooks) {
    CLI::App app("Tavrinel harvests web sites from the Baidu web search.", "tavrinel");
    app.set_version_flag("--version", "tavrinel " TAVRINEL_VERSION);
    app.footer(
        "Without a subcommand the window opens.\n"
        "Environment: TAVRINEL_SEARCH_URL_TEMPLATE, TAVRINEL_SEARCH_SITE_ROOT (UTF-8).");

    SharedOptions shared;
    const auto addShared = [&shared](CLI::App& target) {
        target.add_option("--template", shared.searchUrlTemplate,
                          "Search URL with {关键字} where the encoded keyword goes");
        target.add_option("--site-root", shared.searchSiteRoot,
                          "Scheme and host that next-page links are appended to");
        target.add_flag("--demo", shared.demo,
                        "Search a simulated engine on loopback instead of the real one");
    };
    addShared(app);

    CollectOptions options;
    CLI::App* collectCommand =
        app.add_subcommand("collect", "Collect result rows on the command line");
    collectCommand->add_option("KEYWORD", options.keyword, "The search keyword")->required();
    collectCommand->add_option("--pages", options.pages, "Number of result pages (default 10)");
    collectCommand->add_option("--domains", options.domainsFile,
                               "Write the distinct domains to FILE at the end");
    collectCommand->add_option("--rows", options.rowsFile,
                               "Write the distinct title/address/domain rows to FILE at the end");
    collectCommand->add_option("--encoding", options.encoding, "Encoding of the export files")
        ->check(CLI::IsMember({"gbk", "utf-8"}));
    collectCommand->add_flag("--jsonl", options.jsonLines, "Rows as JSON objects, one per line");
    collectCommand->add_flag("--quiet", options.quiet, "No progress display, no page counter");
    addShared(*collectCommand);

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        std::ostringstream helpOut;
        std::ostringstream errorOut;
        const int status = app.exit(error, helpOut, errorOut);
        out << helpOut.str();
        err << errorOut.str();
        return status == 0 ? kExitOk : kExitUsage;
    }

    std::unique_ptr<sim::SearchSimulator> demo;
    if (shared.demo) {
        demo = std::make_unique<sim::SearchSimulator>();
        demo->start();
    }
    const collect::CollectionSettings settings = ResolveSettings(shared, demo.get());

    if (collectCommand->parsed()) {
        return RunCollect(options, settings, out, err, hooks);
    }
    if (!hooks.openWindow) {
        err << "This build has no window; use: tavrinel collect KEYWORD\n";
        return kExitUsage;
    }
    return hooks.openWindow(settings);
}

}  // namespace tavrinel::cli
