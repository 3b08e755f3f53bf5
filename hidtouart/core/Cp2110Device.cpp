#include "Cp2110Device.h"

#include "SLABHIDtoUART.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace hidtouart {

namespace {
using Clock = std::chrono::steady_clock;
// A device that keeps sending cannot hold the open hostage.
constexpr int maxDrainedReports = 4096;
} // namespace

Cp2110Device::Cp2110Device(std::unique_ptr<HidDevice> device, HidDeviceInfo info)
    : m_device(std::move(device)), m_info(std::move(info)) {}

Cp2110Device::~Cp2110Device() { close(); }

int Cp2110Device::open(std::unique_ptr<HidDevice> device, const HidDeviceInfo& info,
                       std::unique_ptr<Cp2110Device>* opened) {
    if (!device) {
        return HID_UART_DEVICE_ACCESS_ERROR;
    }
    std::unique_ptr<Cp2110Device> d(new Cp2110Device(std::move(device), info));
    const int status = d->handshake();
    if (status != HID_UART_SUCCESS) {
        d->m_device.reset(); // released without touching the chip again
        return status;
    }
    *opened = std::move(d);
    return HID_UART_SUCCESS;
}

// Version check, line settings set and read back, UART on, both FIFOs purged, and the
// reports already queued on the host drained, so the first read starts clean.
int Cp2110Device::handshake() {
    std::lock_guard lock(m_mutex);
    cp2110::Version version;
    std::array<std::uint8_t, 3> v{};
    if (int s = getFeature(cp2110::ridVersion, v.data(), v.size()); s != HID_UART_SUCCESS) {
        return s;
    }
    version = *cp2110::parseVersion(v);
    if (version.partNumber != cp2110::cp2110PartNumber &&
        version.partNumber != cp2110::cp2114PartNumber) {
        return HID_UART_DEVICE_NOT_SUPPORTED;
    }
    // The chip forgets its line settings at power-up: the meter's 9600 8-N-1.
    const cp2110::UartConfig line;
    const auto report = cp2110::encodeUartConfig(line);
    if (int s = setFeature(report.data(), report.size()); s != HID_UART_SUCCESS) {
        return s;
    }
    std::array<std::uint8_t, 9> back{};
    if (int s = getFeature(cp2110::ridUartConfig, back.data(), back.size());
        s != HID_UART_SUCCESS) {
        return s;
    }
    if (cp2110::parseUartConfig(back) != line) {
        return HID_UART_DEVICE_IO_FAILED;
    }
    if (int s = setByte(cp2110::ridUartEnable, 1); s != HID_UART_SUCCESS) {
        return s;
    }
    if (int s = setByte(cp2110::ridPurgeFifos, cp2110::purgeBoth); s != HID_UART_SUCCESS) {
        return s;
    }
    drainInput();
    return HID_UART_SUCCESS;
}

void Cp2110Device::drainInput() {
    std::array<std::uint8_t, cp2110::maxReportSize> report{};
    for (int i = 0; i < maxDrainedReports; ++i) {
        if (m_device->readReport(report.data(), report.size(), 0) <= 0) {
            break;
        }
    }
    m_fifo.clear();
}

