#pragma once

#include "ChartSurface.h"
#include "PointStore.h"

#include <qcustomplot.h>

#include <cstdint>

// Chart1: the readings as one blue line over their record number, on QCustomPlot.
// Every point is kept in a compact store; only the points of the page in view (and
// one neighbour on each side, so the line runs to the plot's edges) are handed to
// the graph, at the next replot. Changes queue one replot, so a burst of frames
// costs one repaint. Takes no mouse or keyboard input. GUI thread only.
class ChartView : public QCustomPlot, public ChartSurface {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    int seriesCount() const override { return 1; }
    void appendPoint(int series, double value, ChartColor color) override;
    void clearPoints(int series) override;
    std::int64_t pointCount(int series) const override;

    double horizontalMinimum() const override { return m_horizontalMin; }
    double horizontalMaximum() const override { return m_horizontalMax; }
    void setHorizontalMinimum(double minimum) override;
    void setHorizontalMaximum(double maximum) override;
    void scrollHorizontal(double offset) override;

    double valueMinimum() const override { return m_valueMin; }
    double valueMaximum() const override { return m_valueMax; }
    void setValueMinimum(double minimum) override;
    void setValueMaximum(double maximum) override;

    QImage renderImage() override;

    // Series1, fed with the page in view.
    QCPGraph* series1() const { return m_series1; }
    const PointStore& points() const { return m_points; }
    // Hands the page in view to the graph and the bounds to the axes (done before
    // every replot; public for drawing elsewhere).
    void syncPlot();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applySettings();
    void applyOuterMargins();
    enum class Change { Points, Axes };
    void changed(Change change);
    void flushChanges();

    QCPGraph* m_series1 = nullptr;
    QCPLayer* m_seriesLayer = nullptr;
    bool m_flushQueued = false;
    bool m_axesChanged = false;
    PointStore m_points;
    ChartColor m_lineColor = clBlue;
    double m_horizontalMin = 1;
    double m_horizontalMax = 100;
    double m_valueMin = -40;
    double m_valueMax = 40;
    // Indices of the points the graph holds; empty when first > last.
    std::int64_t m_loadedFirst = 0;
    std::int64_t m_loadedLast = -1;
};
