// Cost of the chart per decoded frame (AddValue, the two value-axis calls and the one
// replot they queue, painted offscreen) with many points held; a full redraw of a page
// of a million points; the memory a held point takes.
#include "ChartView.h"
#include "TChartPane.h"
#include "uCharControl.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <malloc.h>

namespace {

// The pane at about the size it has in the main window.
void showPane(TChartPane& pane) {
    pane.resize(470, 600);
    pane.show();
    QCoreApplication::processEvents();
}

void holdPoints(TChartPane& pane, std::int64_t readings) {
    TChartControl& pager = pane.chartPager();
    for (std::int64_t i = 0; i < readings; ++i) {
        pager.AddValue(static_cast<double>(i % 400) - 200);
    }
    pager.SetValueMinimum(-200);
    pager.SetValueMaximum(200);
    QCoreApplication::processEvents();
}

void BM_PerFrame(benchmark::State& state) {
    TChartPane pane;
    showPane(pane);
    holdPoints(pane, state.range(0));
    int fullReplots = 0;
    QObject::connect(pane.chartView(), &QCustomPlot::afterReplot, pane.chartView(),
                     [&fullReplots] { ++fullReplots; });
    double value = 0;
    for (auto _ : state) {
        pane.plotValue(value, 200);
        QCoreApplication::processEvents();
        value = value > 190 ? -190 : value + 1.5;
    }
    state.counters["points"] = static_cast<double>(pane.chartView()->pointCount(0));
    // The axes are redrawn only when the window moves; otherwise the line alone.
    state.counters["full replots/frame"] =
        static_cast<double>(fullReplots) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PerFrame)
    ->Arg(1'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMicrosecond);

// The worst frame: every reading moves the window (page size 1), so the axes are
// redrawn with the line each time.
void BM_PerFrameEveryFrameNewPage(benchmark::State& state) {
    TChartPane pane;
    showPane(pane);
    pane.chartPager().SetRange(1);
    holdPoints(pane, state.range(0));
    double value = 0;
    for (auto _ : state) {
        pane.plotValue(value, 200);
        QCoreApplication::processEvents();
        value = value > 190 ? -190 : value + 1.5;
    }
}
BENCHMARK(BM_PerFrameEveryFrameNewPage)->Arg(1'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

// While an earlier page is held, new readings do not touch the picture.
void BM_PerFrameHolding(benchmark::State& state) {
    TChartPane pane;
    showPane(pane);
    holdPoints(pane, state.range(0));
    pane.btnFirstClick();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        pane.plotValue(42, 200);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PerFrameHolding)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

// A burst of frames between two turns of the event loop costs one replot.
void BM_BurstOf10Frames(benchmark::State& state) {
    TChartPane pane;
    showPane(pane);
    holdPoints(pane, state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) {
            pane.plotValue(i, 200);
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_BurstOf10Frames)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

// Redrawing a page of a million points.
void BM_FullRedrawMillionPointPage(benchmark::State& state) {
    TChartPane pane;
    showPane(pane);
    pane.chartPager().SetRange(1'000'000);
    holdPoints(pane, 1'000'000);
    for (auto _ : state) {
        pane.chartView()->replot(QCustomPlot::rpImmediateRefresh);
    }
    state.counters["graph points"] = static_cast<double>(pane.chartView()->series1()->dataCount());
}
BENCHMARK(BM_FullRedrawMillionPointPage)->Unit(benchmark::kMillisecond);

// Stepping between two pages of a million points: the page is handed to the graph
// anew, then drawn.
void BM_StepBetweenMillionPointPages(benchmark::State& state) {
    TChartPane pane;
    showPane(pane);
    pane.chartPager().SetRange(1'000'000);
    holdPoints(pane, 2'000'000);
    bool back = true;
    for (auto _ : state) {
        if (back) {
            pane.btnPreviousClick();
        } else {
            pane.btnNextClick();
        }
        back = !back;
        pane.chartView()->replot(QCustomPlot::rpImmediateRefresh);
    }
}
BENCHMARK(BM_StepBetweenMillionPointPages)->Unit(benchmark::kMillisecond);

// Heap bytes in use (small blocks and mapped blocks), independent of reuse of pages.
double heapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// From the first to the last page with a page size of 1: one guarded step per page.
void BM_FirstToLastPageSize1(benchmark::State& state) {
    TChartPane pane;
    showPane(pane);
    pane.chartPager().SetRange(1);
    holdPoints(pane, state.range(0));
    for (auto _ : state) {
        pane.btnFirstClick();
        pane.btnLastClick();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_FirstToLastPageSize1)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Heap memory the held points add, per point.
void BM_MemoryPerPoint(benchmark::State& state) {
    const std::int64_t readings = state.range(0);
    for (auto _ : state) {
        TChartPane pane;
        showPane(pane);
        const double heapBefore = heapBytesInUse();
        for (std::int64_t i = 0; i < readings; ++i) {
            pane.plotValue(static_cast<double>(i % 400) - 200, 200);
        }
        QCoreApplication::processEvents();
        state.counters["heap bytes/point"] =
            (heapBytesInUse() - heapBefore) / static_cast<double>(readings);
        state.counters["store bytes/point"] =
            static_cast<double>(pane.chartView()->points().bytesReserved()) /
            static_cast<double>(readings);
    }
}
BENCHMARK(BM_MemoryPerPoint)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
