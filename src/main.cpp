#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#ifdef TAVRINEL_HAS_GUI
#include "app/window_app.h"
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    tavrinel::cli::CommandLineHooks hooks;
    hooks.handleSignals = true;
    hooks.stderrIsTerminal = ::isatty(STDERR_FILENO) == 1;
#ifdef TAVRINEL_HAS_GUI
    hooks.openWindow = [&](const tavrinel::collect::CollectionSettings& settings) {
        if (!tavrinel::app::DisplayAvailable()) {
            std::cerr << "tavrinel: no display to open the window on; "
                         "on a terminal use: tavrinel collect KEYWORD [--pages N]\n";
            return 1;
        }
        const int status = tavrinel::app::RunWindowApp(argc, argv, settings);
        // Runs and exports still working end with the process, as closing the window promises;
        // leaving without static destructors keeps them from touching torn-down state meanwhile.
        std::cout.flush();
        std::cerr.flush();
        std::_Exit(status);
    };
#endif
    return tavrinel::cli::RunCommandLine(args, std::cout, std::cerr, hooks);
}
