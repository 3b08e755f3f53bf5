#include "SimFixture.h"

#include "FrameAssembler.h"
#include "FrameDecoder.h"
#include "MeterModel.h"
#include "MeterSource.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>

using hidtouart::MeterDisplay;
using hidtouart::MeterModel;

namespace {

// The meter's output read through the library as the link reads it, decoded by the
// meter core, frame by frame.
std::vector<MeterReading> readFrames(hidtouart::HidUartLibrary& library, void* handle,
                                     std::uint64_t milliseconds,
                                     const std::function<void(std::uint64_t)>& advance) {
    std::vector<MeterReading> readings;
    FrameAssembler assembler;
    MeterReading reading;
    for (std::uint64_t t = 0; t < milliseconds; t += 70) {
        advance(70);
        std::uint8_t buffer[2048];
        std::uint32_t n = 0;
        library.read(handle, buffer, sizeof buffer, &n);
        assembler.append(buffer, n);
        FramePayload payload;
        while (assembler.takeOldest(&payload)) {
            decodePayload(payload, QLatin1Char('.'), &reading);
            readings.push_back(reading);
        }
    }
    return readings;
}

} // namespace

using SimulatedMeter = SimFixture;

// Every frame that reaches the program says what the meter model says the display
// shows at that moment, field by field, over a whole loop of the scenario.
TEST_F(SimulatedMeter, EveryFrameDecodesToTheDisplayTheScenarioClaims) {
    void* handle = openFirst();
    const MeterModel model(1);
    const std::uint64_t loopMs = model.framesPerLoop() * 500 + 2000;
    const auto readings =
        readFrames(library, handle, loopMs, [this](std::uint64_t ms) { advanceMs(ms); });
    ASSERT_GE(readings.size(), model.framesPerLoop());

    // The first frame read is the first the meter sent after the open; find it in the loop.
    std::uint64_t first = 0;
    const auto matches = [&](const MeterReading& r, const MeterDisplay& d) {
        return r.primaryMode == d.primaryMode && r.primaryCount == d.primaryCount &&
               r.primaryStatus == d.primaryStatus && r.secondaryMode == d.secondaryMode &&
               r.frequency == d.frequency && r.battery == d.battery &&
               r.tolerance == d.tolerance && r.hold == d.hold && r.relative == d.relative &&
               r.autoMode == d.autoRange && r.lcrMode == d.lcr && r.parallel == d.parallel &&
               r.primaryPoint == d.primaryPoint && r.primaryUnit == d.primaryUnit &&
               r.secondaryCount == d.secondaryCount && r.secondaryStatus == d.secondaryStatus;
    };
    while (first < 20 && !matches(readings[0], model.display(first))) {
        ++first;
    }
    ASSERT_LT(first, 20u) << "the first frame read is one of the meter's first";
    for (std::size_t i = 0; i < model.framesPerLoop(); ++i) {
        const auto& step = model.steps()[model.stepOf(first + i)];
        ASSERT_TRUE(matches(readings[i], model.display(first + i)))
            << "frame " << i << " of step \"" << step.name << "\"";
    }
    library.close(handle);
}

// What a scenario step shows, as the decoded reading tells it.
struct StepCase {
    const char* step;
    std::function<bool(const MeterReading&)> shows;
};

