#pragma once

#include <qcustomplot.h>

#include <QPalette>
#include <qdrawutil.h>

// The chart's lowered bevel, one pixel wide around the viewport. Drawn as part of the
// plot (into the buffer of the layer it sits on, and into saved pictures), so the
// per-point redraw of the line does not paint it again.
class ChartBevel : public QCPLayerable {
public:
    ChartBevel(QCustomPlot* plot, const QString& layerName) : QCPLayerable(plot, layerName) {}

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
        painter->setAntialiasing(false);
    }
    void draw(QCPPainter* painter) override {
        qDrawShadePanel(painter, mParentPlot->viewport(), mParentPlot->palette(), true, 1, nullptr);
    }
};
