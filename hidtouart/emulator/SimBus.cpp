#include "SimBus.h"

#include "MeterSource.h"

namespace hidtouart {

namespace {

// An open node of an emulated bridge.
class EmulatedDevice : public HidDevice {
public:
    EmulatedDevice(std::shared_ptr<Cp2110Emulator> chip, int handle)
        : m_chip(std::move(chip)), m_handle(handle) {}
    ~EmulatedDevice() override { m_chip->detach(m_handle); }

    int getFeatureReport(std::uint8_t* data, std::size_t length) override {
        return m_chip->getFeature(m_handle, data, length);
    }
    int sendFeatureReport(const std::uint8_t* data, std::size_t length) override {
        return m_chip->sendFeature(m_handle, data, length);
    }
    int readReport(std::uint8_t* data, std::size_t length, int timeoutMs) override {
        return m_chip->readReport(m_handle, data, length, timeoutMs);
    }
    int writeReport(const std::uint8_t* data, std::size_t length) override {
        return m_chip->writeReport(m_handle, data, length);
    }

private:
    std::shared_ptr<Cp2110Emulator> m_chip;
    int m_handle;
};

} // namespace

SimBus::SimBus() { reset(); }

std::unique_ptr<LineSource> SimBus::makeSource(const std::string& source, std::uint32_t seed) {
    const std::uint64_t now = m_clock.nowUs();
    if (source == "default") {
        return std::make_unique<MeterSource>(now, seed);
    }
    if (source == "none") {
        return std::make_unique<SilentSource>();
    }
    return CaptureSource::fromFile(source, now);
}

std::shared_ptr<Cp2110Emulator> SimBus::addBridge(const std::string& serial,
                                                  std::uint16_t productId,
                                                  std::uint16_t vendorId) {
    std::lock_guard lock(m_mutex);
    const auto seed = static_cast<std::uint32_t>(m_nextNode + 1);
    auto chip = std::make_shared<Cp2110Emulator>(&m_clock, serial, productId,
                                                 makeSource("default", seed));
    m_bridges.push_back({"/sim/hidraw" + std::to_string(m_nextNode++), vendorId, chip});
    return chip;
}

std::shared_ptr<Cp2110Emulator> SimBus::bridge(const std::string& serial) const {
    std::lock_guard lock(m_mutex);
    for (const auto& b : m_bridges) {
        if (b.chip->serial() == serial) {
            return b.chip;
        }
    }
    return nullptr;
}

std::string SimBus::pathOf(const std::string& serial) const {
    std::lock_guard lock(m_mutex);
    for (const auto& b : m_bridges) {
        if (b.chip->serial() == serial) {
            return b.path;
        }
    }
    return {};
}

bool SimBus::pull(const std::string& serial) {
    std::lock_guard lock(m_mutex);
    for (auto it = m_bridges.begin(); it != m_bridges.end(); ++it) {
        if (it->chip->serial() == serial) {
            it->chip->pull();
            m_bridges.erase(it);
            return true;
        }
    }
    return false;
}

void SimBus::reset() {
    {
        std::lock_guard lock(m_mutex);
        for (auto& b : m_bridges) {
            b.chip->pull();
        }
        m_bridges.clear();
    }
    m_clock.setManual(false);
    addBridge("SIM0001");
}

bool SimBus::setSource(const std::string& serial, const std::string& source) {
    const auto chip = bridge(serial);
    if (!chip) {
        return false;
    }
    std::unique_ptr<LineSource> line;
    {
        std::lock_guard lock(m_mutex);
        line = makeSource(source, static_cast<std::uint32_t>(m_nextNode + 1));
    }
    if (!line) {
        return false;
    }
    chip->setSource(std::move(line));
    return true;
}

std::vector<SimBus::Bridge> SimBus::bridges() const {
    std::lock_guard lock(m_mutex);
    return m_bridges;
}

std::vector<HidDeviceInfo> EmulatorTransport::enumerate(std::uint16_t vendorId,
                                                        std::uint16_t productId) {
    std::vector<HidDeviceInfo> list;
    for (const auto& b : m_bus->bridges()) {
        if ((vendorId != 0 && b.vendorId != vendorId) ||
            (productId != 0 && b.chip->productId() != productId) || !b.chip->present()) {
            continue;
        }
        HidDeviceInfo info;
        info.path = b.path;
        info.vendorId = b.vendorId;
        info.productId = b.chip->productId();
        info.manufacturer = b.chip->manufacturer();
        info.product = b.chip->product();
        if (b.chip->hasFault(SimFault::Strings)) {
            info.pathReadable = false;
        } else {
            info.serial = b.chip->serial();
        }
        list.push_back(std::move(info));
    }
    return list;
}

std::unique_ptr<HidDevice> EmulatorTransport::open(const std::string& path) {
    for (const auto& b : m_bus->bridges()) {
        if (b.path != path) {
            continue;
        }
        if (b.chip->hasFault(SimFault::Open)) {
            return nullptr;
        }
        const int handle = b.chip->attach();
        if (handle < 0) {
            return nullptr;
        }
        return std::make_unique<EmulatedDevice>(b.chip, handle);
    }
    return nullptr;
}

} // namespace hidtouart