TEST_F(SimulatedMeter, TheScenarioWalksThroughWhatTheDisplayCanShow) {
    const MeterModel model(1);
    std::map<std::string, std::vector<MeterReading>> byStep;
    MeterReading reading;
    for (std::uint64_t i = 0; i < model.framesPerLoop(); ++i) {
        const auto frame = model.frame(i);
        ASSERT_EQ(frame[0], 0x00);
        ASSERT_EQ(frame[1], 0x0D);
        ASSERT_EQ(frame[15], 0x0D);
        ASSERT_EQ(frame[16], 0x0A);
        FramePayload payload;
        std::copy(frame.begin() + 2, frame.begin() + 15, payload.begin());
        decodePayload(payload, QLatin1Char('.'), &reading);
        byStep[model.steps()[model.stepOf(i)].name].push_back(reading);
    }
    const auto all = [&](const char* name, const std::function<bool(const MeterReading&)>& f) {
        const auto it = byStep.find(name);
        if (it == byStep.end()) {
            return false;
        }
        return std::all_of(it->second.begin(), it->second.end(), f);
    };
    const std::vector<StepCase> cases{
        {"C with D", [](const MeterReading& r) { return r.primaryMode == 2 && r.secondaryMode == 1; }},
        {"L with Q", [](const MeterReading& r) { return r.primaryMode == 1 && r.secondaryMode == 2; }},
        {"R with theta", [](const MeterReading& r) { return r.primaryMode == 3 && r.secondaryMode == 4; }},
        {"DCR", [](const MeterReading& r) { return r.primaryMode == 4; }},
        {"Cp at 120 Hz", [](const MeterReading& r) { return r.parallel && r.frequency == 1 && r.primaryMode == 2; }},
        {"overload", [](const MeterReading& r) { return r.primaryStatus == dsOverload; }},
        {"open leads", [](const MeterReading& r) { return r.primaryStatus == dsOpen; }},
        {"short leads", [](const MeterReading& r) { return r.primaryStatus == dsShort; }},
        {"dashes", [](const MeterReading& r) { return r.primaryStatus == dsDashes; }},
        {"HOLD", [](const MeterReading& r) { return r.hold; }},
        {"relative", [](const MeterReading& r) { return r.relative; }},
        {"manual range", [](const MeterReading& r) { return !r.autoMode; }},
        {"battery 0", [](const MeterReading& r) { return r.battery == 0; }},
        {"battery 3", [](const MeterReading& r) { return r.battery == 3; }},
        {"C at 100 kHz", [](const MeterReading& r) { return r.frequency == 4; }},
        {"R point 4", [](const MeterReading& r) { return r.primaryPoint == 4; }},
        {"R point 0", [](const MeterReading& r) { return r.primaryPoint == 0; }},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(all(c.step, c.shows)) << c.step;
    }
    // Sorting over every band, the secondary display passing and failing.
    std::set<int> bands;
    bool pass = false, fail = false;
    for (const auto& [name, readings] : byStep) {
        for (const auto& r : readings) {
            if (r.tolerance >= 3) {
                bands.insert(r.tolerance);
                pass = pass || r.secondaryStatus == dsPass;
                fail = fail || r.secondaryStatus == dsFail;
            }
        }
    }
    EXPECT_EQ(bands.size(), 8u);
    EXPECT_TRUE(pass);
    EXPECT_TRUE(fail);
    // Noise: the capacitance wanders, so a change-only log has something to record.
    std::set<int> counts;
    for (const auto& r : byStep["C with D"]) {
        counts.insert(r.primaryCount);
    }
    EXPECT_GT(counts.size(), 1u);
}

TEST_F(SimulatedMeter, FramesComeAtTheMetersPace) {
    void* handle = openFirst();
    const auto readings = readFrames(library, handle, 60 * 1000,
                                     [this](std::uint64_t ms) { advanceMs(ms); });
    // About one frame every half second.
    EXPECT_GE(readings.size(), 115u);
    EXPECT_LE(readings.size(), 125u);
    library.close(handle);
}

TEST_F(SimulatedMeter, ACaptureFileIsSentAsTheMeterSentIt) {
    const std::string path = ::testing::TempDir() + "/capture.bin";
    MeterDisplay d;
    d.primaryMode = 3;
    d.primaryCount = 4242;
    d.primaryPoint = 2;
    const auto frame = hidtouart::encodeMeterFrame(d);
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(frame.data(), 1, frame.size(), file);
        std::fclose(file);
    }
    ASSERT_TRUE(bus.setSource("SIM0001", path));
    EXPECT_FALSE(bus.setSource("SIM0001", "/nonexistent/capture.bin"));
    void* handle = openFirst();
    const auto readings = readFrames(library, handle, 3000,
                                     [this](std::uint64_t ms) { advanceMs(ms); });
    ASSERT_GE(readings.size(), 4u);
    for (const auto& r : readings) {
        EXPECT_EQ(r.primaryCount, 4242);
        EXPECT_EQ(r.primaryText, "42.42");
    }
    library.close(handle);
}
