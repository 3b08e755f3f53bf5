#include "MeterSource.h"

namespace hidtouart {

MeterSource::MeterSource(std::uint64_t originUs, std::uint32_t seed)
    : m_model(seed), m_originUs(originUs) {}

std::uint64_t MeterSource::frameStartUs(std::uint64_t index) const {
    return m_originUs + index * framePeriodUs + m_model.hash(index, 0x4a17) % maxJitterUs;
}

std::optional<std::uint64_t> MeterSource::nextStartUs() const { return frameStartUs(m_index); }

LineBurst MeterSource::takeBurst() {
    const MeterFrame f = m_model.frame(m_index);
    LineBurst burst{frameStartUs(m_index), std::vector<std::uint8_t>(f.begin(), f.end())};
    ++m_index;
    return burst;
}

} // namespace hidtouart
