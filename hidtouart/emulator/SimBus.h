#pragma once

#include "Cp2110Emulator.h"
#include "HidTransport.h"
#include "SimClock.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace hidtouart {

// The simulated USB bus: the emulated bridges plugged in, each fed by its own
// simulated meter, and the clock they share. Thread-safe.
class SimBus {
public:
    struct Bridge {
        std::string path; // like a hidraw devnode; never reused on this bus
        std::uint16_t vendorId;
        std::shared_ptr<Cp2110Emulator> chip;
    };

    SimBus();

    SimClock& clock() { return m_clock; }

    // Plugs in a bridge fed by the default meter scenario. A vendor ID other than the
    // bridge's makes it stand for an unrelated HID device.
    std::shared_ptr<Cp2110Emulator> addBridge(const std::string& serial,
                                              std::uint16_t productId = 0xEA80,
                                              std::uint16_t vendorId = 0x10C4);
    // The first bridge present with this serial, or nullptr.
    std::shared_ptr<Cp2110Emulator> bridge(const std::string& serial) const;
    std::string pathOf(const std::string& serial) const;
    // Pulls the bridge: it leaves the bus and its open handles fail. False if absent.
    bool pull(const std::string& serial);
    // Pulls every bridge; then one bridge "SIM0001" and the real clock again.
    void reset();
    // Replaces a bridge's line source: "default" (the meter scenario), "none"
    // (a silent meter) or the path of a raw capture file. False if either is unknown.
    bool setSource(const std::string& serial, const std::string& source);

    std::vector<Bridge> bridges() const;

private:
    std::unique_ptr<LineSource> makeSource(const std::string& source, std::uint32_t seed);

    SimClock m_clock;
    mutable std::mutex m_mutex;
    std::vector<Bridge> m_bridges;
    int m_nextNode = 0;
};

// The HID transport over a SimBus.
class EmulatorTransport : public HidTransport {
public:
    explicit EmulatorTransport(SimBus* bus) : m_bus(bus) {}

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;

private:
    SimBus* m_bus;
};

} // namespace hidtouart
