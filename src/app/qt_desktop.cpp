#include "app/qt_desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <memory>
#include <utility>

#include "app/window_texts.h"
#include "collect/ui_texts.h"
#include "text/charset_converter.h"

namespace tavrinel::app {
namespace {

QMessageBox::Icon BoxIcon(collect::MessageIcon icon) {
    return icon == collect::MessageIcon::kError ? QMessageBox::Critical : QMessageBox::Information;
}

// A box with the system's title and one OK button, owned by nobody.
std::unique_ptr<QMessageBox> MakeBox(const QString& message, collect::MessageIcon icon) {
    auto box = std::make_unique<QMessageBox>(
        BoxIcon(icon), QString::fromStdString(text::SystemToUtf8(collect::ui::MessageTitle())),
        message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_QuitOnClose, false);
    return box;
}

}  // namespace

QtDesktop::~QtDesktop() {
    for (const QPointer<QWidget>& widget : std::as_const(shown_)) {
        delete widget.data();
    }
}

void QtDesktop::showBlockingMessage(const QString& message, collect::MessageIcon icon) {
    const std::unique_ptr<QMessageBox> box = MakeBox(message, icon);
    box->exec();  // application-modal: the window stays blocked until the box is closed
}

void QtDesktop::showMessage(const QString& message, collect::MessageIcon icon,
                            std::function<void()> closed) {
    QMessageBox* box = MakeBox(message, icon).release();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QDialog::finished, [closed = std::move(closed)] { closed(); });
    keepTrackOf(box);
    box->show();
}

void QtDesktop::askSavePath(const QString& presetPath,
                            std::function<void(std::optional<QString>)> chosen) {
    auto* dialog = new QFileDialog();
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAttribute(Qt::WA_QuitOnClose, false);
    dialog->setWindowModality(Qt::NonModal);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QString::fromUtf8(texts::kExportFileFilter));
    dialog->setDefaultSuffix(QString::fromUtf8(texts::kExportDefaultSuffix));
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!presetPath.isEmpty()) {
        dialog->selectFile(presetPath);
    }
    QObject::connect(dialog, &QDialog::finished, [dialog, chosen = std::move(chosen)](int result) {
        const QStringList files = dialog->selectedFiles();
        if (result == QDialog::Accepted && !files.isEmpty() && !files.first().isEmpty()) {
            chosen(files.first());
        } else {
            chosen(std::nullopt);
        }
    });
    keepTrackOf(dialog);
    dialog->show();
}

void QtDesktop::openAddress(const QUrl& address) { QDesktopServices::openUrl(address); }

void QtDesktop::keepTrackOf(QWidget* shown) {
    shown_.removeAll(QPointer<QWidget>());
    shown_.append(shown);
}

}  // namespace tavrinel::app
