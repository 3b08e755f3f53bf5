#pragma once

#include "ChartSurface.h"

#include <QImage>

#include <algorithm>
#include <vector>

// A chart that only keeps its points and bounds, refusing bounds and steps the way
// the chart widget does, and counts how often each bound was set.
class FakeChartSurface : public ChartSurface {
public:
    explicit FakeChartSurface(int seriesCount = 1) : m_series(static_cast<size_t>(seriesCount)) {}

    struct Point {
        double value;
        ChartColor color;
    };

    int seriesCount() const override { return static_cast<int>(m_series.size()); }
    void appendPoint(int series, double value, ChartColor color) override {
        m_series.at(static_cast<size_t>(series)).push_back({value, color});
    }
    void clearPoints(int series) override { m_series.at(static_cast<size_t>(series)).clear(); }
    std::int64_t pointCount(int series) const override {
        return static_cast<std::int64_t>(m_series.at(static_cast<size_t>(series)).size());
    }

    double horizontalMinimum() const override { return m_min; }
    double horizontalMaximum() const override { return m_max; }
    void setHorizontalMinimum(double minimum) override {
        if (minimum <= m_max) {
            m_min = minimum;
        }
    }
    void setHorizontalMaximum(double maximum) override {
        if (maximum >= m_min) {
            m_max = maximum;
        }
    }
    void scrollHorizontal(double offset) override {
        // X of a point is its index: the smallest X is 0, the largest the longest
        // series' last index.
        std::int64_t longest = 0;
        for (const auto& series : m_series) {
            longest = std::max(longest, static_cast<std::int64_t>(series.size()));
        }
        const bool forward = offset > 0 && static_cast<double>(longest - 1) > m_max;
        const bool back = offset < 0 && longest > 0 && 0 < m_min;
        if (!forward && !back) {
            ++refusedSteps;
            return;
        }
        m_min += offset;
        m_max += offset;
        ++takenSteps;
    }

    double valueMinimum() const override { return m_valueMin; }
    double valueMaximum() const override { return m_valueMax; }
    void setValueMinimum(double minimum) override {
        ++valueMinimumCalls;
        if (minimum <= m_valueMax) {
            m_valueMin = minimum;
        }
    }
    void setValueMaximum(double maximum) override {
        ++valueMaximumCalls;
        if (maximum >= m_valueMin) {
            m_valueMax = maximum;
        }
    }

    QImage renderImage() override {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }

    const std::vector<Point>& series(int index) const {
        return m_series.at(static_cast<size_t>(index));
    }

    int takenSteps = 0;
    int refusedSteps = 0;
    int valueMinimumCalls = 0;
    int valueMaximumCalls = 0;

private:
    std::vector<std::vector<Point>> m_series;
    double m_min = 0;
    double m_max = 0;
    double m_valueMin = -40;
    double m_valueMax = 40;
};
