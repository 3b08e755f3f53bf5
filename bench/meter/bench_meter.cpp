// Frames per second through assembly, decoding and the record-row texts on one core.
#include "../../tests/meter/FrameBuilder.h"
#include "MeterStream.h"
#include "RecordRow.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

struct RowHooks : DecoderHooks {
    QDateTime now = QDateTime::currentDateTime();
    std::size_t chars = 0;
    void appendRecord(const MeterReading& reading) override {
        const RecordRowTexts row = recordRowTexts(reading, now, u':');
        chars += static_cast<std::size_t>(row.aMValue.size() + row.aTime.size());
    }
};

std::vector<std::uint8_t> makeStream(int frames) {
    std::mt19937 rng(1);
    std::vector<std::uint8_t> out;
    for (int i = 0; i < frames; ++i) {
        FrameFields f;
        f.primaryCount = static_cast<int>(rng() % 20000);
        f.secondaryCount = static_cast<int>(rng() % 2000);
        f.primaryPoint = static_cast<int>(rng() % 5);
        appendFrame(&out, makePayload(f));
    }
    return out;
}

// The stream cut into chunks of a given size, every complete frame taken out.
void BM_AssembleDecodeRecord(benchmark::State& state) {
    const int frames = 10000;
    const std::vector<std::uint8_t> stream = makeStream(frames);
    const std::size_t chunk = static_cast<std::size_t>(state.range(0));
    RowHooks hooks;
    MeterDecoder decoder(u'.', &hooks);
    MeterStream meter(&decoder);
    for (auto _ : state) {
        for (std::size_t pos = 0; pos < stream.size(); pos += chunk) {
            const std::size_t n = std::min(chunk, stream.size() - pos);
            meter.serialChunk(stream.data() + pos, static_cast<std::uint32_t>(n));
            while (meter.extractFrame()) {
            }
        }
    }
    benchmark::DoNotOptimize(hooks.chars);
    state.SetItemsProcessed(state.iterations() * frames);
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AssembleDecodeRecord)->Arg(7)->Arg(64)->Arg(2048);

// Decoding alone (no row texts), for comparison.
void BM_DecodeOnly(benchmark::State& state) {
    const FramePayload p = makePayload(FrameFields{});
    MeterDecoder decoder(u'.');
    for (auto _ : state) {
        decoder.decodeFrame(p);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeOnly);

} // namespace

BENCHMARK_MAIN();
