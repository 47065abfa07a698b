#include "app/results_model.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/window_texts.h"
#include "text/charset_converter.h"

namespace tavrinel::app {
namespace {

const text::Text& CellText(const collect::ResultRow& row, int column) {
    switch (column) {
        case collect::kIdColumn:
            return row.id;
        case collect::kTitleColumn:
            return row.title;
        case collect::kLandingUrlColumn:
            return row.landingUrl;
        default:
            return row.domain;
    }
}

}  // namespace

ResultsModel::ResultsModel(std::shared_ptr<RowStore> store, QObject* parent)
    : QAbstractTableModel(parent), store_(std::move(store)) {}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::size(texts::kColumnTitles));
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(
                text::SystemToUtf8(CellText(cachedRow(index.row()), index.column())));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        default:
            return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromUtf8(texts::kColumnTitles[section]);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        default:
            return {};
    }
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

const collect::ResultRow& ResultsModel::cachedRow(int row) const {
    if (row != cachedRowIndex_) {
        cachedRow_ = store_->row(row);
        cachedRowIndex_ = row;
    }
    return cachedRow_;
}

void ResultsModel::catchUp() {
    cachedRowIndex_ = -1;
    const RowStore::Changes changes = store_->takeChanges();
    const int shownBefore = shownRows_;
    const int lastWritten = std::min(changes.lastWrittenRow, shownBefore - 1);
    if (changes.firstWrittenRow <= lastWritten) {
        emit dataChanged(index(changes.firstWrittenRow, 0), index(lastWritten, columnCount() - 1),
                         {Qt::DisplayRole});
    }
    if (changes.rowCount > shownBefore) {
        beginInsertRows({}, shownBefore, changes.rowCount - 1);
        shownRows_ = changes.rowCount;
        endInsertRows();
    }
}

void ResultsModel::deleteAllRows() {
    beginResetModel();
    cachedRowIndex_ = -1;
    store_->clear();
    shownRows_ = 0;
    endResetModel();
}

}  // namespace tavrinel::app
