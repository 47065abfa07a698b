#include "app/demo_autopilot.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "app/main_window.h"
#include "app/window_texts.h"
#include "collect/ui_texts.h"
#include "text/charset_converter.h"

namespace tavrinel::app {
namespace {

constexpr int kPollMs = 100;
constexpr int kSettleMs = 400;  // lets the last rows and the caption paint before the grab

// The window as Qt draws it, so that a box shown meanwhile (the run's closing message) does
// not cover the list.
void SaveWindowAndQuit(MainWindow& window, const QString& path) {
    const bool saved = window.grab().save(path, "PNG");
    QCoreApplication::exit(saved ? 0 : 1);
}

void ScreenshotWhenReady(MainWindow& window, const QString& path, int rowsWanted) {
    const auto* rows = window.findChild<QTableView*>(QString::fromUtf8(texts::names::kResultsList));
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, rows, path, rowsWanted] {
        const bool runEnded = window.startButtonCaption() == collect::ui::StartCaption();
        if (rows->model()->rowCount() < rowsWanted && !runEnded) {
            return;
        }
        poll->stop();
        QTimer::singleShot(kSettleMs, &window,
                           [&window, path] { SaveWindowAndQuit(window, path); });
    });
    // The first poll comes after the start click has relabelled the button.
    poll->start(kPollMs);
}

}  // namespace

void StartAutopilotFromEnvironment(MainWindow& window) {
    const QString keyword = qEnvironmentVariable("TAVRINEL_AUTOSTART_KEYWORD");
    if (!keyword.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, keyword] {
            window.findChild<QLineEdit*>(QString::fromUtf8(texts::names::kKeywordEdit))
                ->setText(keyword);
            window.findChild<QPushButton*>(QString::fromUtf8(texts::names::kStartButton))->click();
        });
    }
    const QString screenshot = qEnvironmentVariable("TAVRINEL_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        bool valid = false;
        const int rowsWanted = qEnvironmentVariableIntValue("TAVRINEL_SCREENSHOT_ROWS", &valid);
        ScreenshotWhenReady(window, screenshot, valid && rowsWanted > 0 ? rowsWanted : 20);
    }
}

}  // namespace tavrinel::app
