#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace hidtouart {

// What the meter's LCD shows at one moment: everything one frame carries.
struct MeterDisplay {
    bool hold = false;
    bool relative = false;
    bool lcr = true;
    bool autoRange = true;
    bool parallel = false;
    std::uint8_t battery = 3;   // 0..3
    std::uint8_t frequency = 2; // 0 100 Hz, 1 120 Hz, 2 1 kHz, 3 10 kHz, 4 100 kHz
    std::uint8_t tolerance = 0; // 0 sorting off, 3..10 the bands
    std::uint8_t primaryMode = 2; // 1 L, 2 C, 3 R, 4 DCR
    std::uint16_t primaryCount = 0;
    std::uint8_t primaryPoint = 0;
    std::uint8_t primaryUnit = 0;   // unit code
    std::uint8_t primaryStatus = 0; // 0 value, 1 blank, 2 dashes, 3 OL, 7 pass, 8 fail, 9 open, 10 short
    std::uint8_t secondaryMode = 0; // 1 D, 2 Q, 3 ESR/Rp, 4 theta
    std::uint16_t secondaryCount = 0;
    std::uint8_t secondaryPoint = 0;
    std::uint8_t secondaryUnit = 0;
    std::uint8_t secondaryStatus = 1;
};

inline constexpr std::size_t meterFrameSize = 17;
using MeterFrame = std::array<std::uint8_t, meterFrameSize>;

// The meter's frame: 0x00 0x0D, 13 payload bytes, 0x0D 0x0A. Counts are 16-bit
// big-endian; bit 7 of P7 and P12 stays clear: both displays count to 20000.
MeterFrame encodeMeterFrame(const MeterDisplay& display);

// One step of a scenario: what the display shows for a number of frames, with the
// primary count wandering by up to `noise` counts either way.
struct ScenarioStep {
    std::string name;
    int frames = 4;
    int noise = 0;
    MeterDisplay display;
};

// The built-in walk through what the display can show: C, L, R, DCR with their
// secondary parameters, parallel C at 120 Hz, overload, open and short leads, dashes,
// sorting with PASS/FAIL over every band, HOLD, relative, Auto and manual ranging,
// battery 3 to 0, every test frequency and ranges across decimal points 0 to 4.
const std::vector<ScenarioStep>& defaultScenario();

// Frames of a scenario, looping; the same seed gives the same noise.
class MeterModel {
public:
    explicit MeterModel(std::uint32_t seed = 1,
                        const std::vector<ScenarioStep>* steps = &defaultScenario());

    // Frame number `index` since the meter was switched on.
    MeterDisplay display(std::uint64_t index) const;
    MeterFrame frame(std::uint64_t index) const { return encodeMeterFrame(display(index)); }
    // The step that frame `index` belongs to.
    std::size_t stepOf(std::uint64_t index) const;
    std::uint64_t framesPerLoop() const { return m_loopFrames; }
    const std::vector<ScenarioStep>& steps() const { return *m_steps; }
    // A deterministic pseudo-random number for (seed, index, salt).
    std::uint64_t hash(std::uint64_t index, std::uint64_t salt) const;

private:
    std::uint32_t m_seed;
    const std::vector<ScenarioStep>* m_steps;
    std::uint64_t m_loopFrames = 0;
};

} // namespace hidtouart
