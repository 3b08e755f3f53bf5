#pragma once

#include <cstdint>

class QImage;

// A colour as 0xAARRGGBB.
using ChartColor = std::uint32_t;
inline constexpr ChartColor clBlue = 0xFF0000FFu;

// What the paging controller needs of a chart widget: series of points whose X is
// their index, a horizontal window moved in guarded steps, a value axis with bounds,
// and a picture of the chart. GUI thread only.
class ChartSurface {
public:
    virtual ~ChartSurface() = default;

    virtual int seriesCount() const = 0;
    // Appends a point; its X is the number of points the series held before.
    virtual void appendPoint(int series, double value, ChartColor color) = 0;
    virtual void clearPoints(int series) = 0;
    virtual std::int64_t pointCount(int series) const = 0;

    virtual double horizontalMinimum() const = 0;
    virtual double horizontalMaximum() const = 0;
    // A minimum above the current maximum (or a maximum below the current minimum) is
    // refused and leaves the window as it is.
    virtual void setHorizontalMinimum(double minimum) = 0;
    virtual void setHorizontalMaximum(double maximum) = 0;
    // Moves both ends of the window by offset. A step forward is taken only while the
    // largest X of all points lies beyond the right end, a step back only while the
    // smallest X lies before the left end; a refused step changes nothing.
    virtual void scrollHorizontal(double offset) = 0;

    virtual double valueMinimum() const = 0;
    virtual double valueMaximum() const = 0;
    // Refused like the horizontal bounds.
    virtual void setValueMinimum(double minimum) = 0;
    virtual void setValueMaximum(double maximum) = 0;

    // The chart drawn as on screen into an image of its own size, on white.
    virtual QImage renderImage() = 0;
};
