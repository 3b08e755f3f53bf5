#include "ChartView.h"

#include "ChartBevel.h"
#include "MinimumStepTicker.h"

#include <QImage>

#include <cmath>

namespace {

const QColor silver(192, 192, 192);

// Axis bounds as drawn: a window of no extent (a page of one point, a full scale of
// 0) is widened around its value so that nothing divides by zero.
QCPRange displayRange(double lower, double upper) {
    if (upper - lower < 1e-9) {
        return QCPRange(lower - 0.5, upper + 0.5);
    }
    return QCPRange(lower, upper);
}

void styleAxis(QCPAxis* axis, const QString& title, double minimumStep) {
    axis->setLabel(title);
    axis->setTicker(QSharedPointer<QCPAxisTicker>(new MinimumStepTicker(minimumStep)));
    axis->setTickLength(0, 0);
    axis->setSubTicks(false);
    axis->grid()->setPen(QPen(silver, 0, Qt::SolidLine));
    axis->grid()->setSubGridVisible(false);
    axis->grid()->setZeroLinePen(Qt::NoPen);
}

} // namespace

ChartView::ChartView(QWidget* parent) : QCustomPlot(parent) {
    setObjectName(QStringLiteral("Chart1"));
    applySettings();
    connect(this, &QCustomPlot::beforeReplot, this, &ChartView::syncPlot);
    syncPlot();
}

void ChartView::applySettings() {
    // Display only: no zooming, panning or selection.
    setInteractions(QCP::Interactions());
    setFocusPolicy(Qt::NoFocus);
    setBackground(Qt::white);
    // The plot area is white through the widget's own background: no second fill.
    legend->setVisible(false);
    plotLayout()->setAutoMargins(QCP::msNone);

    styleAxis(xAxis, QStringLiteral("Record Number"), 1);
    xAxis->setBasePen(Qt::NoPen);
    xAxis->setNumberFormat(QStringLiteral("f"));
    xAxis->setNumberPrecision(0);

    styleAxis(yAxis, QStringLiteral("Value"), 0.1);
    yAxis->setBasePen(QPen(Qt::black, 1));
    yAxis->setNumberFormat(QStringLiteral("g"));
    yAxis->setNumberPrecision(6);

    xAxis2->setVisible(false);
    yAxis2->setVisible(false);

    m_series1 = addGraph(xAxis, yAxis);
    m_series1->setName(QStringLiteral("Series1"));
    m_series1->setPen(QPen(QColor::fromRgba(m_lineColor), 1));
    m_series1->setLineStyle(QCPGraph::lsLine);
    m_series1->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    m_series1->setAdaptiveSampling(true);

    // The line gets a paint buffer of its own, drawn over everything else: a new point
    // on the page in view redraws that buffer only. Everything below shares one buffer.
    layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    addLayer(QStringLiteral("series"), layer(QStringLiteral("overlay")), QCustomPlot::limAbove);
    m_seriesLayer = layer(QStringLiteral("series"));
    m_seriesLayer->setMode(QCPLayer::lmBuffered);
    m_series1->setLayer(m_seriesLayer);
    new ChartBevel(this, QStringLiteral("overlay")); // a child of the plot
    // Lines without antialiasing: a trace of readings draws faster and stays crisp.
    setNotAntialiasedElements(QCP::aeAll);
}

void ChartView::appendPoint(int series, double value, ChartColor color) {
    if (series != 0) {
        return;
    }
    if (color != m_lineColor) {
        // The line takes the colour of its points.
        m_lineColor = color;
        m_series1->setPen(QPen(QColor::fromRgba(color), 1));
    }
    const std::int64_t index = m_points.size();
    m_points.append(value);
    // A point right of the page's right-hand neighbour does not change the picture
    // (readings arriving while an earlier page is held).
    if (static_cast<double>(index) <= std::ceil(m_horizontalMax) + 1) {
        changed(Change::Points);
    }
}

void ChartView::clearPoints(int series) {
    if (series != 0) {
        return;
    }
    m_points.clear();
    m_series1->data()->clear();
    m_loadedFirst = 0;
    m_loadedLast = -1;
    changed(Change::Points);
}

