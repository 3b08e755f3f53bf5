#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>

namespace hidtouart {

// Simulated time in microseconds for the emulated bridges and meters. Runs with the
// real clock by default; in manual mode it moves only through advance(), so tests
// run hours of meter output in milliseconds. Switching modes never makes time go back.
// Thread-safe.
class SimClock {
public:
    using Steady = std::chrono::steady_clock;

    SimClock();

    std::uint64_t nowUs() const;
    bool manual() const;
    void setManual(bool manual);
    // Moves manual time forward; ignored on the real clock.
    void advanceUs(std::uint64_t us);
    // The real instant at which the real clock reaches this simulated time.
    Steady::time_point steadyAt(std::uint64_t simUs) const;

private:
    std::uint64_t realNowLocked() const;

    mutable std::mutex m_mutex;
    Steady::time_point m_epoch;
    bool m_manual = false;
    std::uint64_t m_manualUs = 0;
    std::uint64_t m_realOffsetUs = 0; // added to the real elapsed time
};

} // namespace hidtouart
