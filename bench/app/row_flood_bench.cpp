// Appends rows through the window's operations from a worker, as runs do, and reports how long
// it takes, the peak memory, and the longest stall of the user-interface thread meanwhile
// (measured by a 5 ms timer on that thread). Usage: tavrinel_app_bench [rows]
#include <sys/resource.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/main_window.h"
#include "app/qt_desktop.h"
#include "app/window_texts.h"
#include "collect/result_row.h"

namespace {

using tavrinel::app::MainWindow;
namespace names = tavrinel::app::texts::names;

long PeakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Fills rows the way a run does: append with the Id, then title, address and domain.
void AppendRows(tavrinel::collect::WindowOperations& window, int rows) {
    for (int i = 1; i <= rows; ++i) {
        const std::string number = std::to_string(i);
        const int row = window.appendRow(number);
        window.setCell(row, tavrinel::collect::kTitleColumn, "Result page title " + number);
        window.setCell(row, tavrinel::collect::kLandingUrlColumn,
                       "http://www.site" + number + ".example/index.html");
        window.setCell(row, tavrinel::collect::kDomainColumn, "www.site" + number + ".example");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    QApplication application(argc, argv);
    tavrinel::app::QtDesktop desktop;
    MainWindow window({}, desktop);
    window.show();
    // Auto-scroll on, so the view also scrolls to the last row ten times a second.
    window.findChild<QCheckBox*>(QString::fromUtf8(names::kAutoScrollBox))->click();
    const QAbstractItemModel* model =
        window.findChild<QTableView*>(QString::fromUtf8(names::kResultsList))->model();

    // The longest gap between ticks of a 5 ms timer is the longest stall of the UI thread.
    QElapsedTimer sinceTick;
    qint64 longestGapMs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { longestGapMs = std::max(longestGapMs, sinceTick.restart()); });

    QElapsedTimer clock;
    std::atomic<qint64> appendMs{-1};
    auto operations = window.operations();
    QTimer::singleShot(0, [&] {
        sinceTick.start();
        probe.start(5);
        clock.start();
        std::thread([&, operations] {
            AppendRows(*operations, rows);
            appendMs = clock.elapsed();
        }).detach();
    });
    qint64 shownMs = -1;
    QTimer done;
    QObject::connect(&done, &QTimer::timeout, [&] {
        if (appendMs.load() >= 0 && model->rowCount() == rows) {
            shownMs = clock.elapsed();
            QApplication::quit();
        }
    });
    done.start(1);
    QApplication::exec();
    probe.stop();

    std::printf("rows appended by the worker: %d\n", rows);
    std::printf("worker time for all rows:    %lld ms\n", static_cast<long long>(appendMs.load()));
    std::printf("all rows shown by the view:  %lld ms\n", static_cast<long long>(shownMs));
    std::printf("longest UI-thread stall:     %lld ms (5 ms probe; target <= 50 ms)\n",
                static_cast<long long>(longestGapMs));
    std::printf("peak memory (ru_maxrss):     %ld KiB\n", PeakMemoryKiB());
    return longestGapMs <= 50 ? 0 : 1;
}
