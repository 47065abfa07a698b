#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>

#include "window_fixture.h"

namespace tavrinel::app::testing {
namespace {

struct ControlCase {
    const char* name;
    QRect geometry;
    QString text;
};

TEST_F(WindowTest, ShowsEveryControlAtItsPlaceWithItsInitialText) {
    const ControlCase cases[] = {
        {texts::names::kPageCounter, {155, 32, 304, 20}, u"当前页：0"_qs},
        {texts::names::kAutoScrollBox, {8, 32, 72, 20}, u"滚动显示"_qs},
        {texts::names::kPageCountLabel, {384, 8, 34, 20}, u"页数："_qs},
        {texts::names::kPageCountEdit, {418, 8, 46, 20}, u"10"_qs},
        {texts::names::kResultsList, {7, 56, 601, 280}, {}},
        {texts::names::kStartButton, {472, 8, 136, 20}, u"开始"_qs},
        {texts::names::kKeywordEdit, {53, 8, 323, 20}, u"Morvesk"_qs},
        {texts::names::kKeywordLabel, {8, 8, 45, 20}, u"关键字："_qs},
    };
    for (const ControlCase& c : cases) {
        const QWidget* widget = control<QWidget>(c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
        EXPECT_TRUE(widget->isVisible()) << c.name;
        if (!c.text.isNull()) {
            EXPECT_EQ(widget->property("text").toString(), c.text) << c.name;
        }
    }
    EXPECT_EQ(window->windowTitle(), u"Tavrinel V1.5.1"_qs);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());  // fixed frame
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(autoScrollBox()->isChecked());
    EXPECT_FALSE(autoScrollTimer()->isActive());
    EXPECT_TRUE(startButton()->isDefault());
    EXPECT_EQ(pageCounter()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(pageCounter()->alignment(), Qt::AlignCenter);
    EXPECT_EQ(keywordEdit()->alignment(), Qt::AlignCenter);
    EXPECT_NE(control<QObject>(texts::names::kExportDialog), nullptr);
}

TEST_F(WindowTest, IsCentredOnThePrimaryScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(CentredTopLeft(screen, kOuterSize), QPoint(screen.x() + (screen.width() - 621) / 2,
                                                         screen.y() + (screen.height() - 370) / 2));
    EXPECT_EQ(CentredTopLeft({0, 0, 1366, 768}, kOuterSize), QPoint(372, 199));
}

TEST_F(WindowTest, ResultsListHasFourFixedColumnsAndSelectsWholeRows) {
    const QTableView* view = list();
    ASSERT_EQ(view->model()->columnCount(), 4);
    const QStringList titles{u"Id"_qs, u"标题"_qs, u"页面地址"_qs, u"域名"_qs};
    const int widths[] = {40, 140, 250, 150};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(view->model()->headerData(column, Qt::Horizontal).toString(), titles[column]);
        EXPECT_EQ(view->columnWidth(column), widths[column]);
    }
    EXPECT_EQ(view->model()->rowCount(), 0);
    EXPECT_TRUE(view->showGrid());
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(view->isSortingEnabled());
    EXPECT_TRUE(view->horizontalHeader()->isVisible());
}

// The checks of a start click, in their order: keyword, page count, then the caption.
struct StartClickCase {
    const char* name;
    const char* keyword;
    const char* pageCount;
    bool running;         // the button reads "停止" before the click
    const char* message;  // the blocking box shown, or nullptr
    const char* captionAfter;
};

class StartClickTest : public WindowTest, public ::testing::WithParamInterface<StartClickCase> {};

TEST_P(StartClickTest, ChecksInputsBeforeTheCaption) {
    const StartClickCase& c = GetParam();
    keywordEdit()->setText(QString::fromUtf8(c.keyword));
    pageCountEdit()->setText(QString::fromUtf8(c.pageCount));
    pageCountEdit()->setFocus();  // as after typing; clicking the button takes the focus
    if (c.running) {
        window->setStartButtonCaption(collect::ui::StopCaption());
    }
    clickStart();
    if (c.message != nullptr) {
        ASSERT_EQ(desktop.messages.size(), 1U);
        EXPECT_EQ(desktop.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_TRUE(desktop.messages[0].blocking);
        EXPECT_EQ(desktop.messages[0].icon, collect::MessageIcon::kInformation);
    } else {
        EXPECT_TRUE(desktop.messages.empty());
    }
    EXPECT_EQ(startButton()->text(), QString::fromUtf8(c.captionAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartClickTest,
    ::testing::Values(
        StartClickCase{"EmptyKeyword", "", "10", false, "请输入关键字", "开始"},
        StartClickCase{"BothEmpty", "", "", false, "请输入关键字", "开始"},
        StartClickCase{"EmptyPageCount", "Morvesk", "", false, "请输入要采集的页数", "开始"},
        StartClickCase{"ZeroPageCountEmptiedByTheClick", "Morvesk", "0", false,
                       "请输入要采集的页数", "开始"},
        StartClickCase{"StopWithEmptyKeywordDoesNotStop", "", "10", true, "请输入关键字", "停止"},
        StartClickCase{"Stop", "Morvesk", "10", true, nullptr, "开始"}),
    [](const auto& param) { return param.param.name; });

// A keyword of blanks is content. Without a search template the run ends before any request,
// which is all this test needs of it.
TEST_F(WindowTest, BlankKeywordStartsARun) {
    keywordEdit()->setText(u"   "_qs);
    clickStart();
    EXPECT_EQ(startButton()->text(), u"停止"_qs);
    ASSERT_TRUE(waitForMessage(collect::ui::RunStoppedMessage()));
    EXPECT_FALSE(desktop.messages.back().blocking);
    EXPECT_EQ(startButton()->text(), u"开始"_qs);
}

TEST_F(WindowTest, PageCountBoxDropsTypedLettersButKeepsDigitsAndMinus) {
    QLineEdit* box = pageCountEdit();
    box->clear();
    box->setFocus();
    QTest::keyClicks(box, u"1a2 b-3"_qs);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, u"，"_qs, Qt::NoModifier);
    EXPECT_EQ(box->text(), u"12-3"_qs);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), u"12-"_qs);
}

struct LeaveBoxCase {
    const char* name;
    QString text;
    QString shownAfter;
};

class PageCountFocusTest : public WindowTest, public ::testing::WithParamInterface<LeaveBoxCase> {};

// Pasted text is not filtered; leaving the box rewrites it as the number it starts with.
TEST_P(PageCountFocusTest, LeavingTheBoxRewritesPastedText) {
    QLineEdit* box = pageCountEdit();
    box->clear();
    box->setFocus();
    QGuiApplication::clipboard()->setText(GetParam().text);
    QTest::keySequence(box, QKeySequence::Paste);
    EXPECT_EQ(box->text(), GetParam().text);
    keywordEdit()->setFocus();
    EXPECT_EQ(box->text(), GetParam().shownAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageCountFocusTest,
                         ::testing::Values(LeaveBoxCase{"DigitsThenLetters", u"12abc"_qs, u"12"_qs},
                                           LeaveBoxCase{"Zero", u"0"_qs, {}},
                                           LeaveBoxCase{"AboveInt32", u"99999999999"_qs,
                                                        u"2147483647"_qs},
                                           LeaveBoxCase{"Negative", u"-5"_qs, u"-5"_qs},
                                           LeaveBoxCase{"Letters", u"abc"_qs, {}}),
                         [](const auto& param) { return param.param.name; });

TEST_F(WindowTest, RewrittenPageCountPutsTheCaretAtTheStartOfTheFormerSelection) {
    QLineEdit* box = pageCountEdit();
    box->setFocus();
    box->setText(u"12abc"_qs);
    box->setSelection(1, 3);  // "2ab"
    keywordEdit()->setFocus();
    EXPECT_EQ(box->text(), u"12"_qs);
    EXPECT_EQ(box->cursorPosition(), 1);
}

TEST_F(WindowTest, PageFeedbackFromAWorkerRunsTheHandlerBeforeTheWorkerGoesOn) {
    const text::Text afterFirst = onWorker([](collect::WindowOperations& operations) {
        operations.raisePageFeedback(3);
        return operations.pageCounterCaption();
    });
    EXPECT_EQ(Shown(afterFirst), u"当前页：3"_qs);

    window->setStartButtonCaption(collect::ui::StopCaption());
    const text::Text captionAfterLast = onWorker([](collect::WindowOperations& operations) {
        operations.raisePageFeedback(3);  // not above the number shown: the last page
        return operations.startButtonCaption();
    });
    EXPECT_EQ(Shown(captionAfterLast), u"开始"_qs);
    EXPECT_EQ(pageCounter()->text(), u"当前页：3 已到最后一页"_qs);
}

// A box shown for a worker leaves the window usable, and the worker waits until it is closed.
TEST_F(WindowTest, WorkerWaitsForItsBoxWhileTheWindowStaysUsable) {
    desktop.holdMessages = true;
    auto operations = window->operations();
    std::future<void> worker = std::async(
        std::launch::async, [operations] { operations->showMessage(System("采集已停止")); });
    ASSERT_TRUE(WaitUntil([&] { return desktop.messages.size() == 1; }));
    EXPECT_FALSE(desktop.messages[0].blocking);
    EXPECT_EQ(desktop.messages[0].icon, collect::MessageIcon::kInformation);

    QTest::mouseClick(autoScrollBox(), Qt::LeftButton);  // the window still takes clicks
    EXPECT_TRUE(autoScrollBox()->isChecked());
    EXPECT_EQ(worker.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);

    desktop.closeHeldMessages();
    ASSERT_TRUE(WaitUntil(
        [&] { return worker.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
}

// Workers outlive a closed window: one waiting for a box is released, and every later
// operation answers at once, with "开始" as the caption so that a run stops.
TEST_F(WindowTest, WorkersOutliveTheWindowWithoutWaitingForIt) {
    desktop.holdMessages = true;
    auto operations = window->operations();
    std::future<text::Text> worker = std::async(std::launch::async, [operations] {
        operations->showMessage(System("采集已停止"));
        return operations->startButtonCaption();
    });
    ASSERT_TRUE(WaitUntil([&] { return desktop.messages.size() == 1; }));
    window.reset();
    EXPECT_EQ(worker.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    desktop.holdMessages = false;
    desktop.closeHeldMessages();  // the box goes; the reply it holds finds the window gone
    EXPECT_EQ(Shown(worker.get()), u"开始"_qs);
    EXPECT_EQ(operations->chooseExportFile(), std::nullopt);
    EXPECT_EQ(operations->keywordText(), "");
}

TEST_F(WindowTest, AutoScrollKeepsTheLastRowInView) {
    std::vector<collect::ResultRow> rows;
    for (int i = 1; i <= 300; ++i) {
        rows.push_back({std::to_string(i), "t", "http://a.example/", "a.example"});
    }
    appendRows(rows);
    QTableView* view = list();
    const auto lastRowVisible = [&] {
        const QModelIndex last = view->model()->index(view->model()->rowCount() - 1, 0);
        return view->viewport()->rect().contains(view->visualRect(last));
    };
    ASSERT_FALSE(lastRowVisible());

    QTest::mouseClick(autoScrollBox(), Qt::LeftButton);
    EXPECT_TRUE(autoScrollTimer()->isActive());
    EXPECT_EQ(autoScrollTimer()->interval(), 100);
    ASSERT_TRUE(WaitUntil(lastRowVisible, std::chrono::seconds(2)));

    appendRows({{"301", "t", "", ""}, {"302", "t", "", ""}});
    EXPECT_TRUE(WaitUntil(lastRowVisible, std::chrono::seconds(2)));

    QTest::mouseClick(autoScrollBox(), Qt::LeftButton);
    EXPECT_FALSE(autoScrollTimer()->isActive());
    view->scrollToTop();
    QTest::qWait(300);
    EXPECT_FALSE(lastRowVisible());
}

TEST_F(WindowTest, AutoScrollTickOnAnEmptyListDoesNothing) {
    QTest::mouseClick(autoScrollBox(), Qt::LeftButton);
    QTest::qWait(250);
    EXPECT_TRUE(autoScrollTimer()->isActive());
    EXPECT_EQ(list()->model()->rowCount(), 0);
}

TEST_F(WindowTest, RightClickPopsTheMenuUpBesideThePointer) {
    appendRows({{"1", "t", "", ""}});
    QWidget* viewport = list()->viewport();
    const QPoint at(30, 10);
    QTest::mouseClick(viewport, Qt::RightButton, {}, at);
    ASSERT_TRUE(WaitUntil([&] { return menu()->isVisible(); }, std::chrono::seconds(2)));
    EXPECT_EQ(menu()->pos(), viewport->mapToGlobal(at) + QPoint(3, 3));
    QStringList items;
    for (const QAction* action : menu()->actions()) {
        items << (action->isSeparator() ? u"-"_qs : action->text());
        EXPECT_TRUE(action->isEnabled());
        EXPECT_FALSE(action->isChecked());
    }
    EXPECT_EQ(items, (QStringList{u"导出域名"_qs, u"导出完整信息"_qs, u"-"_qs, u"全部删除"_qs}));
    menu()->hide();
}

TEST_F(WindowTest, DeleteAllEmptiesTheList) {
    appendRows({{"1", "a", "", ""}, {"2", "b", "", ""}});
    list()->selectRow(1);
    menuItem(texts::kDeleteAll)->trigger();
    EXPECT_EQ(list()->model()->rowCount(), 0);
    EXPECT_EQ(window->operations()->rowCount(), 0);
    EXPECT_EQ(window->operations()->appendRow("1"), 0);
}

struct OpenCase {
    const char* name;
    const char* address;
    QString opened;  // empty: nothing reaches the opener
};

class DoubleClickTest : public WindowTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(DoubleClickTest, OpensOnlyWebAddresses) {
    appendRows({{"1", "t", System(GetParam().address), "d"}});
    QTableView* view = list();
    const QPoint cell = view->visualRect(view->model()->index(0, 1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    if (GetParam().opened.isEmpty()) {
        EXPECT_TRUE(desktop.openedAddresses.empty());
    } else {
        ASSERT_EQ(desktop.openedAddresses.size(), 1U);
        EXPECT_EQ(desktop.openedAddresses[0].toString(), GetParam().opened);
    }
    EXPECT_TRUE(desktop.messages.empty());  // nothing is said either way
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleClickTest,
    ::testing::Values(OpenCase{"Http", "http://www.example.com/a", u"http://www.example.com/a"_qs},
                      OpenCase{"Https", "https://example.com/", u"https://example.com/"_qs},
                      OpenCase{"Empty", "", {}}, OpenCase{"File", "file:///etc/passwd", {}},
                      OpenCase{"JavaScript", "javascript:alert(1)", {}},
                      OpenCase{"OptionLike", "-http://example.com", {}}),
    [](const auto& param) { return param.param.name; });

TEST_F(WindowTest, DoubleClickWithoutASelectedRowDoesNothing) {
    appendRows({{"1", "t", "http://example.com/", "d"}});
    list()->clearSelection();
    window->onListDoubleClick();
    EXPECT_TRUE(desktop.openedAddresses.empty());
}

}  // namespace
}  // namespace tavrinel::app::testing
