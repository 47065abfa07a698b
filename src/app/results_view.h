#pragma once

#include <QPoint>
#include <QTableView>

namespace tavrinel::app {

// The report view of the results list: grid lines, one whole row selected at a time, no
// sorting, no editing, the column widths of the list. It reports the right-button release and
// the left double-click anywhere within the list; the window decides what they do.
class ResultsView : public QTableView {
    Q_OBJECT

  public:
    explicit ResultsView(QWidget* parent);

    void setModel(QAbstractItemModel* model) override;

    // Index of the selected row, or -1 when none is selected.
    int selectedRow() const;
    // Scrolls as little as needed to show the row wholly; an index out of range does nothing.
    void makeRowVisible(int row);

  signals:
    void rightButtonReleased(QPoint globalPosition);
    void leftDoubleClicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace tavrinel::app
