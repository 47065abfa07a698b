#pragma once

#include <atomic>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "collect/configuration.h"

namespace tavrinel::cli {

// Exit statuses of `tavrinel collect`; scripts rely on them.
enum ExitStatus : int {
    kExitOk = 0,            // the run ended by page count, last page or stop
    kExitExportFailed = 1,  // an export could not be written
    kExitUsage = 2,         // bad usage, or the keyword/page-count checks failed
    kExitNoPagerLink = 3,   // the run ended on a page without pager link
};

struct CommandLineHooks {
    // Opens the window with the given settings; empty when the program has no window.
    std::function<int(const collect::CollectionSettings&)> openWindow;
    // Set from outside to request a stop, as the window's stop button does. When null and
    // handleSignals is set, Ctrl-C sets an internal flag instead.
    const std::atomic<bool>* stopRequested = nullptr;
    // Install the Ctrl-C handler (first: stop after the current page; second: exit at once).
    bool handleSignals = false;
    // Whether standard error is a terminal, for the one-line progress display.
    bool stderrIsTerminal = false;
};

// The whole command line of `tavrinel`: `collect KEYWORD [options]` runs a collection on the
// command line; without a subcommand the window opens. args excludes the program name.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const CommandLineHooks& hooks = {});

}  // namespace tavrinel::cli
