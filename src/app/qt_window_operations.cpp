#include "app/qt_window_operations.h"

#include <QFile>
#include <utility>

#include "app/desktop.h"
#include "app/export_file_dialog.h"
#include "app/main_window.h"
#include "collect/page_feedback.h"
#include "collect/ui_texts.h"
#include "text/charset_converter.h"

namespace tavrinel::app {
namespace {

QString Shown(const text::Text& message) {
    return QString::fromStdString(text::SystemToUtf8(message));
}

}  // namespace

QtWindowOperations::QtWindowOperations(MainWindow& window, std::shared_ptr<UiDispatcher> dispatcher,
                                       std::shared_ptr<RowStore> rows)
    : window_(window), dispatcher_(std::move(dispatcher)), rows_(std::move(rows)) {}

text::Text QtWindowOperations::keywordText() {
    return dispatcher_->call<text::Text>([this] { return window_.keywordText(); }, {});
}

text::Text QtWindowOperations::pageCountText() {
    return dispatcher_->call<text::Text>([this] { return window_.pageCountText(); }, {});
}

text::Text QtWindowOperations::startButtonCaption() {
    return dispatcher_->call<text::Text>([this] { return window_.startButtonCaption(); },
                                         collect::ui::StartCaption());
}

void QtWindowOperations::setStartButtonCaption(const text::Text& caption) {
    dispatcher_->run([&] { window_.setStartButtonCaption(caption); });
}

void QtWindowOperations::setWindowCaption(const text::Text& caption) {
    dispatcher_->run([&] { window_.setWindowCaption(caption); });
}

text::Text QtWindowOperations::pageCounterCaption() {
    return dispatcher_->call<text::Text>([this] { return window_.pageCounterCaption(); }, {});
}

void QtWindowOperations::setPageCounterCaption(const text::Text& caption) {
    dispatcher_->run([&] { window_.setPageCounterCaption(caption); });
}

void QtWindowOperations::raisePageFeedback(std::int32_t pageNumber) {
    // The handler's own reads and writes of the controls run directly: it is on the UI thread.
    dispatcher_->run([&] { collect::onPageFeedback(*this, pageNumber); });
}

int QtWindowOperations::rowCount() { return rows_->rowCount(); }

int QtWindowOperations::appendRow(const text::Text& id) { return rows_->appendRow(id); }

void QtWindowOperations::setCell(int row, int column, const text::Text& value) {
    rows_->setCell(row, column, value);
}

text::Text QtWindowOperations::cell(int row, int column) { return rows_->cell(row, column); }

void QtWindowOperations::showMessage(const text::Text& message, collect::MessageIcon icon) {
    if (dispatcher_->onUiThread()) {
        dispatcher_->run([&] { window_.desktop().showBlockingMessage(Shown(message), icon); });
        return;
    }
    // The text crosses threads as plain bytes; Qt's strings are made on the UI thread.
    dispatcher_->await<bool>(
        [this, message, icon](UiDispatcher::Reply<bool> closed) {
            window_.desktop().showMessage(Shown(message), icon,
                                          [closed = std::move(closed)] { closed(true); });
        },
        false);
}

std::optional<std::string> QtWindowOperations::chooseExportFile() {
    using Path = std::optional<std::string>;
    return dispatcher_->await<Path>(
        [this](UiDispatcher::Reply<Path> reply) {
            window_.exportFileDialog().ask([reply = std::move(reply)](std::optional<QString> path) {
                // File names go to the file system in its own encoding.
                reply(path ? Path(QFile::encodeName(*path).toStdString()) : std::nullopt);
            });
        },
        std::nullopt);
}

}  // namespace tavrinel::app
