#pragma once

#include "LineSource.h"
#include "MeterModel.h"

namespace hidtouart {

// The simulated meter on the line: one frame about every half second (the period
// wanders by a few tens of milliseconds, as the meter's own timing does), each sent
// at 9600 baud, so report and read boundaries fall anywhere in the frames.
class MeterSource : public LineSource {
public:
    static constexpr std::uint64_t framePeriodUs = 500000;
    static constexpr std::uint64_t maxJitterUs = 40000;

    MeterSource(std::uint64_t originUs, std::uint32_t seed);

    std::optional<std::uint64_t> nextStartUs() const override;
    LineBurst takeBurst() override;

    const MeterModel& model() const { return m_model; }
    std::uint64_t framesSent() const { return m_index; }
    // When frame `index` starts on the line.
    std::uint64_t frameStartUs(std::uint64_t index) const;

private:
    MeterModel m_model;
    std::uint64_t m_originUs;
    std::uint64_t m_index = 0;
};

} // namespace hidtouart
