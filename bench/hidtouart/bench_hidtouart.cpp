// The library's cost per poll, and how fast the emulator runs the simulated meter.
#include "HidUartLibrary.h"
#include "SLABHIDtoUART.h"
#include "SimBus.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

struct OpenBridge {
    OpenBridge() : library(std::make_unique<hidtouart::EmulatorTransport>(&bus)) {
        bus.clock().setManual(true);
        library.open(&handle, 0, 0, 0);
        chip = bus.bridge("SIM0001");
    }
    ~OpenBridge() { library.close(handle); }

    hidtouart::SimBus bus;
    hidtouart::HidUartLibrary library;
    void* handle = nullptr;
    std::shared_ptr<hidtouart::Cp2110Emulator> chip;
};

// One reader poll (up to 2048 bytes, read time-out 0) when nothing has arrived.
void BM_ReadPollNothingQueued(benchmark::State& state) {
    OpenBridge b;
    b.bus.setSource("SIM0001", "none");
    std::vector<std::uint8_t> buffer(2048);
    for (auto _ : state) {
        std::uint32_t n = 0;
        benchmark::DoNotOptimize(b.library.read(b.handle, buffer.data(), 2048, &n));
    }
}
BENCHMARK(BM_ReadPollNothingQueued);

// One poll that takes one full 63-byte report (feeding it is outside the timing). At
// 9600 baud a report closes after about 8 bytes, so the line runs at 1 Mbaud here.
void BM_ReadPollFullReport(benchmark::State& state) {
    OpenBridge b;
    b.bus.setSource("SIM0001", "none");
    b.library.setUartConfig(b.handle, 1000000, HID_UART_EIGHT_DATA_BITS, HID_UART_NO_PARITY,
                            HID_UART_SHORT_STOP_BIT, HID_UART_NO_FLOW_CONTROL);
    std::vector<std::uint8_t> data(63, 0x55);
    std::vector<std::uint8_t> buffer(2048);
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        b.chip->feed(data.data(), data.size());
        b.bus.clock().advanceUs(70000);
        state.ResumeTiming();
        std::uint32_t n = 0;
        benchmark::DoNotOptimize(b.library.read(b.handle, buffer.data(), 2048, &n));
        if (n == 0) {
            state.SkipWithError("a poll delivered nothing");
            break;
        }
        bytes += n;
    }
    state.counters["bytes_per_poll"] =
        static_cast<double>(bytes) / static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
}
BENCHMARK(BM_ReadPollFullReport);

// The simulated meter read at the reader's rhythm: one poll per 70 ms of meter time.
// The counter is simulated hours per wall-clock second.
void BM_EmulatorThroughput(benchmark::State& state) {
    OpenBridge b;
    std::vector<std::uint8_t> buffer(2048);
    std::uint64_t simulatedUs = 0;
    for (auto _ : state) {
        b.bus.clock().advanceUs(70000);
        simulatedUs += 70000;
        std::uint32_t n = 0;
        b.library.read(b.handle, buffer.data(), 2048, &n);
        benchmark::DoNotOptimize(n);
    }
    state.counters["sim_hours_per_s"] =
        benchmark::Counter(static_cast<double>(simulatedUs) / 3.6e9, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EmulatorThroughput);

} // namespace

BENCHMARK_MAIN();