int Cp2110Device::getFeature(std::uint8_t reportId, std::uint8_t* report, std::size_t length) {
    if (!m_device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    report[0] = reportId;
    const int got = m_device->getFeatureReport(report, length);
    if (got != static_cast<int>(length) || report[0] != reportId) {
        return HID_UART_DEVICE_IO_FAILED;
    }
    return HID_UART_SUCCESS;
}

int Cp2110Device::setFeature(const std::uint8_t* report, std::size_t length) {
    if (!m_device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    if (m_device->sendFeatureReport(report, length) != static_cast<int>(length)) {
        return HID_UART_DEVICE_IO_FAILED;
    }
    return HID_UART_SUCCESS;
}

int Cp2110Device::setByte(std::uint8_t reportId, std::uint8_t value) {
    const std::array<std::uint8_t, 2> report{reportId, value};
    return setFeature(report.data(), report.size());
}

int Cp2110Device::partNumber(cp2110::Version* version) {
    std::lock_guard lock(m_mutex);
    std::array<std::uint8_t, 3> v{};
    if (int s = getFeature(cp2110::ridVersion, v.data(), v.size()); s != HID_UART_SUCCESS) {
        return s;
    }
    *version = *cp2110::parseVersion(v);
    if (version->partNumber != cp2110::cp2110PartNumber &&
        version->partNumber != cp2110::cp2114PartNumber) {
        return HID_UART_DEVICE_NOT_SUPPORTED;
    }
    return HID_UART_SUCCESS;
}

int Cp2110Device::setUartConfig(const cp2110::UartConfig& config) {
    if (!cp2110::isValidUartConfig(config)) {
        return HID_UART_INVALID_PARAMETER;
    }
    std::lock_guard lock(m_mutex);
    const auto report = cp2110::encodeUartConfig(config);
    return setFeature(report.data(), report.size());
}

int Cp2110Device::uartConfig(cp2110::UartConfig* config) {
    std::lock_guard lock(m_mutex);
    std::array<std::uint8_t, 9> r{};
    if (int s = getFeature(cp2110::ridUartConfig, r.data(), r.size()); s != HID_UART_SUCCESS) {
        return s;
    }
    *config = *cp2110::parseUartConfig(r);
    return HID_UART_SUCCESS;
}

int Cp2110Device::pinConfig(cp2110::PinConfig* config) {
    std::lock_guard lock(m_mutex);
    cp2110::PinConfigReport r{};
    if (int s = getFeature(cp2110::ridPinConfig, r.data(), r.size()); s != HID_UART_SUCCESS) {
        return s;
    }
    *config = *cp2110::parsePinConfig(r);
    return HID_UART_SUCCESS;
}

int Cp2110Device::readLatch(std::uint16_t* latch) {
    std::lock_guard lock(m_mutex);
    std::array<std::uint8_t, 3> r{};
    if (int s = getFeature(cp2110::ridGetGpio, r.data(), r.size()); s != HID_UART_SUCCESS) {
        return s;
    }
    *latch = static_cast<std::uint16_t>(r[1] | r[2] << 8);
    return HID_UART_SUCCESS;
}

void Cp2110Device::setTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    std::lock_guard lock(m_mutex);
    m_readTimeoutMs = readMs;
    m_writeTimeoutMs = writeMs;
}

void Cp2110Device::take(std::span<const std::uint8_t> data, std::uint8_t* buffer,
                        std::uint32_t count, std::uint32_t* read) {
    const std::size_t direct = std::min<std::size_t>(data.size(), count - *read);
    std::copy_n(data.begin(), direct, buffer + *read);
    *read += static_cast<std::uint32_t>(direct);
    m_fifo.insert(m_fifo.end(), data.begin() + static_cast<std::ptrdiff_t>(direct), data.end());
}

int Cp2110Device::read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t* read) {
    *read = 0;
    if (count < 1 || count > HID_UART_MAX_READ_SIZE) {
        return HID_UART_INVALID_REQUEST_LENGTH;
    }
    std::lock_guard lock(m_mutex);
    if (!m_device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    const std::size_t fromFifo = std::min<std::size_t>(m_fifo.size(), count);
    std::copy_n(m_fifo.begin(), fromFifo, buffer);
    m_fifo.erase(m_fifo.begin(), m_fifo.begin() + static_cast<std::ptrdiff_t>(fromFifo));
    *read = static_cast<std::uint32_t>(fromFifo);

    // Bytes already gathered are never dropped for an error: they are handed out with
    // 0x12, and the next read meets the error again.
    auto failed = [&] { return *read > 0 ? HID_UART_READ_TIMED_OUT : HID_UART_READ_ERROR; };
    std::array<std::uint8_t, cp2110::maxReportSize> report{};
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_readTimeoutMs);
    bool waitAllowed = m_readTimeoutMs > 0;
    while (*read < count) {
        int waitMs = 0;
        if (waitAllowed) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            waitMs = static_cast<int>(std::max<std::int64_t>(left.count(), 0));
        }
        const int got = m_device->readReport(report.data(), report.size(), waitMs);
        if (got < 0) {
            return failed();
        }
        if (got == 0) {
            if (waitMs == 0) {
                break; // nothing queued and no time left
            }
            waitAllowed = false; // the time-out passed: one last look at the queue
            continue;
        }
        take(cp2110::uartData(std::span(report.data(), static_cast<std::size_t>(got))), buffer,
             count, read);
    }
    return *read == count ? HID_UART_SUCCESS : HID_UART_READ_TIMED_OUT;
}

int Cp2110Device::write(const std::uint8_t* buffer, std::uint32_t count,
                        std::uint32_t* written) {
    *written = 0;
    if (count < 1 || count > HID_UART_MAX_WRITE_SIZE) {
        return HID_UART_INVALID_REQUEST_LENGTH;
    }
    std::lock_guard lock(m_mutex);
    if (!m_device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    std::array<std::uint8_t, cp2110::maxReportSize> report{};
    while (*written < count) {
        const std::uint32_t n =
            std::min<std::uint32_t>(count - *written, cp2110::maxUartDataPerReport);
        report[0] = static_cast<std::uint8_t>(n);
        std::copy_n(buffer + *written, n, report.begin() + 1);
        if (m_device->writeReport(report.data(), n + 1) != static_cast<int>(n + 1)) {
            return HID_UART_WRITE_ERROR;
        }
        *written += n;
    }
    return HID_UART_SUCCESS;
}

int Cp2110Device::closeLocked() {
    if (!m_device) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    const int status = setByte(cp2110::ridUartEnable, 0);
    m_device.reset();
    m_fifo.clear();
    return status;
}

int Cp2110Device::close() {
    std::lock_guard lock(m_mutex);
    return closeLocked();
}

bool Cp2110Device::isOpen() const {
    std::lock_guard lock(m_mutex);
    return m_device != nullptr;
}

std::size_t Cp2110Device::surplusBytes() const {
    std::lock_guard lock(m_mutex);
    return m_fifo.size();
}

} // namespace hidtouart
