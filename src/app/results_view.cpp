#include "app/results_view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <iterator>

#include "app/window_texts.h"

namespace tavrinel::app {

ResultsView::ResultsView(QWidget* parent) : QTableView(parent) {
    setObjectName(QString::fromUtf8(texts::names::kResultsList));
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setMouseTracking(false);  // no hot tracking
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    // Fixed-height rows keep a list of a hundred thousand rows as cheap as a short one.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // The selection is not drawn while the list does not have the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Text));
    setPalette(colours);
}

void ResultsView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    for (int column = 0; column < static_cast<int>(std::size(texts::kColumnWidths)); ++column) {
        setColumnWidth(column, texts::kColumnWidths[column]);
    }
}

int ResultsView::selectedRow() const {
    if (selectionModel() == nullptr) {
        return -1;
    }
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ResultsView::makeRowVisible(int row) {
    if (model() == nullptr || row < 0 || row >= model()->rowCount()) {
        return;
    }
    scrollTo(model()->index(row, 0), QAbstractItemView::EnsureVisible);
}

void ResultsView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) {
        emit rightButtonReleased(event->globalPosition().toPoint());
    }
}

void ResultsView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit leftDoubleClicked();
    }
}

}  // namespace tavrinel::app
