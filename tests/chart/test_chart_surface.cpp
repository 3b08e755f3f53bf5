// The chart surface's own rules, held by the chart view and by the fake the paging
// tests use alike: refused bounds and guarded steps.
#include "ChartView.h"
#include "FakeChartSurface.h"
#include "QtApp.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

template <typename Surface> std::unique_ptr<Surface> makeSurface() {
    qtApp();
    auto surface = std::make_unique<Surface>();
    // Both start from the window 1 … 100.
    surface->setHorizontalMaximum(100);
    surface->setHorizontalMinimum(1);
    return surface;
}

template <typename Surface> class SurfaceContract : public testing::Test {};

using Surfaces = testing::Types<FakeChartSurface, ChartView>;
TYPED_TEST_SUITE(SurfaceContract, Surfaces);

TYPED_TEST(SurfaceContract, BoundsOnTheWrongSideAreRefused) {
    auto chart = makeSurface<TypeParam>();
    chart->setHorizontalMinimum(101);
    EXPECT_EQ(chart->horizontalMinimum(), 1);
    chart->setHorizontalMaximum(0);
    EXPECT_EQ(chart->horizontalMaximum(), 100);
    chart->setHorizontalMinimum(100); // a window of no extent is allowed
    EXPECT_EQ(chart->horizontalMinimum(), 100);

    chart->setValueMinimum(-200);
    chart->setValueMaximum(200);
    chart->setValueMinimum(300);
    chart->setValueMaximum(-300);
    EXPECT_EQ(chart->valueMinimum(), -200);
    EXPECT_EQ(chart->valueMaximum(), 200);
    chart->setValueMinimum(0);
    chart->setValueMaximum(0);
    EXPECT_EQ(chart->valueMinimum(), 0);
    EXPECT_EQ(chart->valueMaximum(), 0);
}

TYPED_TEST(SurfaceContract, StepsAreGuardedByTheOutermostPoints) {
    auto chart = makeSurface<TypeParam>();
    chart->scrollHorizontal(100); // no points at all
    EXPECT_EQ(chart->horizontalMinimum(), 1);

    for (int i = 0; i <= 100; ++i) { // X 0 … 100: the newest lies on the right end
        chart->appendPoint(0, i, clBlue);
    }
    chart->scrollHorizontal(100);
    EXPECT_EQ(chart->horizontalMaximum(), 100) << "the largest X is not beyond the right end";
    chart->appendPoint(0, 7, clBlue); // X 101
    chart->scrollHorizontal(100);
    EXPECT_EQ(chart->horizontalMinimum(), 101);
    EXPECT_EQ(chart->horizontalMaximum(), 200);

    chart->scrollHorizontal(-100);
    EXPECT_EQ(chart->horizontalMinimum(), 1);
    chart->scrollHorizontal(-100); // X 0 still lies left of 1: taken
    EXPECT_EQ(chart->horizontalMinimum(), -99);
    chart->scrollHorizontal(-100); // now no point lies left of -99
    EXPECT_EQ(chart->horizontalMinimum(), -99);
    EXPECT_EQ(chart->horizontalMaximum(), 0);
}

TYPED_TEST(SurfaceContract, ClearingRemovesEveryPoint) {
    auto chart = makeSurface<TypeParam>();
    for (int i = 0; i < 10; ++i) {
        chart->appendPoint(0, i, clBlue);
    }
    EXPECT_EQ(chart->pointCount(0), 10);
    chart->clearPoints(0);
    EXPECT_EQ(chart->pointCount(0), 0);
    chart->appendPoint(0, 3, clBlue);
    EXPECT_EQ(chart->pointCount(0), 1);
}

} // namespace

namespace {

TEST(PointStore, KeepsEveryValueAcrossBlocksAndGivesTheMemoryBack) {
    PointStore store;
    const std::int64_t count = 3 * PointStore::blockSize + 5;
    for (std::int64_t i = 0; i < count; ++i) {
        store.append(static_cast<double>(i) * 0.5);
    }
    ASSERT_EQ(store.size(), count);
    for (std::int64_t i : {std::int64_t{0}, PointStore::blockSize - 1, PointStore::blockSize,
                           2 * PointStore::blockSize + 1, count - 1}) {
        EXPECT_EQ(store.at(i), static_cast<double>(i) * 0.5) << i;
    }
    EXPECT_LT(store.bytesReserved(), static_cast<std::size_t>(count) * 11);
    store.clear();
    EXPECT_EQ(store.size(), 0);
    EXPECT_EQ(store.bytesReserved(), 0u);
}

// The graph is handed the page in view from the store: after steps across blocks it
// holds exactly that page's values, with its two neighbours.
TEST(ChartViewPage, GraphHoldsThePageInViewWithItsNeighbours) {
    qtApp();
    ChartView chart;
    chart.setHorizontalMaximum(1000);
    const std::int64_t count = PointStore::blockSize + 3000;
    for (std::int64_t i = 0; i < count; ++i) {
        chart.appendPoint(0, static_cast<double>(i % 1000) - 500, clBlue);
    }
    for (int page = 0; page < 65; ++page) {
        chart.scrollHorizontal(1000); // to 65001 … 66000, across the first block's end
    }
    ASSERT_EQ(chart.horizontalMinimum(), 65001);
    chart.syncPlot();
    const auto data = chart.series1()->data();
    ASSERT_EQ(data->size(), 1002);
    for (auto it = data->constBegin(); it != data->constEnd(); ++it) {
        const auto x = static_cast<std::int64_t>(it->key);
        EXPECT_EQ(it->value, static_cast<double>(x % 1000) - 500) << x;
    }
    EXPECT_EQ(data->constBegin()->key, 65000);
    EXPECT_EQ((data->constEnd() - 1)->key, 66001);
}

} // namespace
