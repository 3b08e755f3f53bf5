#pragma once

#include <QTableView>

// The record grid: a table view whose rows all have one height, so that every row
// position is arithmetic. A plain table view asks its row header for positions, and the
// header recounts all rows after each insertion; with a million rows that made every
// appended reading cost a millisecond. Here an append, the scroll to it and a repaint cost
// the same at any table size. Rows are selected whole; no cell spans. GUI thread only.
class TRecordGrid : public QTableView {
    Q_OBJECT
public:
    explicit TRecordGrid(QWidget* parent = nullptr);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void setSelectionModel(QItemSelectionModel* selectionModel) override;

    // The height of every row in pixels.
    int uniformRowHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;

private:
    int rows() const;
    // The row under a viewport y, not limited to the rows present.
    int rowUnder(int y) const;
    int rowTop(int row) const;
    int gridExtra() const { return showGrid() ? 1 : 0; }
};
