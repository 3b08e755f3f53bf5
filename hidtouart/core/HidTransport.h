#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hidtouart {

// What enumeration tells about one HID device. A string the device does not give
// (or that cannot be read) is absent.
struct HidDeviceInfo {
    std::string path; // the key to open it by; on Linux the hidraw devnode
    bool pathReadable = true;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::optional<std::string> serial;
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
};

// One opened HID device. Byte 0 of every report buffer is the report ID and counts
// in the lengths. A device must allow readReport on one thread while another thread
// waits to use it (callers serialise the calls themselves).
class HidDevice {
public:
    virtual ~HidDevice() = default;

    // data[0] holds the report ID on entry. Returns the bytes received (report ID
    // included) or -1 when the device refused the report or is gone.
    virtual int getFeatureReport(std::uint8_t* data, std::size_t length) = 0;
    // Returns the bytes sent or -1.
    virtual int sendFeatureReport(const std::uint8_t* data, std::size_t length) = 0;
    // One interrupt IN report: the bytes read (report ID first), 0 when none came
    // within timeoutMs (0 = do not wait), -1 on error or when the device is gone.
    // A transport whose time does not run by itself may return 0 at once: callers
    // take a 0 as "the time-out has passed".
    virtual int readReport(std::uint8_t* data, std::size_t length, int timeoutMs) = 0;
    // One interrupt OUT report; the bytes sent or -1.
    virtual int writeReport(const std::uint8_t* data, std::size_t length) = 0;
};

// Finds and opens HID devices.
class HidTransport {
public:
    virtual ~HidTransport() = default;

    // Devices with this vendor and product ID (0 matches any), in a stable order.
    virtual std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId,
                                                 std::uint16_t productId) = 0;
    // nullptr when the device cannot be opened.
    virtual std::unique_ptr<HidDevice> open(const std::string& path) = 0;
};

} // namespace hidtouart
