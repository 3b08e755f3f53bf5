#include "uCharControl.h"

#include <algorithm>

namespace {

constexpr int plottedSeries = 0;

} // namespace

TChartControl::TChartControl(ChartSurface& chart, std::int32_t range)
    : Chart(chart), Range(std::max<std::int32_t>(range, 1)) {
    showFirstPage();
    addPlaceholders();
}

void TChartControl::showFirstPage() {
    // The chart refuses a minimum above its maximum: when the window lies left of
    // page 1 the maximum has to move first. From any page the minimum goes first.
    if (Chart.horizontalMaximum() < 1) {
        Chart.setHorizontalMaximum(Range);
        Chart.setHorizontalMinimum(1);
    } else {
        Chart.setHorizontalMinimum(1);
        Chart.setHorizontalMaximum(Range);
    }
}

void TChartControl::addPlaceholders() {
    for (int series = 0; series < Chart.seriesCount(); ++series) {
        Chart.appendPoint(series, 0, clBlue);
    }
}

std::int32_t TChartControl::countPages() const {
    // Readings are the plotted points other than the placeholder.
    const std::int64_t readings = std::max<std::int64_t>(Chart.pointCount(plottedSeries) - 1, 0);
    if (readings == 0) {
        return 1;
    }
    const std::int64_t pages = readings / Range + (readings % Range > 0 ? 1 : 0);
    return static_cast<std::int32_t>(std::min<std::int64_t>(pages, INT32_MAX));
}

void TChartControl::stepForward(std::int32_t steps) {
    for (std::int32_t i = 0; i < steps; ++i) {
        Chart.scrollHorizontal(Range);
    }
}

void TChartControl::stepBack(std::int32_t steps) {
    for (std::int32_t i = 0; i < steps; ++i) {
        Chart.scrollHorizontal(-static_cast<double>(Range));
    }
}

std::int32_t TChartControl::AddValue(double value) {
    Chart.appendPoint(plottedSeries, value, clBlue);
    PageCount = countPages();
    if (!HoldPage) {
        // The guard moves the window only when the newest point passed its right end.
        stepForward(1);
        CurPage = PageCount;
    }
    return CurPage;
}

void TChartControl::SetRange(std::int32_t range) {
    if (range == Range) {
        return;
    }
    Range = range;
    showFirstPage();
    PageCount = countPages();
    stepForward(PageCount - 1);
    CurPage = PageCount;
    HoldPage = false;
}

std::int32_t TChartControl::FirstPage() {
    if (PageCount <= 1 || CurPage == 1) {
        return CurPage;
    }
    stepBack(CurPage - 1);
    CurPage = 1;
    HoldPage = true;
    return CurPage;
}

std::int32_t TChartControl::PriorPage() {
    if (CurPage > 1) {
        stepBack(1);
        --CurPage;
        HoldPage = true;
    }
    return CurPage;
}

std::int32_t TChartControl::NextPage() {
    if (PageCount > 1 && CurPage != PageCount) {
        stepForward(1);
        ++CurPage;
        // Arriving on the last page resumes following.
        HoldPage = CurPage != PageCount;
    }
    return CurPage;
}

std::int32_t TChartControl::LastPage() {
    if (PageCount <= 1 || CurPage == PageCount) {
        return CurPage;
    }
    stepForward(PageCount - CurPage);
    CurPage = PageCount;
    HoldPage = false;
    return CurPage;
}

std::int32_t TChartControl::Clear() {
    FirstPage();
    for (int series = 0; series < Chart.seriesCount(); ++series) {
        Chart.clearPoints(series);
        Chart.appendPoint(series, 0, clBlue);
    }
    PageCount = 1;
    HoldPage = false;
    return CurPage;
}

void TChartControl::SetValueMinimum(double bound) {
    if (bound != ValueMin) {
        ValueMin = bound;
        Chart.setValueMinimum(bound);
    }
}

void TChartControl::SetValueMaximum(double bound) {
    if (bound != ValueMax) {
        ValueMax = bound;
        Chart.setValueMaximum(bound);
    }
}
