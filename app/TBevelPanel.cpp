#include "TBevelPanel.h"

#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

TBevelPanel::TBevelPanel(TBevel outer, TBevel inner, QWidget* parent)
    : QWidget(parent), m_outer(outer), m_inner(inner) {
    const int w = bevelWidth();
    setContentsMargins(w, w, w, w);
}

int TBevelPanel::bevelWidth() const {
    return (m_outer != bvNone ? 1 : 0) + (m_inner != bvNone ? 1 : 0);
}

void TBevelPanel::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    QRect r = rect();
    for (const TBevel bevel : {m_outer, m_inner}) {
        if (bevel == bvNone) {
            continue;
        }
        qDrawShadeRect(&painter, r, palette(), bevel == bvLowered, 1);
        r.adjust(1, 1, -1, -1);
    }
}
