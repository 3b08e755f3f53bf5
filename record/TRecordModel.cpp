#include "TRecordModel.h"

#include "RecordTable.h"

TRecordModel::TRecordModel(RecordTable* table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_rows(table->rowCount()) {
    connect(table, &RecordTable::rowsAppended, this, &TRecordModel::onRowsAppended);
    connect(table, &RecordTable::cleared, this, &TRecordModel::onCleared);
}

int TRecordModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TRecordModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : recordFieldCount;
}

QVariant TRecordModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_table->rowCount()) {
        return {};
    }
    const auto field = static_cast<RecordField>(index.column());
    if (role == Qt::DisplayRole) {
        if (field == aNO) {
            const auto n = m_table->number(index.row());
            return n ? QVariant(*n) : QVariant();
        }
        const auto t = m_table->text(index.row(), field);
        return t ? QVariant(*t) : QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        // Numbers stand right-aligned, texts left-aligned, as a data grid shows them.
        return QVariant::fromValue(field == aNO ? Qt::AlignRight | Qt::AlignVCenter
                                                : Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant TRecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < recordFieldCount) {
        return recordColumnTitles()[static_cast<std::size_t>(section)];
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole && section >= 0 &&
        section < m_rows) {
        return section + 1;
    }
    return {};
}

Qt::ItemFlags TRecordModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void TRecordModel::onRowsAppended(int first, int last) {
    beginInsertRows(QModelIndex(), first, last);
    m_rows = last + 1;
    endInsertRows();
}

void TRecordModel::onCleared() {
    beginResetModel();
    m_rows = 0;
    endResetModel();
}
