#include "TLcdBar.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int segmentPitch = 4; // 3 lit pixels and one gap
}

TLcdBar::TLcdBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLcdBar::setPosition(int position) {
    if (position == m_position) {
        return;
    }
    m_position = position;
    update();
}

void TLcdBar::setMaximum(int maximum) {
    if (maximum == m_maximum) {
        return;
    }
    m_maximum = maximum;
    update();
}

int TLcdBar::filledWidth() const {
    if (m_maximum <= 0) {
        return 0;
    }
    const qint64 clamped = std::clamp<qint64>(m_position, 0, m_maximum);
    return static_cast<int>(clamped * width() / m_maximum);
}

void TLcdBar::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // The unlit scale: a thin base line, as on the meter's glass.
    painter.fillRect(QRect(0, height() - 1, width(), 1), QColor(200, 200, 200));
    const int filled = filledWidth();
    for (int x = 0; x < filled; x += segmentPitch) {
        painter.fillRect(QRect(x, 0, std::min(segmentPitch - 1, filled - x), height()), Qt::black);
    }
}
