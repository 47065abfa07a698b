#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "app/desktop.h"

namespace tavrinel::app {

// The save dialog that both exports share. What they share is the file name: empty at first,
// then the last confirmed path, which every later export, in either mode, starts from.
// User-interface thread only.
class ExportFileDialog : public QObject {
    Q_OBJECT

  public:
    ExportFileDialog(Desktop& desktop, QObject* parent);

    const QString& presetPath() const { return presetPath_; }

    // Shows the dialog; chosen gets the confirmed path, which becomes the preset, or nullopt
    // when the user cancelled, which leaves the preset as it was.
    void ask(std::function<void(std::optional<QString>)> chosen);

  private:
    Desktop& desktop_;
    QString presetPath_;
};

}  // namespace tavrinel::app
