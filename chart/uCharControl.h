#pragma once

#include "ChartSurface.h"

#include <cstdint>

// Keeps the chart's horizontal window on one page of Range points: follows the newest
// page while points arrive, holds the page the user stepped to, and passes the value
// axis bounds on. Every series holds a placeholder point at X 0, so the k-th reading
// after a clear has X = k and page p is the window (p - 1)·Range + 1 … p·Range.
// GUI thread only.
class TChartControl {
public:
    // Create: page 1 of `range` points (range at least 1), following.
    TChartControl(ChartSurface& chart, std::int32_t range);

    TChartControl(const TChartControl&) = delete;
    TChartControl& operator=(const TChartControl&) = delete;

    // Plots one reading; returns the page now shown.
    std::int32_t AddValue(double value);
    // New page size (at least 1): the window goes to the last page and follows.
    void SetRange(std::int32_t range);
    std::int32_t FirstPage();
    std::int32_t PriorPage();
    std::int32_t NextPage();
    std::int32_t LastPage();
    // Every series back to its placeholder, page 1, following; returns 1.
    std::int32_t Clear();
    void SetValueMinimum(double bound);
    void SetValueMaximum(double bound);

    std::int32_t curPage() const { return CurPage; }
    std::int32_t range() const { return Range; }
    std::int32_t pageCount() const { return PageCount; }
    bool holdPage() const { return HoldPage; }
    double valueMax() const { return ValueMax; }
    double valueMin() const { return ValueMin; }

private:
    void showFirstPage();
    void addPlaceholders();
    std::int32_t countPages() const;
    void stepForward(std::int32_t steps);
    void stepBack(std::int32_t steps);

    ChartSurface& Chart;
    std::int32_t CurPage = 1;
    std::int32_t Range = 1;
    std::int32_t PageCount = 1;
    bool HoldPage = false;
    double ValueMax = 0;
    double ValueMin = 0;
};
