#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The CP2110's HID reports: IDs, lengths and the layout of their fields. Every
// function that reads a report takes what came from a device as untrusted bytes.
namespace hidtouart::cp2110 {

inline constexpr std::uint16_t siliconVendorId = 0x10C4;
inline constexpr std::uint16_t cp2110ProductId = 0xEA80;
inline constexpr std::uint16_t cp2114ProductId = 0xEAB0;
inline constexpr std::uint8_t cp2110PartNumber = 0x0A;
inline constexpr std::uint8_t cp2114PartNumber = 0x0E;

inline constexpr std::size_t maxReportSize = 64;
inline constexpr std::size_t maxUartDataPerReport = 63; // interrupt report ID = data count

enum ReportId : std::uint8_t {
    ridReset = 0x40,
    ridUartEnable = 0x41,
    ridUartStatus = 0x42,
    ridPurgeFifos = 0x43,
    ridGetGpio = 0x44,
    ridSetGpio = 0x45,
    ridVersion = 0x46,
    ridUartConfig = 0x50,
    ridUsbConfig = 0x60,
    ridManufacturer1 = 0x61,
    ridManufacturer2 = 0x62,
    ridProduct1 = 0x63,
    ridProduct2 = 0x64,
    ridSerial = 0x65,
    ridPinConfig = 0x66,
};

// Length of a feature report with this ID, report ID included; 0 for an ID that is
// no feature report of the chip.
std::size_t featureReportLength(std::uint8_t reportId);

inline constexpr std::uint8_t purgeTx = 0x01;
inline constexpr std::uint8_t purgeRx = 0x02;
inline constexpr std::uint8_t purgeBoth = 0x03;

// Chip line codes: parity 0..4, flow 0..1, data bits 0..3 (5..8 bits), stop 0..1.
struct UartConfig {
    std::uint32_t baudRate = 9600;
    std::uint8_t parity = 0;
    std::uint8_t flowControl = 0;
    std::uint8_t dataBits = 3;
    std::uint8_t stopBits = 0;

    bool operator==(const UartConfig&) const = default;
};

inline constexpr std::uint32_t minBaudRate = 300;
inline constexpr std::uint32_t maxBaudRate = 1000000;
// True when the chip accepts these settings.
bool isValidUartConfig(const UartConfig& config);

using UartConfigReport = std::array<std::uint8_t, 9>;
UartConfigReport encodeUartConfig(const UartConfig& config);
std::optional<UartConfig> parseUartConfig(std::span<const std::uint8_t> report);

struct Version {
    std::uint8_t partNumber = 0;
    std::uint8_t deviceVersion = 0;
};
std::optional<Version> parseVersion(std::span<const std::uint8_t> report);

// Pin configuration: 13 mode bytes (GPIO0..9, TX, Suspend, /Suspend), then the suspend
// latch, suspend mode (bit 15 = use the suspend values), RS-485 level, clock divider.
// 16-bit fields least-significant byte first.
struct PinConfig {
    std::array<std::uint8_t, 13> modes{};
    std::uint16_t suspendLatch = 0;
    std::uint16_t suspendMode = 0;
    std::uint8_t rs485Level = 0;
    std::uint8_t clockDivider = 0;

    bool operator==(const PinConfig&) const = default;
};
using PinConfigReport = std::array<std::uint8_t, 20>;
PinConfigReport encodePinConfig(const PinConfig& config);
std::optional<PinConfig> parsePinConfig(std::span<const std::uint8_t> report);

// A string report carries a USB string descriptor: length (bytes, itself included),
// 0x03, then UTF-16LE code units. Strings longer than a report span two reports.
std::optional<std::u16string> parseStringDescriptor(std::span<const std::uint8_t> descriptor);

// The UART data of an interrupt IN report: the report ID is the count of data bytes
// that follow (1..63). Empty for anything else (a report cut short yields the bytes
// actually present, never more than the ID claims).
std::span<const std::uint8_t> uartData(std::span<const std::uint8_t> report);

} // namespace hidtouart::cp2110
