#pragma once

#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

#include "collect/window_operations.h"

namespace tavrinel::app {

// What the window asks of the desktop and a test cannot click: message boxes, the save dialog
// and the address opener. QtDesktop is the real one; tests put a scripted double in its place.
// Every call comes on the user-interface thread.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // A message box that blocks the window until the user closes it; returns then.
    virtual void showBlockingMessage(const QString& message, collect::MessageIcon icon) = 0;

    // A message box that leaves the window usable; closed runs once the user has closed it.
    virtual void showMessage(const QString& message, collect::MessageIcon icon,
                             std::function<void()> closed) = 0;

    // A save dialog opening at presetPath; chosen runs with the confirmed full path, or with
    // nullopt when the user cancels or the dialog cannot be shown.
    virtual void askSavePath(const QString& presetPath,
                             std::function<void(std::optional<QString>)> chosen) = 0;

    // Hands an address, already checked, to the desktop's opener; the outcome is not reported.
    virtual void openAddress(const QUrl& address) = 0;
};

}  // namespace tavrinel::app
