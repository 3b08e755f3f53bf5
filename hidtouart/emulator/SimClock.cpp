#include "SimClock.h"

namespace hidtouart {

SimClock::SimClock() : m_epoch(Steady::now()) {}

std::uint64_t SimClock::realNowLocked() const {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::microseconds>(Steady::now() - m_epoch).count();
    return static_cast<std::uint64_t>(elapsed) + m_realOffsetUs;
}

std::uint64_t SimClock::nowUs() const {
    std::lock_guard lock(m_mutex);
    return m_manual ? m_manualUs : realNowLocked();
}

bool SimClock::manual() const {
    std::lock_guard lock(m_mutex);
    return m_manual;
}

void SimClock::setManual(bool manual) {
    std::lock_guard lock(m_mutex);
    if (manual == m_manual) {
        return;
    }
    if (manual) {
        m_manualUs = realNowLocked();
    } else {
        m_epoch = Steady::now();
        m_realOffsetUs = m_manualUs;
    }
    m_manual = manual;
}

void SimClock::advanceUs(std::uint64_t us) {
    std::lock_guard lock(m_mutex);
    if (m_manual) {
        m_manualUs += us;
    }
}

SimClock::Steady::time_point SimClock::steadyAt(std::uint64_t simUs) const {
    std::lock_guard lock(m_mutex);
    const std::int64_t fromEpoch =
        static_cast<std::int64_t>(simUs) - static_cast<std::int64_t>(m_realOffsetUs);
    return m_epoch + std::chrono::microseconds(fromEpoch);
}

} // namespace hidtouart
