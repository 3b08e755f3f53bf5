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
