#include "TSnapSplitter.h"

#include <QMouseEvent>
#include <QSplitterHandle>

namespace {

class SnapHandle : public QSplitterHandle {
public:
    SnapHandle(Qt::Orientation orientation, QSplitter* parent)
        : QSplitterHandle(orientation, parent) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        m_offset = along(event->position().toPoint());
        QSplitterHandle::mousePressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if ((event->buttons() & Qt::LeftButton) == 0) {
            QSplitterHandle::mouseMoveEvent(event);
            return;
        }
        QSplitter* s = splitter();
        const int index = s->indexOf(this);
        QWidget* before = s->widget(index - 1);
        QWidget* after = s->widget(index);
        const int pos = along(s->mapFromGlobal(event->globalPosition().toPoint())) - m_offset;
        const int beforeStart = along(before->pos());
        const int afterEnd = along(after->pos()) + along(after->size());
        if (pos - beforeStart < along(before->minimumSize())) {
            moveSplitter(beforeStart);
        } else if (afterEnd - (pos + s->handleWidth()) < along(after->minimumSize())) {
            moveSplitter(afterEnd - s->handleWidth());
        } else {
            QSplitterHandle::mouseMoveEvent(event);
        }
    }

private:
    int along(QPoint p) const { return orientation() == Qt::Horizontal ? p.x() : p.y(); }
    int along(QSize size) const {
        return orientation() == Qt::Horizontal ? size.width() : size.height();
    }

    int m_offset = 0;
};

} // namespace

TSnapSplitter::TSnapSplitter(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent) {}

QSplitterHandle* TSnapSplitter::createHandle() {
    return new SnapHandle(orientation(), this);
}
