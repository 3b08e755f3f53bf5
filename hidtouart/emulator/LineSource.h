#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hidtouart {

// A run of bytes sent back to back on the serial line, from startUs on.
struct LineBurst {
    std::uint64_t startUs = 0;
    std::vector<std::uint8_t> bytes;
};

// What drives the emulated bridge's RX line: the simulated meter, a capture, nothing.
// Bursts come in time order.
class LineSource {
public:
    virtual ~LineSource() = default;
    // Start of the next burst, or nothing when the source has finished.
    virtual std::optional<std::uint64_t> nextStartUs() const = 0;
    virtual LineBurst takeBurst() = 0;
};

// The meter's line: 9600 baud, 8 data bits, no parity, 1 stop bit.
inline constexpr std::uint32_t meterBaudRate = 9600;
inline constexpr std::uint32_t bitsPerByte = 10; // start, 8 data, stop
// Time from the start of a burst until byte `index` of it has been received.
inline std::uint64_t byteDoneUs(std::size_t index) {
    return (static_cast<std::uint64_t>(index) + 1) * bitsPerByte * 1000000 / meterBaudRate;
}

// A source that never sends.
class SilentSource : public LineSource {
public:
    std::optional<std::uint64_t> nextStartUs() const override { return std::nullopt; }
    LineBurst takeBurst() override { return {}; }
};

// A raw capture of a meter's line, sent in 17-byte pieces at the meter's frame
// period, over and over, so a demo runs on it for as long as it likes.
class CaptureSource : public LineSource {
public:
    CaptureSource(std::vector<std::uint8_t> bytes, std::uint64_t originUs);
    // nullptr when the file cannot be read or is empty.
    static std::unique_ptr<CaptureSource> fromFile(const std::string& path, std::uint64_t originUs);

    std::optional<std::uint64_t> nextStartUs() const override;
    LineBurst takeBurst() override;

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_originUs;
    std::uint64_t m_piece = 0;
    std::size_t m_offset = 0;
};

} // namespace hidtouart