std::int64_t ChartView::pointCount(int series) const {
    return series == 0 ? m_points.size() : 0;
}

void ChartView::setHorizontalMinimum(double minimum) {
    if (minimum > m_horizontalMax || minimum == m_horizontalMin) {
        return;
    }
    m_horizontalMin = minimum;
    changed(Change::Axes);
}

void ChartView::setHorizontalMaximum(double maximum) {
    if (maximum < m_horizontalMin || maximum == m_horizontalMax) {
        return;
    }
    m_horizontalMax = maximum;
    changed(Change::Axes);
}

void ChartView::scrollHorizontal(double offset) {
    const std::int64_t count = m_points.size();
    if (count == 0 || offset == 0) {
        return;
    }
    // X runs 0 … count - 1, so the largest X is the newest point and the smallest is 0.
    if (offset > 0 && static_cast<double>(count - 1) <= m_horizontalMax) {
        return;
    }
    if (offset < 0 && 0 >= m_horizontalMin) {
        return;
    }
    m_horizontalMin += offset;
    m_horizontalMax += offset;
    changed(Change::Axes);
}

void ChartView::setValueMinimum(double minimum) {
    if (minimum > m_valueMax || minimum == m_valueMin) {
        return;
    }
    m_valueMin = minimum;
    changed(Change::Axes);
}

void ChartView::setValueMaximum(double maximum) {
    if (maximum < m_valueMin || maximum == m_valueMax) {
        return;
    }
    m_valueMax = maximum;
    changed(Change::Axes);
}

void ChartView::syncPlot() {
    xAxis->setRange(displayRange(m_horizontalMin, m_horizontalMax));
    yAxis->setRange(displayRange(m_valueMin, m_valueMax));

    const std::int64_t count = m_points.size();
    const auto first =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(m_horizontalMin)) - 1);
    const auto last = std::min<std::int64_t>(
        count - 1, static_cast<std::int64_t>(std::ceil(m_horizontalMax)) + 1);
    QCPGraphDataContainer& graphData = *m_series1->data();
    if (first > last) {
        graphData.clear();
        m_loadedFirst = 0;
        m_loadedLast = -1;
        return;
    }
    if (first == m_loadedFirst && m_loadedLast <= last && m_loadedLast >= first - 1) {
        // Following the newest page: only the points that arrived since the last replot.
        for (std::int64_t i = m_loadedLast + 1; i <= last; ++i) {
            graphData.add(QCPGraphData(static_cast<double>(i), m_points.at(i)));
        }
    } else {
        QVector<QCPGraphData> page;
        page.reserve(static_cast<qsizetype>(last - first + 1));
        for (std::int64_t i = first; i <= last; ++i) {
            page.append(QCPGraphData(static_cast<double>(i), m_points.at(i)));
        }
        graphData.set(page, true);
    }
    m_loadedFirst = first;
    m_loadedLast = last;
}

void ChartView::changed(Change change) {
    m_axesChanged = m_axesChanged || change == Change::Axes;
    if (!m_flushQueued) {
        // One redraw for all changes until the event loop turns again.
        m_flushQueued = true;
        QMetaObject::invokeMethod(this, &ChartView::flushChanges, Qt::QueuedConnection);
    }
}

void ChartView::flushChanges() {
    m_flushQueued = false;
    if (m_axesChanged) {
        m_axesChanged = false;
        replot(QCustomPlot::rpRefreshHint); // syncs first, through beforeReplot
        return;
    }
    syncPlot();
    m_seriesLayer->replot();
}

QImage ChartView::renderImage() {
    syncPlot();
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QCPPainter painter(&image);
    toPainter(&painter, width(), height());
    painter.end();
    return image;
}

void ChartView::resizeEvent(QResizeEvent* event) {
    applyOuterMargins();
    QCustomPlot::resizeEvent(event);
}

void ChartView::applyOuterMargins() {
    // Outer margins in percent of the chart's size: left 1, top 1, right 4, bottom 0.
    plotLayout()->setMargins(QMargins(width() / 100, height() / 100, width() * 4 / 100, 0));
}
