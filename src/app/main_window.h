#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <memory>

#include "collect/configuration.h"
#include "collect/results_exporter.h"
#include "collect/run_activity.h"
#include "text/text_types.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace tavrinel::app {

class Desktop;
class ExportFileDialog;
class PageCountEdit;
class QtWindowOperations;
class ResultsModel;
class ResultsView;
class RowStore;
class UiDispatcher;

// Client area of the window; with the platform's fixed frame it makes the 621 x 370 window.
inline constexpr QSize kClientSize{615, 342};
inline constexpr QSize kOuterSize{621, 370};

// Top-left corner of a window of outer size centred on screen (integer halves).
QPoint CentredTopLeft(const QRect& screen, const QSize& outer);

// The program's one window: keyword and page count, the start/stop button whose caption is the
// run flag, the page counter, the auto-scroll switch and the results list with its popup menu.
// Runs and exports reach it through operations(); the handlers below run on its thread.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    MainWindow(collect::CollectionSettings settings, Desktop& desktop, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window as workers see it; they keep it by shared_ptr and may outlive the window.
    std::shared_ptr<collect::WindowOperations> operations() const;

    // The controls' side of the window operations, in the system's text. UI thread only.
    text::Text keywordText() const;
    text::Text pageCountText() const;
    text::Text startButtonCaption() const;
    void setStartButtonCaption(const text::Text& caption);
    void setWindowCaption(const text::Text& caption);
    text::Text pageCounterCaption() const;
    void setPageCounterCaption(const text::Text& caption);

    Desktop& desktop() const { return desktop_; }
    ExportFileDialog& exportFileDialog() const { return *exportFileDialog_; }

  public slots:
    void onStartStopClicked();
    void onAutoScrollClicked();
    void onAutoScrollTick();
    void onListRightClick(QPoint globalPosition);
    void onListDoubleClick();
    void onExportDomainsSelected();
    void onExportFullInfoSelected();
    void onDeleteAllSelected();

  private:
    void createControls();
    void connectHandlers();
    // 0 stops the timer, a positive period (re)starts it; the period it has changes nothing.
    void setAutoScrollPeriod(int milliseconds);
    void startExport(collect::ExportMode mode);

    const collect::CollectionSettings settings_;
    Desktop& desktop_;
    const std::shared_ptr<UiDispatcher> dispatcher_;
    const std::shared_ptr<RowStore> rows_;
    const std::shared_ptr<collect::RunActivity> runActivity_;
    std::shared_ptr<QtWindowOperations> operations_;

    QLabel* pageCounter_ = nullptr;
    QCheckBox* autoScrollBox_ = nullptr;
    QTimer* autoScrollTimer_ = nullptr;
    ExportFileDialog* exportFileDialog_ = nullptr;
    QMenu* menu_ = nullptr;
    QLabel* pageCountLabel_ = nullptr;
    PageCountEdit* pageCountEdit_ = nullptr;
    ResultsView* resultsView_ = nullptr;
    ResultsModel* resultsModel_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QLineEdit* keywordEdit_ = nullptr;
    QLabel* keywordLabel_ = nullptr;
};

}  // namespace tavrinel::app
