#include "ToolBarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

const QColor ink(40, 40, 40);
const QColor arrowBlue(30, 90, 190);
const QColor paper(250, 250, 245);
const QColor folder(230, 180, 60);
const QColor disk(50, 80, 150);

// A triangle pointing left or right, filling the height 3..12.
void drawArrowHead(QPainter& p, int tipX, bool pointsLeft) {
    const int baseX = pointsLeft ? tipX + 5 : tipX - 5;
    const QPolygon head({QPoint(tipX, 8), QPoint(baseX, 3), QPoint(baseX, 13)});
    p.setPen(Qt::NoPen);
    p.setBrush(arrowBlue);
    p.drawPolygon(head);
}

void drawBar(QPainter& p, int x) {
    p.fillRect(QRect(x, 3, 2, 11), arrowBlue);
}

void drawPage(QPainter& p) {
    p.setPen(ink);
    p.setBrush(paper);
    p.drawPolygon(
        QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
}

void drawDisk(QPainter& p) {
    p.setPen(ink);
    p.setBrush(disk);
    p.drawRect(QRect(1, 1, 13, 13));
    p.fillRect(QRect(4, 2, 7, 4), paper);
    p.fillRect(QRect(4, 9, 8, 5), QColor(200, 200, 200));
}

void drawWindowFrame(QPainter& p, const QRect& r) {
    p.setPen(ink);
    p.setBrush(paper);
    p.drawRect(r);
    p.fillRect(QRect(r.x() + 1, r.y() + 1, r.width(), 2), arrowBlue);
}

void paint(QPainter& p, ToolBarPicture picture) {
    switch (picture) {
    case ToolBarPicture::First:
        drawBar(p, 3);
        drawArrowHead(p, 6, true);
        drawArrowHead(p, 10, true);
        break;
    case ToolBarPicture::Previous:
        drawArrowHead(p, 5, true);
        drawArrowHead(p, 9, true);
        break;
    case ToolBarPicture::Next:
        drawArrowHead(p, 11, false);
        drawArrowHead(p, 7, false);
        break;
    case ToolBarPicture::Last:
        drawArrowHead(p, 9, false);
        drawArrowHead(p, 5, false);
        drawBar(p, 11);
        break;
    case ToolBarPicture::Clear:
        drawPage(p);
        p.setPen(QPen(QColor(200, 30, 30), 2));
        p.drawLine(5, 6, 11, 12);
        p.drawLine(11, 6, 5, 12);
        break;
    case ToolBarPicture::Open:
        p.setPen(ink);
        p.setBrush(folder.darker(115));
        p.drawRect(QRect(1, 4, 12, 9));
        p.setBrush(folder);
        p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
        p.fillRect(QRect(2, 3, 4, 1), ink);
        break;
    case ToolBarPicture::Save:
        drawDisk(p);
        break;
    case ToolBarPicture::SavePicture:
        drawDisk(p);
        p.setPen(QPen(QColor(240, 240, 60), 1));
        p.drawPolyline(QPolygon({QPoint(4, 13), QPoint(6, 10), QPoint(8, 12), QPoint(11, 9)}));
        break;
    case ToolBarPicture::Print:
        p.setPen(ink);
        p.setBrush(paper);
        p.drawRect(QRect(4, 1, 8, 5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRect(1, 6, 14, 6));
        p.setBrush(paper);
        p.drawRect(QRect(4, 10, 8, 5));
        p.fillRect(QRect(12, 8, 2, 1), QColor(60, 180, 60));
        break;
    case ToolBarPicture::Detach:
        drawWindowFrame(p, QRect(1, 4, 9, 9));
        drawWindowFrame(p, QRect(6, 1, 9, 9));
        break;
    case ToolBarPicture::Dock:
        drawWindowFrame(p, QRect(1, 1, 14, 13));
        p.fillRect(QRect(3, 6, 5, 6), arrowBlue.lighter(150));
        break;
    }
}

} // namespace

QPixmap toolBarPixmap(ToolBarPicture picture) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paint(p, picture);
    return pixmap;
}

QIcon toolBarIcon(ToolBarPicture picture) {
    return QIcon(toolBarPixmap(picture));
}
