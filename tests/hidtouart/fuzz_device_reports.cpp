// What comes back from a HID device is untrusted: a device that answers every
// feature request and interrupt read with arbitrary bytes and lengths must never
// make the library read or write out of bounds, crash or hang.
#include "Cp2110Device.h"
#include "Cp2110Reports.h"
#include "HidapiTransport.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

// Plays back the fuzzer's bytes: each answer is one length byte, then that many bytes.
class ScriptedDevice : public hidtouart::HidDevice {
public:
    ScriptedDevice(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    int getFeatureReport(std::uint8_t* data, std::size_t length) override {
        return answer(data, length);
    }
    int sendFeatureReport(const std::uint8_t*, std::size_t length) override {
        const int n = next();
        return n < 0 ? -1 : (n % 4 == 0 ? -1 : static_cast<int>(length));
    }
    int readReport(std::uint8_t* data, std::size_t length, int) override {
        return answer(data, length);
    }
    int writeReport(const std::uint8_t*, std::size_t length) override {
        return static_cast<int>(length);
    }

private:
    int next() { return m_pos < m_size ? m_data[m_pos++] : -1; }
    int answer(std::uint8_t* data, std::size_t length) {
        const int claimed = next();
        if (claimed < 0 || claimed == 0xFF) {
            return claimed < 0 ? 0 : -1;
        }
        // A device may claim more than it may give; the transport caps it at length.
        const std::size_t n = std::min({static_cast<std::size_t>(claimed), length,
                                        m_size - m_pos});
        std::memcpy(data, m_data + m_pos, n);
        m_pos += n;
        return static_cast<int>(n);
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace hidtouart;
    // The parsers on their own, on the raw bytes.
    const std::span<const std::uint8_t> raw(data, size);
    (void)cp2110::uartData(raw);
    (void)cp2110::parseUartConfig(raw);
    (void)cp2110::parseVersion(raw);
    (void)cp2110::parsePinConfig(raw);
    (void)cp2110::parseStringDescriptor(raw);
    std::wstring wide;
    for (std::size_t i = 0; i + 3 < size && i < 64; i += 4) {
        std::uint32_t c;
        std::memcpy(&c, data + i, 4);
        wide.push_back(static_cast<wchar_t>(c == 0 ? 1 : c));
    }
    (void)wideToUtf8(wide.c_str());

    // The chip protocol over a device that says whatever the input says.
    HidDeviceInfo info;
    info.path = "/dev/hidraw-fuzz";
    std::unique_ptr<Cp2110Device> device;
    if (Cp2110Device::open(std::make_unique<ScriptedDevice>(data, size), info, &device) != 0) {
        return 0;
    }
    cp2110::Version version;
    device->partNumber(&version);
    cp2110::UartConfig config;
    device->uartConfig(&config);
    cp2110::PinConfig pins;
    device->pinConfig(&pins);
    std::uint16_t latch = 0;
    device->readLatch(&latch);
    std::uint8_t buffer[2048];
    std::uint32_t got = 0;
    for (std::uint32_t ask : {1u, 17u, 64u, 2048u}) {
        device->read(buffer, ask, &got);
        if (got > ask) {
            __builtin_trap();
        }
    }
    device->close();
    return 0;
}
