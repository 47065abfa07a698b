#pragma once

namespace tavrinel::app {

class MainWindow;

// Drives the window without a user, for demonstrations and screenshots; nothing happens unless
// the environment asks for it:
//   TAVRINEL_AUTOSTART_KEYWORD  types this keyword (UTF-8) and clicks the start button once the
//                               window is shown;
//   TAVRINEL_SCREENSHOT         once TAVRINEL_SCREENSHOT_ROWS rows (default 20) are listed or the
//                               run has ended, saves a picture of the window to this PNG file
//                               and quits (exit code 1 when the file cannot be written).
void StartAutopilotFromEnvironment(MainWindow& window);

}  // namespace tavrinel::app
