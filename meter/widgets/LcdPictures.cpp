#include "LcdPictures.h"

#include <QPainter>

namespace {

QPixmap blank(int w, int h) {
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap lcdConnectionPicture(bool lit) {
    QPixmap pixmap = blank(25, 24);
    QPainter p(&pixmap);
    const QColor body(60, 60, 60);
    const QColor screen = lit ? QColor(70, 200, 90) : QColor(40, 48, 56);

    // The computer: monitor with its stand, on the left.
    p.fillRect(QRect(0, 2, 13, 10), body);
    p.fillRect(QRect(1, 3, 11, 8), screen);
    p.fillRect(QRect(5, 12, 3, 2), body);
    p.fillRect(QRect(2, 14, 9, 1), body);

    // The meter: an upright case with its display and a dial, on the right.
    p.fillRect(QRect(16, 6, 9, 17), body);
    p.fillRect(QRect(17, 7, 7, 5), screen);
    p.fillRect(QRect(19, 15, 3, 3), QColor(150, 150, 150));

    // The cable between them.
    p.setPen(QPen(body, 1));
    p.drawLine(6, 15, 6, 20);
    p.drawLine(6, 20, 15, 20);
    if (lit) {
        p.setPen(QPen(QColor(70, 200, 90), 1));
        p.drawPoint(10, 20);
    }
    return pixmap;
}

QPixmap lcdBatteryOutline() {
    QPixmap pixmap = blank(17, 17);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 1));
    // Upright case with the terminal cap on top; the gauge bars sit above it.
    p.drawRect(QRect(3, 3, 10, 12));
    p.fillRect(QRect(6, 1, 5, 2), Qt::black);
    p.fillRect(QRect(5, 11, 7, 3), Qt::black);
    return pixmap;
}
