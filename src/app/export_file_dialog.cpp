#include "app/export_file_dialog.h"

#include <QPointer>
#include <utility>

#include "app/window_texts.h"

namespace tavrinel::app {

ExportFileDialog::ExportFileDialog(Desktop& desktop, QObject* parent)
    : QObject(parent), desktop_(desktop) {
    setObjectName(QString::fromUtf8(texts::names::kExportDialog));
}

void ExportFileDialog::ask(std::function<void(std::optional<QString>)> chosen) {
    desktop_.askSavePath(presetPath_, [self = QPointer<ExportFileDialog>(this),
                                       chosen = std::move(chosen)](std::optional<QString> path) {
        if (path && self) {
            self->presetPath_ = *path;
        }
        chosen(std::move(path));
    });
}

}  // namespace tavrinel::app
