// Paging of the chart: one table of scenarios, each run against a fake chart and,
// where marked, against the real chart view.
#include "ChartView.h"
#include "FakeChartSurface.h"
#include "QtApp.h"
#include "uCharControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

enum class Op { Add, First, Prior, Next, Last, Range, Clear };

struct Step {
    Op op;
    int arg = 0; // readings to add, or the page size
};

struct PagingCase {
    const char* name;
    int pageSize;
    std::vector<Step> steps;
    // Expected afterwards:
    double windowMin;
    double windowMax;
    int curPage;
    int pageCount;
    bool hold;
    int lastResult; // what the last page-returning step returned
    std::int64_t points;
    bool onRealChart;
};

Step add(int n) {
    return {Op::Add, n};
}
Step first() {
    return {Op::First};
}
Step prior() {
    return {Op::Prior};
}
Step next() {
    return {Op::Next};
}
Step last() {
    return {Op::Last};
}
Step range(int n) {
    return {Op::Range, n};
}
Step clear() {
    return {Op::Clear};
}

const PagingCase pagingCases[] = {
    {"StartState", 100, {}, 1, 100, 1, 1, false, 1, 1, true},
    {"HundredReadingsStayOnPage1", 100, {add(100)}, 1, 100, 1, 1, false, 1, 101, true},
    {"Reading101MovesToPage2", 100, {add(101)}, 101, 200, 2, 2, false, 2, 102, true},
    {"LastFromHeldPage1TakesTwoSteps",
     100,
     {add(250), first(), last()},
     201,
     300,
     3,
     3,
     false,
     3,
     251,
     true},
    {"AfterLastTheViewFollows",
     100,
     {add(250), first(), last(), add(51)},
     301,
     400,
     4,
     4,
     false,
     4,
     302,
     false},
    {"PriorOnPage1ChangesNothing",
     100,
     {add(250), first(), prior()},
     1,
     100,
     1,
     3,
     true,
     1,
     251,
     false},
    {"FirstOnPage1ChangesNothing", 100, {add(50), first()}, 1, 100, 1, 1, false, 1, 51, false},
    {"NextOnLastPageChangesNothing", 100, {add(250), next()}, 201, 300, 3, 3, false, 3, 251, false},
    {"LastOnLastPageChangesNothing", 100, {add(250), last()}, 201, 300, 3, 3, false, 3, 251, false},
    {"NavigationWithoutReadings",
     100,
     {first(), prior(), next(), last()},
     1,
     100,
     1,
     1,
     false,
     1,
     1,
     false},
    {"HoldingPage3Of5",
     100,
     {add(500), first(), next(), next(), add(10)},
     201,
     300,
     3,
     6,
     true,
     3,
     511,
     true},
    {"NextOntoLastPageResumesFollowing",
     100,
     {add(500), first(), next(), next(), next(), next()},
     401,
     500,
     5,
     5,
     false,
     5,
     501,
     false},
    {"FollowingAgainAfterNextOntoLast",
     100,
     {add(500), first(), next(), next(), next(), next(), add(1)},
     501,
     600,
     6,
     6,
     false,
     6,
     502,
     false},
    {"PriorEntersHolding", 100, {add(500), prior(), add(100)}, 301, 400, 4, 6, true, 4, 601, false},
    {"NewSizeGoesToLastPageAndFollows",
     100,
     {add(250), first(), range(7)},
     246,
     252,
     36,
     36,
     false,
     1,
     251,
     true},
    {"SameSizeChangesNothing",
     100,
     {add(250), first(), range(100)},
     1,
     100,
     1,
     3,
     true,
     1,
     251,
     false},
    {"LargerSizeFromLastPage", 10, {add(95), range(100)}, 1, 100, 1, 1, false, 10, 96, false},
    {"ClearOnPage4Of7",
     100,
     {add(700), first(), next(), next(), next(), clear()},
     1,
     100,
     1,
     1,
     false,
     1,
     1,
     true},
    {"FirstReadingAfterClear", 100, {add(700), clear(), add(1)}, 1, 100, 1, 1, false, 1, 2, false},
    {"PageSizeOneShowsTheNewest", 1, {add(5)}, 5, 5, 5, 5, false, 5, 6, true},
    {"PageSizeOneStepsBack", 1, {add(5), prior(), prior()}, 3, 3, 3, 5, true, 3, 6, false},
    {"PageSizeOneFromLargerPages", 100, {add(5), range(1)}, 5, 5, 5, 5, false, 1, 6, false},
};

// Runs the steps; returns what the last page-returning step returned.
int runSteps(TChartControl& pager, const std::vector<Step>& steps) {
    int result = pager.curPage();
    for (const Step& step : steps) {
        switch (step.op) {
        case Op::Add:
            for (int i = 0; i < step.arg; ++i) {
                result = pager.AddValue(i % 7);
            }
            break;
        case Op::First:
            result = pager.FirstPage();
            break;
        case Op::Prior:
            result = pager.PriorPage();
            break;
        case Op::Next:
            result = pager.NextPage();
            break;
        case Op::Last:
            result = pager.LastPage();
            break;
        case Op::Range:
            pager.SetRange(step.arg);
            break;
        case Op::Clear:
            result = pager.Clear();
            break;
        }
    }
    return result;
}

