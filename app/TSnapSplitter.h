#pragma once

#include <QSplitter>

// A splitter whose sides snap shut: dragged below a side's minimum width, that side
// collapses at once instead of stopping at its minimum.
class TSnapSplitter : public QSplitter {
    Q_OBJECT
public:
    explicit TSnapSplitter(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    QSplitterHandle* createHandle() override;
};
