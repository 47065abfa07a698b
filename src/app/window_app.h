#pragma once

#include "collect/configuration.h"

namespace tavrinel::app {

// Whether a window can be shown at all: an X11 or Wayland display, or a Qt platform chosen
// explicitly (QT_QPA_PLATFORM, e.g. offscreen).
bool DisplayAvailable();

// Creates the application and the main window, centred on the primary screen, and runs the
// event loop until the window is closed; returns the loop's exit code.
int RunWindowApp(int& argc, char** argv, const collect::CollectionSettings& settings);

}  // namespace tavrinel::app
