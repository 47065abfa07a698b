#include "app/window_app.h"

#include <QApplication>
#include <cstdlib>

#include "app/demo_autopilot.h"
#include "app/main_window.h"
#include "app/qt_desktop.h"

namespace tavrinel::app {

bool DisplayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

int RunWindowApp(int& argc, char** argv, const collect::CollectionSettings& settings) {
    QApplication application(argc, argv);
    // The desktop outlives the window: boxes still open for workers go only after it.
    QtDesktop desktop;
    MainWindow window(settings, desktop);
    window.show();
    StartAutopilotFromEnvironment(window);
    return QApplication::exec();
}

}  // namespace tavrinel::app
