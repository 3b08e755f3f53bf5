#pragma once

#include "HidTransport.h"

#include <string>

namespace hidtouart {

// Real bridges through hidapi's hidraw backend. A device path is the hidraw devnode
// (/dev/hidrawN), the same path the udev monitor reports.
class HidapiTransport : public HidTransport {
public:
    HidapiTransport();
    // Releases what hidapi holds (its udev context among it), so a program that loads and
    // unloads the library again and again does not leak each time.
    ~HidapiTransport() override;

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;

    bool initialised() const { return m_initialised; }

private:
    bool m_initialised;
};

// A device's wide string as UTF-8; what a device sends is untrusted, so code points
// that UTF-8 cannot carry become U+FFFD. Nothing for a null pointer.
std::optional<std::string> wideToUtf8(const wchar_t* text, std::size_t maxChars = 1024);

} // namespace hidtouart
