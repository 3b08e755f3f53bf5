#include "MeterModel.h"

namespace hidtouart {

namespace {

// Unit codes of the displays.
enum : std::uint8_t {
    uNone = 0, uOhm = 1, uKOhm = 2, uMOhm = 3, uuH = 5, umH = 6, uH = 7, ukH = 8,
    upF = 9, unF = 10, uuF = 11, umF = 12, uPercent = 13, uDeg = 14,
};
enum : std::uint8_t { mNone = 0, mL = 1, mC = 2, mR = 3, mDcr = 4 };
enum : std::uint8_t { sNone = 0, sD = 1, sQ = 2, sEsr = 3, sTheta = 4 };
enum : std::uint8_t {
    stValue = 0, stBlank = 1, stDashes = 2, stOverload = 3, stPass = 7, stFail = 8,
    stOpen = 9, stShort = 10,
};

MeterDisplay primary(std::uint8_t mode, std::uint16_t count, std::uint8_t point,
                     std::uint8_t unit) {
    MeterDisplay d;
    d.primaryMode = mode;
    d.primaryCount = count;
    d.primaryPoint = point;
    d.primaryUnit = unit;
    d.primaryStatus = stValue;
    return d;
}

MeterDisplay withSecondary(MeterDisplay d, std::uint8_t mode, std::uint16_t count,
                           std::uint8_t point, std::uint8_t unit) {
    d.secondaryMode = mode;
    d.secondaryCount = count;
    d.secondaryPoint = point;
    d.secondaryUnit = unit;
    d.secondaryStatus = stValue;
    return d;
}

// A 10 nF capacitor at 1 kHz: the display most steps vary.
MeterDisplay capacitor() { return withSecondary(primary(mC, 12345, 2, unF), sD, 291, 4, uNone); }

std::vector<ScenarioStep> buildScenario() {
    std::vector<ScenarioStep> s;
    auto add = [&](std::string name, MeterDisplay d, int noise = 0, int frames = 4) {
        s.push_back({std::move(name), frames, noise, d});
    };
    add("C with D", capacitor(), 3, 6);
    add("L with Q", withSecondary(primary(mL, 4700, 3, umH), sQ, 125, 1, uNone), 2);
    add("R with theta", withSecondary(primary(mR, 9981, 1, uOhm), sTheta, 12, 1, uDeg), 1);
    add("R with ESR", withSecondary(primary(mR, 1502, 2, uKOhm), sEsr, 47, 2, uOhm), 1);
    {
        MeterDisplay d = primary(mDcr, 4990, 2, uKOhm);
        add("DCR", d, 1);
    }
    {
        MeterDisplay d = withSecondary(primary(mC, 22012, 1, uuF), sEsr, 153, 1, uKOhm);
        d.parallel = true;
        d.frequency = 1;
        add("Cp at 120 Hz", d, 2);
    }
    const char* frequencies[] = {"100 Hz", "120 Hz", "1 kHz", "10 kHz", "100 kHz"};
    for (std::uint8_t f = 0; f < 5; ++f) {
        MeterDisplay d = capacitor();
        d.frequency = f;
        add(std::string("C at ") + frequencies[f], d, 2, 2);
    }
    {
        MeterDisplay d = capacitor();
        d.primaryStatus = stOverload;
        d.secondaryStatus = stBlank;
        add("overload", d);
        d.primaryStatus = stOpen;
        add("open leads", d);
        d.primaryStatus = stShort;
        add("short leads", d);
        d.primaryStatus = stDashes;
        d.secondaryStatus = stDashes;
        add("dashes", d);
    }
    // Sorting: the primary shows the value, the secondary PASS or FAIL.
    const char* bands[] = {"0.25 %", "0.5 %", "1 %", "2 %", "5 %", "10 %", "20 %", "-20/+80 %"};
    for (std::uint8_t t = 3; t <= 10; ++t) {
        MeterDisplay d = capacitor();
        d.tolerance = t;
        const bool pass = t % 3 != 1; // 4, 7 and 10 fail
        d.secondaryMode = sNone;
        d.secondaryStatus = pass ? stPass : stFail;
        add(std::string("sorting ") + bands[t - 3] + (pass ? " PASS" : " FAIL"), d, 0, 2);
    }
    {
        MeterDisplay d = capacitor();
        d.hold = true;
        add("HOLD", d);
        d = withSecondary(primary(mC, 25, 2, unF), sD, 3, 4, uNone);
        d.relative = true;
        add("relative", d, 2);
        d = capacitor();
        d.lcr = false;
        add("Auto without LCR", d, 1);
        d.autoRange = false;
        add("manual range", d, 1);
    }
    for (int b = 3; b >= 0; --b) {
        MeterDisplay d = capacitor();
        d.battery = static_cast<std::uint8_t>(b);
        add("battery " + std::to_string(b), d, 0, 2);
    }
    // Ranging down a resistor decade by decade: the decimal point walks 4..0.
    for (int p = 4; p >= 0; --p) {
        MeterDisplay d = primary(mR, 12345, static_cast<std::uint8_t>(p), uOhm);
        d.secondaryStatus = stBlank;
        add("R point " + std::to_string(p), d, 0, 2);
    }
    return s;
}

} // namespace

MeterFrame encodeMeterFrame(const MeterDisplay& d) {
    MeterFrame f{};
    f[0] = 0x00;
    f[1] = 0x0D;
    f[2] = static_cast<std::uint8_t>((d.hold ? 0x01 : 0) | (d.relative ? 0x04 : 0) |
                                     (d.lcr ? 0x20 : 0) | (d.autoRange ? 0x40 : 0) |
                                     (d.parallel ? 0x80 : 0));
    f[3] = static_cast<std::uint8_t>((d.frequency & 0x07) << 5 | (d.battery & 0x03) << 3);
    f[4] = static_cast<std::uint8_t>(d.tolerance & 0x0F);
    f[5] = static_cast<std::uint8_t>(d.primaryMode & 0x07);
    f[6] = static_cast<std::uint8_t>(d.primaryCount >> 8);
    f[7] = static_cast<std::uint8_t>(d.primaryCount);
    f[8] = static_cast<std::uint8_t>((d.primaryUnit & 0x1F) << 3 | (d.primaryPoint & 0x07));
    f[9] = static_cast<std::uint8_t>(d.primaryStatus & 0x1F);
    f[10] = static_cast<std::uint8_t>(d.secondaryMode & 0x07);
    f[11] = static_cast<std::uint8_t>(d.secondaryCount >> 8);
    f[12] = static_cast<std::uint8_t>(d.secondaryCount);
    f[13] = static_cast<std::uint8_t>((d.secondaryUnit & 0x1F) << 3 | (d.secondaryPoint & 0x07));
    f[14] = static_cast<std::uint8_t>(d.secondaryStatus & 0x1F);
    f[15] = 0x0D;
    f[16] = 0x0A;
    return f;
}

const std::vector<ScenarioStep>& defaultScenario() {
    static const std::vector<ScenarioStep> steps = buildScenario();
    return steps;
}

MeterModel::MeterModel(std::uint32_t seed, const std::vector<ScenarioStep>* steps)
    : m_seed(seed), m_steps(steps) {
    for (const auto& step : *m_steps) {
        m_loopFrames += static_cast<std::uint64_t>(step.frames);
    }
}

std::uint64_t MeterModel::hash(std::uint64_t index, std::uint64_t salt) const {
    // splitmix64 over (seed, index, salt)
    std::uint64_t z = (static_cast<std::uint64_t>(m_seed) << 40) ^ index ^ (salt << 20);
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::size_t MeterModel::stepOf(std::uint64_t index) const {
    std::uint64_t at = m_loopFrames ? index % m_loopFrames : 0;
    for (std::size_t i = 0; i < m_steps->size(); ++i) {
        const auto frames = static_cast<std::uint64_t>((*m_steps)[i].frames);
        if (at < frames) {
            return i;
        }
        at -= frames;
    }
    return 0;
}

MeterDisplay MeterModel::display(std::uint64_t index) const {
    if (m_steps->empty()) {
        return {};
    }
    const ScenarioStep& step = (*m_steps)[stepOf(index)];
    MeterDisplay d = step.display;
    if (step.noise > 0) {
        const auto span = static_cast<std::uint64_t>(2 * step.noise + 1);
        const int delta = static_cast<int>(hash(index, 0x0153) % span) - step.noise;
        d.primaryCount = static_cast<std::uint16_t>(d.primaryCount + delta);
    }
    return d;
}

} // namespace hidtouart