void expectCase(const PagingCase& c, const TChartControl& pager, const ChartSurface& chart,
                int result) {
    EXPECT_EQ(chart.horizontalMinimum(), c.windowMin);
    EXPECT_EQ(chart.horizontalMaximum(), c.windowMax);
    EXPECT_EQ(pager.curPage(), c.curPage);
    EXPECT_EQ(pager.pageCount(), c.pageCount);
    EXPECT_EQ(pager.holdPage(), c.hold);
    EXPECT_EQ(result, c.lastResult);
    EXPECT_EQ(chart.pointCount(0), c.points);
}

std::vector<PagingCase> realChartCases() {
    std::vector<PagingCase> cases;
    for (const PagingCase& c : pagingCases) {
        if (c.onRealChart) {
            cases.push_back(c);
        }
    }
    return cases;
}

std::string caseName(const testing::TestParamInfo<PagingCase>& param) {
    return param.param.name;
}

class Paging : public testing::TestWithParam<PagingCase> {};
class PagingOnRealChart : public testing::TestWithParam<PagingCase> {};

TEST_P(Paging, OnFakeChart) {
    const PagingCase& c = GetParam();
    FakeChartSurface chart;
    TChartControl pager(chart, c.pageSize);
    const int result = runSteps(pager, c.steps);
    expectCase(c, pager, chart, result);
}

TEST_P(PagingOnRealChart, SameAsOnTheFake) {
    const PagingCase& c = GetParam();
    qtApp();
    ChartView chart;
    TChartControl pager(chart, c.pageSize);
    const int result = runSteps(pager, c.steps);
    expectCase(c, pager, chart, result);
    // The graph holds the page in view and its two neighbours, never the whole series.
    chart.syncPlot();
    EXPECT_LE(chart.series1()->data()->size(), c.windowMax - c.windowMin + 3);
}

INSTANTIATE_TEST_SUITE_P(Cases, Paging, testing::ValuesIn(pagingCases), caseName);
INSTANTIATE_TEST_SUITE_P(Cases, PagingOnRealChart, testing::ValuesIn(realChartCases()), caseName);

TEST(PagingPoints, ReadingsGetTheirNumberAsXAndArriveInBlue) {
    FakeChartSurface chart(2);
    TChartControl pager(chart, 100);
    pager.AddValue(3.5);
    pager.AddValue(-1);
    // Every series got its placeholder; the readings go to the plotted series only.
    ASSERT_EQ(chart.series(0).size(), 3u);
    EXPECT_EQ(chart.series(0)[0].value, 0);
    EXPECT_EQ(chart.series(0)[1].value, 3.5);
    EXPECT_EQ(chart.series(0)[2].value, -1);
    for (const auto& point : chart.series(0)) {
        EXPECT_EQ(point.color, clBlue);
    }
    ASSERT_EQ(chart.series(1).size(), 1u);

    pager.Clear();
    EXPECT_EQ(chart.series(0).size(), 1u);
    EXPECT_EQ(chart.series(1).size(), 1u);
    EXPECT_EQ(chart.series(1)[0].value, 0);
}

TEST(PagingPoints, HoldingTakesNoStepWhileFollowingStepsOncePerPage) {
    FakeChartSurface chart;
    TChartControl pager(chart, 10);
    pager.AddValue(1);
    const int takenBefore = chart.takenSteps;
    for (int i = 0; i < 29; ++i) {
        pager.AddValue(1);
    }
    EXPECT_EQ(chart.takenSteps - takenBefore, 2); // readings 11 and 21 moved the window
    pager.PriorPage();
    const int takenHeld = chart.takenSteps;
    for (int i = 0; i < 50; ++i) {
        pager.AddValue(1);
    }
    EXPECT_EQ(chart.takenSteps, takenHeld);
    EXPECT_EQ(pager.curPage(), 2);
    EXPECT_EQ(pager.pageCount(), 8);
}

struct BoundsCase {
    const char* name;
    std::vector<double> scales; // one frame each: -scale, +scale
    double min;
    double max;
    int axisCalls; // calls that reached the chart, per bound
};

const BoundsCase boundsCases[] = {
    {"NoFrameKeepsTheFormBounds", {}, -40, 40, 0},
    {"FirstFrame", {200}, -200, 200, 1},
    {"SameScaleIsNotSetAgain", {200, 200, 200}, -200, 200, 1},
    {"ScaleChanges", {200, 2000, 2}, -2, 2, 3},
    // A first frame of scale 0 equals the pager's starting bounds: the form's stay.
    {"FirstScaleZero", {0}, -40, 40, 0},
    {"ScaleZeroAfterAnother", {20, 0}, 0, 0, 2},
    {"BackFromZero", {20, 0, 20000}, -20000, 20000, 3},
};

class ValueBounds : public testing::TestWithParam<BoundsCase> {};

TEST_P(ValueBounds, OnlyChangesReachTheChart) {
    const BoundsCase& c = GetParam();
    FakeChartSurface chart;
    TChartControl pager(chart, 100);
    for (double scale : c.scales) {
        pager.SetValueMinimum(-scale);
        pager.SetValueMaximum(scale);
    }
    EXPECT_EQ(chart.valueMinimum(), c.min);
    EXPECT_EQ(chart.valueMaximum(), c.max);
    EXPECT_EQ(chart.valueMinimumCalls, c.axisCalls);
    EXPECT_EQ(chart.valueMaximumCalls, c.axisCalls);
}

INSTANTIATE_TEST_SUITE_P(Cases, ValueBounds, testing::ValuesIn(boundsCases),
                         [](const testing::TestParamInfo<BoundsCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
