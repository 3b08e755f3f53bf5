#pragma once

#include <QAbstractTableModel>

class RecordTable;

// The data link between the record table and its grid: read-only, one column per field,
// the grid's column titles. Appends reach the views as row insertions at the end, so a
// view of a million rows does not reload. GUI thread only.
class TRecordModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TRecordModel(RecordTable* table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    RecordTable* table() const { return m_table; }

private:
    void onRowsAppended(int first, int last);
    void onCleared();

    RecordTable* m_table;
    // The rows the views know of; the table may be ahead of it inside a batch.
    int m_rows = 0;
};
