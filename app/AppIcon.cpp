#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap meterPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // Case.
    QPainterPath body;
    body.addRoundedRect(QRectF(12, 2, 40, 60), 7, 7);
    p.fillPath(body, QColor(230, 120, 20));
    p.setPen(QPen(QColor(90, 45, 10), 2));
    p.drawPath(body);
    // Display with its reading.
    p.fillRect(QRectF(17, 8, 30, 18), QColor(166, 202, 240));
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 13), QPointF(22, 21));
    p.drawLine(QPointF(28, 13), QPointF(34, 13));
    p.drawLine(QPointF(34, 13), QPointF(34, 21));
    p.drawLine(QPointF(28, 21), QPointF(34, 21));
    p.drawLine(QPointF(40, 13), QPointF(40, 21));
    // Keys and the two test sockets.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawRoundedRect(QRectF(18 + col * 10, 32 + row * 8, 8, 5), 1.5, 1.5);
        }
    }
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(24, 54), 3, 3);
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(QPointF(40, 54), 3, 3);
    return pixmap;
}

} // namespace

QIcon appIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(meterPicture(size));
    }
    return icon;
}
