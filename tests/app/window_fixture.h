#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_texts.h"
#include "collect/result_row.h"
#include "collect/ui_texts.h"
#include "fake_desktop.h"
#include "text/charset_converter.h"
#include "wait_until.h"

namespace tavrinel::app::testing {

inline QString Shown(const text::Text& systemText) {
    return QString::fromStdString(text::SystemToUtf8(systemText));
}

inline text::Text System(const char* utf8) { return text::Utf8ToSystem(utf8); }

// The main window on the offscreen platform with a scripted desktop. The desktop outlives the
// window, as in the program.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { openWindow({}); }
    void TearDown() override { window.reset(); }

    void openWindow(collect::CollectionSettings settings) {
        window = std::make_unique<MainWindow>(std::move(settings), desktop);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <class Widget>
    Widget* control(const char* name) const {
        auto* found = window->findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* keywordEdit() const { return control<QLineEdit>(texts::names::kKeywordEdit); }
    QLineEdit* pageCountEdit() const { return control<QLineEdit>(texts::names::kPageCountEdit); }
    QPushButton* startButton() const { return control<QPushButton>(texts::names::kStartButton); }
    QLabel* pageCounter() const { return control<QLabel>(texts::names::kPageCounter); }
    QCheckBox* autoScrollBox() const { return control<QCheckBox>(texts::names::kAutoScrollBox); }
    QTimer* autoScrollTimer() const { return control<QTimer>(texts::names::kAutoScrollTimer); }
    QTableView* list() const { return control<QTableView>(texts::names::kResultsList); }
    QMenu* menu() const { return control<QMenu>(texts::names::kMenu); }

    QAction* menuItem(const char* utf8Text) const {
        for (QAction* action : menu()->actions()) {
            if (action->text() == QString::fromUtf8(utf8Text)) {
                return action;
            }
        }
        ADD_FAILURE() << "no menu item " << utf8Text;
        return nullptr;
    }

    QString cellShown(int row, int column) const {
        return list()->model()->index(row, column).data().toString();
    }

    void clickStart() { QTest::mouseClick(startButton(), Qt::LeftButton); }

    // Runs body on a worker thread against the window's operations, as a run or an export
    // would, while this thread keeps the event loop going; returns the body's result.
    template <class Body>
    auto onWorker(Body body) {
        std::shared_ptr<collect::WindowOperations> operations = window->operations();
        auto result =
            std::async(std::launch::async, [operations, body] { return body(*operations); });
        EXPECT_TRUE(WaitUntil(
            [&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
        return result.get();
    }

    // Appends complete rows from a worker and waits until the view shows them.
    void appendRows(const std::vector<collect::ResultRow>& rows) {
        onWorker([&rows](collect::WindowOperations& operations) {
            for (const collect::ResultRow& row : rows) {
                const int index = operations.appendRow(row.id);
                operations.setCell(index, collect::kTitleColumn, row.title);
                operations.setCell(index, collect::kLandingUrlColumn, row.landingUrl);
                operations.setCell(index, collect::kDomainColumn, row.domain);
            }
            return true;
        });
        const int expected = window->operations()->rowCount();
        ASSERT_TRUE(WaitUntil([&] { return list()->model()->rowCount() == expected; }));
    }

    bool waitForMessage(const text::Text& message) {
        return WaitUntil([&] { return desktop.hasMessage(Shown(message)); });
    }

    FakeDesktop desktop;
    std::unique_ptr<MainWindow> window;
};

}  // namespace tavrinel::app::testing
