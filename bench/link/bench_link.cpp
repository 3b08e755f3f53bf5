// The USB link's running costs: the CPU share of a connected link that polls a silent
// bridge (the scripted library: the link's own cost; the simulated bridge: with a
// library behind it), and the time from a read returning bytes to OnReceiveData
// running on the GUI thread, median and worst.
#include "ManualDeviceWatcher.h"
#include "ScriptedControl.h"
#include "SimControl.h"
#include "uCP2110.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace {

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::unique_ptr<TCP2110> makeLink(const char* library) {
    TCP2110::Options options;
    options.libraryFileName = QString::fromLatin1(library);
    options.watcher = std::make_unique<ManualDeviceWatcher>();
    return std::make_unique<TCP2110>(nullptr, std::move(options));
}

// The GUI thread sits in its event loop for the given time, as the window does.
void idleFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void measureIdle(benchmark::State& state, TCP2110& link) {
    if (!link.Connect()) {
        state.SkipWithError("cannot connect");
        return;
    }
    constexpr int windowMs = 1000;
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processCpuSeconds();
        idleFor(windowMs);
        cpu += processCpuSeconds() - cpuStart;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    link.Disconnect();
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
    state.counters["polls_per_s"] = 1000.0 / link.pollPauseMs();
}

void BM_IdleLinkScripted(benchmark::State& state) {
    ScriptedControl script;
    script.addDevice("A1", "/dev/hidraw1");
    const auto link = makeLink(ScriptedControl::fileName);
    measureIdle(state, *link);
}

void BM_IdleLinkSimulatedBridge(benchmark::State& state) {
    SimControl sim;
    sim.setSource("SIM0001", "none");
    const auto link = makeLink(SimControl::fileName);
    measureIdle(state, *link);
}

void BM_ReadToReceiveDataLatency(benchmark::State& state) {
    ScriptedControl script;
    script.addDevice("A1", "/dev/hidraw1");
    const auto link = makeLink(ScriptedControl::fileName);
    link->setReadTimeInterval(1);
    std::vector<double> latenciesUs;
    QEventLoop loop;
    link->OnReceiveData = [&](QObject*, const std::uint8_t*, std::uint32_t) {
        const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count();
        latenciesUs.push_back(static_cast<double>(now - script.lastDataReadNs()) / 1000.0);
        loop.quit();
    };
    if (!link->Connect()) {
        state.SkipWithError("cannot connect");
        return;
    }
    const std::uint8_t frame[17] = {0x00, 0x0D, 0, 0,    0, 2, 0x30, 0x39, 0x52,
                                    0,    1,    1, 0x23, 4, 0, 0x0D, 0x0A};
    for (auto _ : state) {
        script.queueRead(HID_UART_READ_TIMED_OUT, frame, sizeof frame, sizeof frame);
        loop.exec();
    }
    link->Disconnect();
    std::sort(latenciesUs.begin(), latenciesUs.end());
    if (!latenciesUs.empty()) {
        state.counters["median_us"] = latenciesUs[latenciesUs.size() / 2];
        state.counters["p99_us"] = latenciesUs[latenciesUs.size() * 99 / 100];
        state.counters["worst_us"] = latenciesUs.back();
    }
}

} // namespace

BENCHMARK(BM_IdleLinkScripted)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IdleLinkSimulatedBridge)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadToReceiveDataLatency)->Iterations(2000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
