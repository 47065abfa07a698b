#pragma once

#include <QAbstractTableModel>
#include <memory>

#include "app/row_store.h"

namespace tavrinel::app {

// The results list's rows as the view sees them. The rows live in a RowStore that workers
// change directly; the model shows the store as of its last catchUp(), so rows and cell writes
// reach the view on the user-interface thread in batches. Read-only, four columns.
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    ResultsModel(std::shared_ptr<RowStore> store, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Brings the shown rows up to the store: inserts the rows appended since and refreshes the
    // rows written since.
    void catchUp();
    // Deletes every row, from the store as well.
    void deleteAllRows();

  private:
    // The row last read from the store: a view asks for a row's cells one after another, and
    // one locked read per row keeps the UI thread off a lock that a busy worker holds often.
    const collect::ResultRow& cachedRow(int row) const;

    std::shared_ptr<RowStore> store_;
    mutable int cachedRowIndex_ = -1;
    mutable collect::ResultRow cachedRow_;
    int shownRows_ = 0;  // never more than the store holds: only deleteAllRows() shrinks it
};

}  // namespace tavrinel::app
