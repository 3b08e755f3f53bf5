#include "Cp2110Reports.h"

#include <algorithm>

namespace hidtouart::cp2110 {

std::size_t featureReportLength(std::uint8_t reportId) {
    switch (reportId) {
    case ridReset:
    case ridUartEnable:
    case ridPurgeFifos:
        return 2;
    case ridUartStatus:
        return 7;
    case ridGetGpio:
        return 3;
    case ridSetGpio:
        return 5;
    case ridVersion:
        return 3;
    case ridUartConfig:
        return 9;
    case ridUsbConfig:
        return 11;
    case ridManufacturer1:
    case ridManufacturer2:
    case ridProduct1:
    case ridProduct2:
    case ridSerial:
        return maxReportSize;
    case ridPinConfig:
        return 20;
    default:
        return 0;
    }
}

bool isValidUartConfig(const UartConfig& c) {
    return c.baudRate >= minBaudRate && c.baudRate <= maxBaudRate && c.parity <= 4 &&
           c.flowControl <= 1 && c.dataBits <= 3 && c.stopBits <= 1;
}

UartConfigReport encodeUartConfig(const UartConfig& c) {
    // The baud rate is the one big-endian field of the chip.
    return {ridUartConfig,
            static_cast<std::uint8_t>(c.baudRate >> 24),
            static_cast<std::uint8_t>(c.baudRate >> 16),
            static_cast<std::uint8_t>(c.baudRate >> 8),
            static_cast<std::uint8_t>(c.baudRate),
            c.parity,
            c.flowControl,
            c.dataBits,
            c.stopBits};
}

std::optional<UartConfig> parseUartConfig(std::span<const std::uint8_t> r) {
    if (r.size() < 9 || r[0] != ridUartConfig) {
        return std::nullopt;
    }
    UartConfig c;
    c.baudRate = static_cast<std::uint32_t>(r[1]) << 24 | static_cast<std::uint32_t>(r[2]) << 16 |
                 static_cast<std::uint32_t>(r[3]) << 8 | r[4];
    c.parity = r[5];
    c.flowControl = r[6];
    c.dataBits = r[7];
    c.stopBits = r[8];
    return c;
}

std::optional<Version> parseVersion(std::span<const std::uint8_t> r) {
    if (r.size() < 3 || r[0] != ridVersion) {
        return std::nullopt;
    }
    return Version{r[1], r[2]};
}

PinConfigReport encodePinConfig(const PinConfig& c) {
    PinConfigReport r{};
    r[0] = ridPinConfig;
    std::copy(c.modes.begin(), c.modes.end(), r.begin() + 1);
    r[14] = static_cast<std::uint8_t>(c.suspendLatch);
    r[15] = static_cast<std::uint8_t>(c.suspendLatch >> 8);
    r[16] = static_cast<std::uint8_t>(c.suspendMode);
    r[17] = static_cast<std::uint8_t>(c.suspendMode >> 8);
    r[18] = c.rs485Level;
    r[19] = c.clockDivider;
    return r;
}

std::optional<PinConfig> parsePinConfig(std::span<const std::uint8_t> r) {
    if (r.size() < 20 || r[0] != ridPinConfig) {
        return std::nullopt;
    }
    PinConfig c;
    std::copy(r.begin() + 1, r.begin() + 14, c.modes.begin());
    c.suspendLatch = static_cast<std::uint16_t>(r[14] | r[15] << 8);
    c.suspendMode = static_cast<std::uint16_t>(r[16] | r[17] << 8);
    c.rs485Level = r[18];
    c.clockDivider = r[19];
    return c;
}

std::optional<std::u16string> parseStringDescriptor(std::span<const std::uint8_t> d) {
    if (d.size() < 2 || d[1] != 0x03 || d[0] < 2 || d[0] > d.size() || d[0] % 2 != 0) {
        return std::nullopt;
    }
    std::u16string text;
    for (std::size_t i = 2; i + 1 < d[0]; i += 2) {
        text.push_back(static_cast<char16_t>(d[i] | d[i + 1] << 8));
    }
    return text;
}

std::span<const std::uint8_t> uartData(std::span<const std::uint8_t> report) {
    if (report.empty() || report[0] == 0 || report[0] > maxUartDataPerReport) {
        return {};
    }
    const std::size_t count = std::min<std::size_t>(report[0], report.size() - 1);
    return report.subspan(1, count);
}

} // namespace hidtouart::cp2110
