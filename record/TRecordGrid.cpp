#include "TRecordGrid.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

TRecordGrid::TRecordGrid(QWidget* parent) : QTableView(parent) {
    // Pixel scrolling keeps the row header's offset a plain number; scrolling by items
    // would look up the top row's position in the header on every scroll.
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

int TRecordGrid::uniformRowHeight() const {
    return std::max(verticalHeader()->defaultSectionSize(), 1);
}

int TRecordGrid::rows() const {
    return model() != nullptr ? model()->rowCount(rootIndex()) : 0;
}

int TRecordGrid::rowUnder(int y) const {
    const int pos = y + verticalOffset();
    return pos < 0 ? -1 : pos / uniformRowHeight();
}

int TRecordGrid::rowTop(int row) const {
    return row * uniformRowHeight() - verticalOffset();
}

void TRecordGrid::setSelectionModel(QItemSelectionModel* selectionModel) {
    QTableView::setSelectionModel(selectionModel);
    // The row header is hidden; left connected it would repaint its section of the old and
    // the new current row on every append, looking both up among all rows.
    if (selectionModel != nullptr) {
        disconnect(selectionModel, nullptr, verticalHeader(), nullptr);
    }
}

QRect TRecordGrid::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.parent() != rootIndex() || index.row() >= rows()) {
        return {};
    }
    const int column = index.column();
    return QRect(columnViewportPosition(column), rowTop(index.row()),
                 columnWidth(column) - gridExtra(), uniformRowHeight() - gridExtra());
}

QModelIndex TRecordGrid::indexAt(const QPoint& point) const {
    const int row = rowUnder(point.y());
    const int column = horizontalHeader()->logicalIndexAt(point.x());
    if (row < 0 || row >= rows() || column < 0) {
        return {};
    }
    return model()->index(row, column, rootIndex());
}

void TRecordGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid() || index.row() >= rows()) {
        return;
    }
    const int h = uniformRowHeight();
    const int top = index.row() * h;
    const int viewHeight = viewport()->height();
    if (verticalScrollBar()->maximum() < top + h - viewHeight) {
        // Rows were appended since the scroll range was last set.
        updateGeometries();
    }
    const int offset = verticalOffset();
    int value = offset;
    switch (hint) {
    case PositionAtTop:
        value = top;
        break;
    case PositionAtBottom:
        value = top + h - viewHeight;
        break;
    case PositionAtCenter:
        value = top - (viewHeight - h) / 2;
        break;
    case EnsureVisible:
        if (top < offset) {
            value = top;
        } else if (top + h > offset + viewHeight) {
            value = top + h - viewHeight;
        }
        break;
    }
    verticalScrollBar()->setValue(value);

    const int x = horizontalHeader()->sectionPosition(index.column());
    const int w = columnWidth(index.column());
    const int left = horizontalScrollBar()->value();
    const int viewWidth = viewport()->width();
    if (x < left || w > viewWidth) {
        horizontalScrollBar()->setValue(x);
    } else if (x + w > left + viewWidth) {
        horizontalScrollBar()->setValue(x + w - viewWidth);
    }
}

QRegion TRecordGrid::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const int h = uniformRowHeight();
    const int firstVisible = std::max(rowUnder(0), 0);
    const int lastVisible = rowUnder(viewport()->height());
    for (const QItemSelectionRange& range : selection) {
        if (range.parent() != rootIndex()) {
            continue;
        }
        const int top = std::max(range.top(), firstVisible);
        const int bottom = std::min(range.bottom(), lastVisible);
        if (top > bottom) {
            continue;
        }
        for (int column = range.left(); column <= range.right(); ++column) {
            region += QRect(columnViewportPosition(column), rowTop(top), columnWidth(column),
                            (bottom - top + 1) * h);
        }
    }
    return region;
}

void TRecordGrid::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    if (model() == nullptr || selectionModel() == nullptr || rows() == 0) {
        return;
    }
    const QRect r = rect.normalized();
    const int top = std::clamp(rowUnder(r.top()), 0, rows() - 1);
    const int bottom = std::clamp(rowUnder(r.bottom()), 0, rows() - 1);
    const int lastColumn = model()->columnCount(rootIndex()) - 1;
    const QItemSelection selection(model()->index(top, 0, rootIndex()),
                                   model()->index(bottom, lastColumn, rootIndex()));
    selectionModel()->select(selection, command);
}

void TRecordGrid::paintEvent(QPaintEvent* event) {
    if (model() == nullptr) {
        return;
    }
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QRect area = event->rect();
    const int h = uniformRowHeight();
    const int first = std::max(rowUnder(area.top()), 0);
    const int last = std::min(rowUnder(area.bottom()), rows() - 1);
    const QHeaderView* header = horizontalHeader();
    const QModelIndex current = currentIndex();
    const QPen gridPen(QColor(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this))));
    const QStyle::State baseState = option.state;
    for (int row = first; row <= last; ++row) {
        const int top = rowTop(row);
        for (int visual = 0; visual < header->count(); ++visual) {
            const int column = header->logicalIndex(visual);
            const int x = header->sectionViewportPosition(column);
            const int w = header->sectionSize(column);
            if (header->isSectionHidden(column) || x + w <= area.left() || x > area.right()) {
                continue;
            }
            const QModelIndex index = model()->index(row, column, rootIndex());
            option.rect = QRect(x, top, w - gridExtra(), h - gridExtra());
            option.state = baseState;
            if (selectionModel() != nullptr && selectionModel()->isSelected(index)) {
                option.state |= QStyle::State_Selected;
            }
            if (index == current && hasFocus()) {
                option.state |= QStyle::State_HasFocus;
            }
            option.palette.setCurrentColorGroup(isActiveWindow() ? QPalette::Active
                                                                 : QPalette::Inactive);
            style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
            itemDelegateForIndex(index)->paint(&painter, option, index);
            if (showGrid()) {
                painter.save();
                painter.setPen(gridPen);
                painter.drawLine(x + w - 1, top, x + w - 1, top + h - 1);
                painter.drawLine(x, top + h - 1, x + w - 1, top + h - 1);
                painter.restore();
            }
        }
    }
}
