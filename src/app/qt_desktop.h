#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include "app/desktop.h"

namespace tavrinel::app {

// The desktop through Qt: QMessageBox, QFileDialog and QDesktopServices. The boxes and dialogs
// it shows for workers have no owner window and do not keep the program alive; those still
// open when it is destroyed go with it, which tells their waiting workers that the window is
// gone.
class QtDesktop : public Desktop {
  public:
    QtDesktop() = default;
    ~QtDesktop() override;
    QtDesktop(const QtDesktop&) = delete;
    QtDesktop& operator=(const QtDesktop&) = delete;

    void showBlockingMessage(const QString& message, collect::MessageIcon icon) override;
    void showMessage(const QString& message, collect::MessageIcon icon,
                     std::function<void()> closed) override;
    void askSavePath(const QString& presetPath,
                     std::function<void(std::optional<QString>)> chosen) override;
    void openAddress(const QUrl& address) override;

  private:
    void keepTrackOf(QWidget* shown);

    QList<QPointer<QWidget>> shown_;
};

}  // namespace tavrinel::app
