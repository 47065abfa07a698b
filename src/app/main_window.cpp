#include "app/main_window.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

#include "app/browser_url.h"
#include "app/desktop.h"
#include "app/export_file_dialog.h"
#include "app/page_count_edit.h"
#include "app/qt_window_operations.h"
#include "app/results_model.h"
#include "app/results_view.h"
#include "app/row_store.h"
#include "app/ui_dispatcher.h"
#include "app/window_texts.h"
#include "collect/collection_run.h"
#include "collect/start_stop.h"
#include "collect/ui_texts.h"
#include "text/charset_converter.h"

namespace tavrinel::app {
namespace {

constexpr int kAutoScrollPeriodMs = 100;
const QPoint kMenuOffset{3, 3};

QString FromSystem(const text::Text& text) {
    return QString::fromStdString(text::SystemToUtf8(text));
}

text::Text ToSystem(const QString& text) { return text::Utf8ToSystem(text.toStdString()); }

QString Utf8(const char* text) { return QString::fromUtf8(text); }

template <class Widget>
Widget* Place(Widget* widget, const char* name, QRect geometry) {
    widget->setObjectName(Utf8(name));
    widget->setGeometry(geometry);
    return widget;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    widget->setPalette(colours);
}

void SetBlackOnWhite(QLineEdit* edit) {
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    edit->setPalette(colours);
}

// Starts a detached thread; a thread that cannot be started is not reported.
template <class Body>
void StartDetached(Body body) {
    try {
        std::thread(std::move(body)).detach();
    } catch (const std::system_error&) {
    }
}

}  // namespace

QPoint CentredTopLeft(const QRect& screen, const QSize& outer) {
    return {screen.x() + (screen.width() - outer.width()) / 2,
            screen.y() + (screen.height() - outer.height()) / 2};
}

MainWindow::MainWindow(collect::CollectionSettings settings, Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      settings_(std::move(settings)),
      desktop_(desktop),
      dispatcher_(std::make_shared<UiDispatcher>()),
      rows_(std::make_shared<RowStore>([dispatcher = dispatcher_, this] {
          // Runs on the changing thread; the catch-up itself runs on the UI thread while the
          // window exists (the dispatcher drops it once the window has gone).
          dispatcher->post([this] { resultsModel_->catchUp(); });
      })),
      runActivity_(std::make_shared<collect::RunActivity>()) {
    operations_ = std::make_shared<QtWindowOperations>(*this, dispatcher_, rows_);
    setFixedSize(kClientSize);
    createControls();
    connectHandlers();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(CentredTopLeft(screen->geometry(), kOuterSize));
    }
    // The window has been created: its caption.
    setWindowTitle(FromSystem(collect::ui::WindowTitle()));
}

MainWindow::~MainWindow() {
    // Workers that are still running find the window gone from here on.
    dispatcher_->close();
}

std::shared_ptr<collect::WindowOperations> MainWindow::operations() const { return operations_; }

void MainWindow::createControls() {
    // In the order of the window's definition, which is also the drawing order.
    pageCounter_ = Place(new QLabel(this), texts::names::kPageCounter, {155, 32, 304, 20});
    pageCounter_->setText(FromSystem(collect::ui::PageCounterPrefix()) + u'0');
    pageCounter_->setAlignment(Qt::AlignCenter);
    SetTextColour(pageCounter_, QColor(0, 0, 255));

    autoScrollBox_ = Place(new QCheckBox(this), texts::names::kAutoScrollBox, {8, 32, 72, 20});
    autoScrollBox_->setText(Utf8(texts::kAutoScroll));
    autoScrollBox_->setChecked(false);

    autoScrollTimer_ = new QTimer(this);
    autoScrollTimer_->setObjectName(Utf8(texts::names::kAutoScrollTimer));

    exportFileDialog_ = new ExportFileDialog(desktop_, this);

    menu_ = new QMenu(Utf8(texts::kMenuTitle), this);
    menu_->setObjectName(Utf8(texts::names::kMenu));
    connect(menu_->addAction(Utf8(texts::kExportDomains)), &QAction::triggered, this,
            &MainWindow::onExportDomainsSelected);
    connect(menu_->addAction(Utf8(texts::kExportFullInfo)), &QAction::triggered, this,
            &MainWindow::onExportFullInfoSelected);
    menu_->addSeparator();
    connect(menu_->addAction(Utf8(texts::kDeleteAll)), &QAction::triggered, this,
            &MainWindow::onDeleteAllSelected);

    pageCountLabel_ = Place(new QLabel(this), texts::names::kPageCountLabel, {384, 8, 34, 20});
    pageCountLabel_->setText(Utf8(texts::kPageCountLabel));
    pageCountLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetTextColour(pageCountLabel_, Qt::black);

    pageCountEdit_ = Place(new PageCountEdit(this), texts::names::kPageCountEdit, {418, 8, 46, 20});
    pageCountEdit_->setText(Utf8(texts::kInitialPageCount));
    pageCountEdit_->setAlignment(Qt::AlignCenter);
    SetBlackOnWhite(pageCountEdit_);

    resultsView_ = Place(new ResultsView(this), texts::names::kResultsList, {7, 56, 601, 280});
    resultsModel_ = new ResultsModel(rows_, this);
    resultsView_->setModel(resultsModel_);

    startButton_ = Place(new QPushButton(this), texts::names::kStartButton, {472, 8, 136, 20});
    startButton_->setText(FromSystem(collect::ui::StartCaption()));
    startButton_->setDefault(true);

    keywordEdit_ = Place(new QLineEdit(this), texts::names::kKeywordEdit, {53, 8, 323, 20});
    keywordEdit_->setMaxLength(std::numeric_limits<int>::max());
    keywordEdit_->setText(Utf8(texts::kInitialKeyword));
    keywordEdit_->setAlignment(Qt::AlignCenter);
    SetBlackOnWhite(keywordEdit_);

    keywordLabel_ = Place(new QLabel(this), texts::names::kKeywordLabel, {8, 8, 45, 20});
    keywordLabel_->setText(Utf8(texts::kKeywordLabel));
    keywordLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetTextColour(keywordLabel_, Qt::black);

    setTabOrder(keywordEdit_, pageCountEdit_);
    setTabOrder(pageCountEdit_, startButton_);
    setTabOrder(startButton_, autoScrollBox_);
    setTabOrder(autoScrollBox_, resultsView_);
}

void MainWindow::connectHandlers() {
    connect(startButton_, &QPushButton::clicked, this, &MainWindow::onStartStopClicked);
    connect(autoScrollBox_, &QCheckBox::clicked, this, &MainWindow::onAutoScrollClicked);
    connect(autoScrollTimer_, &QTimer::timeout, this, &MainWindow::onAutoScrollTick);
    connect(resultsView_, &ResultsView::rightButtonReleased, this, &MainWindow::onListRightClick);
    connect(resultsView_, &ResultsView::leftDoubleClicked, this, &MainWindow::onListDoubleClick);
}

text::Text MainWindow::keywordText() const { return ToSystem(keywordEdit_->text()); }

text::Text MainWindow::pageCountText() const { return ToSystem(pageCountEdit_->text()); }

text::Text MainWindow::startButtonCaption() const { return ToSystem(startButton_->text()); }

void MainWindow::setStartButtonCaption(const text::Text& caption) {
    startButton_->setText(FromSystem(caption));
}

void MainWindow::setWindowCaption(const text::Text& caption) {
    setWindowTitle(FromSystem(caption));
}

text::Text MainWindow::pageCounterCaption() const { return ToSystem(pageCounter_->text()); }

void MainWindow::setPageCounterCaption(const text::Text& caption) {
    pageCounter_->setText(FromSystem(caption));
}

void MainWindow::onStartStopClicked() {
    switch (collect::DecideStartStop(keywordText(), pageCountText(), startButtonCaption(),
                                     runActivity_->inPageLoop())) {
        case collect::StartStopAction::kAskForKeyword:
            desktop_.showBlockingMessage(FromSystem(collect::ui::EnterKeywordMessage()),
                                         collect::MessageIcon::kInformation);
            return;
        case collect::StartStopAction::kAskForPageCount:
            desktop_.showBlockingMessage(FromSystem(collect::ui::EnterPageCountMessage()),
                                         collect::MessageIcon::kInformation);
            return;
        case collect::StartStopAction::kRequestStop:
            setStartButtonCaption(collect::ui::StartCaption());
            return;
        case collect::StartStopAction::kRefuseWhileStopping:
            return;
        case collect::StartStopAction::kStartRun: {
            setStartButtonCaption(collect::ui::StopCaption());
            // Made here, on the UI thread: from now on the run counts as in its page loop, so a
            // quick second click cannot start another run before this one has begun.
            auto run = std::make_shared<collect::CollectionRun>(*operations_, settings_,
                                                                runActivity_.get());
            // The thread keeps alive what the run points to: the window's operations and its
            // activity count, both of which may outlive the window.
            StartDetached([run, operations = operations_, activity = runActivity_] { run->run(); });
            return;
        }
    }
}

void MainWindow::onAutoScrollClicked() {
    setAutoScrollPeriod(autoScrollBox_->isChecked() ? kAutoScrollPeriodMs : 0);
}

void MainWindow::onAutoScrollTick() {
    setAutoScrollPeriod(0);
    resultsModel_->catchUp();  // the last row the store has, not the last one shown so far
    resultsView_->makeRowVisible(resultsModel_->rowCount() - 1);
    setAutoScrollPeriod(kAutoScrollPeriodMs);
}

void MainWindow::setAutoScrollPeriod(int milliseconds) {
    if (milliseconds <= 0) {
        autoScrollTimer_->stop();
    } else if (!autoScrollTimer_->isActive() || autoScrollTimer_->interval() != milliseconds) {
        autoScrollTimer_->start(milliseconds);
    }
}

void MainWindow::onListRightClick(QPoint globalPosition) {
    menu_->popup(globalPosition + kMenuOffset);
}

void MainWindow::onListDoubleClick() {
    const int row = resultsView_->selectedRow();
    if (row < 0) {
        return;
    }
    // The address comes from a server: only a plain web address goes to the opener.
    const QString address = FromSystem(rows_->cell(row, collect::kLandingUrlColumn));
    if (const std::optional<QUrl> url = BrowsableUrl(address)) {
        desktop_.openAddress(*url);
    }
}

void MainWindow::onExportDomainsSelected() { startExport(collect::ExportMode::kDomains); }

void MainWindow::onExportFullInfoSelected() { startExport(collect::ExportMode::kFullRows); }

void MainWindow::startExport(collect::ExportMode mode) {
    StartDetached(
        [operations = operations_, mode] { collect::ResultsExporter::run(*operations, mode); });
}

void MainWindow::onDeleteAllSelected() { resultsModel_->deleteAllRows(); }

}  // namespace tavrinel::app
