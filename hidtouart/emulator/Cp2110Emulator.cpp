#include "Cp2110Emulator.h"

#include <algorithm>
#include <cstring>

namespace hidtouart {

namespace {

// What a receiver set up differently from the line makes of a byte: the start bit is
// found in the wrong place, so the byte is wrong (and a parity receiver flags errors).
std::uint8_t garbled(std::uint8_t byte) {
    return static_cast<std::uint8_t>(((byte << 3) | (byte >> 5)) ^ 0xA5);
}

std::string utf8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace

Cp2110Emulator::Cp2110Emulator(SimClock* clock, const std::string& serial,
                               std::uint16_t productId, std::unique_ptr<LineSource> source)
    : m_clock(clock), m_productId(productId),
      m_source(source ? std::move(source) : std::make_unique<SilentSource>()) {
    m_caughtUpUs = m_clock->nowUs();
    m_lineFreeUs = m_caughtUpUs;
    setString(cp2110::ridManufacturer1, 2, "VELOR Simulation");
    setString(cp2110::ridProduct1, 2, "CP2110 HID USB-to-UART Bridge");
    setString(cp2110::ridSerial, 1, serial);
    powerUp();
}

Cp2110Emulator::~Cp2110Emulator() = default;

void Cp2110Emulator::powerUp() {
    m_chip = Chip{};
    // GPIO0..9 inputs, TX push-pull, Suspend and /Suspend push-pull.
    m_chip.pins.modes = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 2};
    m_chip.usbConfig = {static_cast<std::uint8_t>(cp2110::siliconVendorId),
                        static_cast<std::uint8_t>(cp2110::siliconVendorId >> 8),
                        static_cast<std::uint8_t>(m_productId),
                        static_cast<std::uint8_t>(m_productId >> 8),
                        0x32, 0x00, 0x00, 0x01, 0x00, 0x00};
    m_pending.clear();
}

void Cp2110Emulator::setString(std::uint8_t firstReport, int reports, const std::string& text) {
    std::vector<std::uint8_t> descriptor(static_cast<std::size_t>(63 * reports), 0);
    const std::size_t maxChars = (descriptor.size() - 2) / 2;
    const std::size_t n = std::min(text.size(), maxChars);
    descriptor[0] = static_cast<std::uint8_t>(2 + 2 * n);
    descriptor[1] = 0x03;
    for (std::size_t i = 0; i < n; ++i) {
        descriptor[2 + 2 * i] = static_cast<std::uint8_t>(text[i]);
    }
    for (int r = 0; r < reports; ++r) {
        auto& slot = m_strings[static_cast<std::uint8_t>(firstReport + r)];
        std::copy_n(descriptor.begin() + 63 * r, 63, slot.begin());
    }
}

std::string Cp2110Emulator::stringAt(std::uint8_t firstReport, int reports) const {
    std::vector<std::uint8_t> descriptor;
    for (int r = 0; r < reports; ++r) {
        const auto& slot = m_strings.at(static_cast<std::uint8_t>(firstReport + r));
        descriptor.insert(descriptor.end(), slot.begin(), slot.end());
    }
    const auto text = cp2110::parseStringDescriptor(descriptor);
    return text ? utf8(*text) : std::string();
}

std::string Cp2110Emulator::serial() const {
    std::lock_guard lock(m_mutex);
    return stringAt(cp2110::ridSerial, 1);
}

std::string Cp2110Emulator::manufacturer() const {
    std::lock_guard lock(m_mutex);
    return stringAt(cp2110::ridManufacturer1, 2);
}

std::string Cp2110Emulator::product() const {
    std::lock_guard lock(m_mutex);
    return stringAt(cp2110::ridProduct1, 2);
}

// ---- the line and the receiver ----

void Cp2110Emulator::catchUp(std::uint64_t nowUs) {
    if (nowUs < m_caughtUpUs) {
        return;
    }
    for (;;) {
        if (!m_sending) {
            const auto sourceStart = m_source->nextStartUs();
            const bool fedFirst =
                !m_fed.empty() && (!sourceStart || m_fed.front().startUs <= *sourceStart);
            std::optional<std::uint64_t> start =
                fedFirst ? std::optional(m_fed.front().startUs) : sourceStart;
            if (!start || std::max(*start, m_lineFreeUs) > nowUs) {
                break;
            }
            if (fedFirst) {
                m_current = std::move(m_fed.front());
                m_fed.pop_front();
            } else {
                m_current = m_source->takeBurst();
            }
            // One line: a burst waits until the one before it has been sent.
            m_current.startUs = std::max(m_current.startUs, m_lineFreeUs);
            m_currentPos = 0;
            m_sending = true;
        }
        while (m_currentPos < m_current.bytes.size()) {
            const std::uint64_t done = m_current.startUs + byteDoneUs(m_currentPos);
            if (done > nowUs) {
                break;
            }
            receive(m_current.bytes[m_currentPos], done);
            ++m_currentPos;
        }
        if (m_currentPos < m_current.bytes.size()) {
            break;
        }
        if (!m_current.bytes.empty()) {
            m_lineFreeUs = m_current.startUs + byteDoneUs(m_current.bytes.size() - 1);
        }
        m_sending = false;
    }
    if (!m_pending.empty() && nowUs / reportSlotUs > m_pendingSlot) {
        closeReport();
    }
    m_caughtUpUs = nowUs;
}

void Cp2110Emulator::receive(std::uint8_t byte, std::uint64_t atUs) {
    ++m_received;
    const std::uint64_t slot = atUs / reportSlotUs;
    if (!m_pending.empty() && slot != m_pendingSlot) {
        closeReport();
    }
    if (!m_chip.uartEnabled) {
        return; // the receiver is off: the byte is lost
    }
    const cp2110::UartConfig& c = m_chip.config;
    if (c.baudRate != meterBaudRate || c.parity != 0 || c.stopBits != 0) {
        byte = garbled(byte);
        if (c.parity != 0) {
            m_chip.errorBits |= 0x01;
        }
    }
    byte = static_cast<std::uint8_t>(byte & ((1u << (5 + c.dataBits)) - 1));
    m_pending.push_back(byte);
    m_pendingSlot = slot;
    if (m_pending.size() == cp2110::maxUartDataPerReport) {
        closeReport();
    }
}

void Cp2110Emulator::closeReport() {
    std::vector<std::uint8_t> report;
    report.reserve(m_pending.size() + 1);
    report.push_back(static_cast<std::uint8_t>(m_pending.size()));
    report.insert(report.end(), m_pending.begin(), m_pending.end());
    m_pending.clear();
    for (auto& [id, h] : m_handles) {
        if (h.stale) {
            continue;
        }
        if (h.reports.size() >= queueLimit) {
            ++m_dropped;
            continue;
        }
        h.reports.push_back(report);
    }
}

std::uint64_t Cp2110Emulator::nextReportDueUs() const {
    if (!m_pending.empty()) {
        return (m_pendingSlot + 1) * reportSlotUs;
    }
    std::uint64_t next = UINT64_MAX;
    if (m_sending) {
        next = m_current.startUs + byteDoneUs(m_currentPos);
    } else {
        std::optional<std::uint64_t> start = m_source->nextStartUs();
        if (!m_fed.empty()) {
            start = start ? std::min(*start, m_fed.front().startUs) : m_fed.front().startUs;
        }
        if (start) {
            next = std::max(*start, m_lineFreeUs) + byteDoneUs(0);
        }
    }
    // The byte completes, and its report closes at the end of that slot at the latest.
    return next == UINT64_MAX ? next : (next / reportSlotUs + 1) * reportSlotUs;
}

// ---- host side ----

int Cp2110Emulator::attach() {
    std::lock_guard lock(m_mutex);
    if (!m_present) {
        return -1;
    }
    catchUp(m_clock->nowUs());
    const int id = m_nextHandle++;
    m_handles[id];
    return id;
}

void Cp2110Emulator::detach(int handle) {
    std::lock_guard lock(m_mutex);
    m_handles.erase(handle);
    m_wake.notify_all();
}

int Cp2110Emulator::openHandles() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_handles.size());
}

bool Cp2110Emulator::usable(int handle) const {
    const auto it = m_handles.find(handle);
    return m_present && it != m_handles.end() && !it->second.stale;
}

int Cp2110Emulator::getFeature(int handle, std::uint8_t* data, std::size_t length) {
    std::lock_guard lock(m_mutex);
    if (!usable(handle) || length == 0) {
        return -1;
    }
    catchUp(m_clock->nowUs());
    m_log.push_back({false, {data[0]}});
    return answerFeature(data, length);
}

int Cp2110Emulator::answerFeature(std::uint8_t* data, std::size_t length) {
    const std::uint8_t id = data[0];
    const std::size_t size = cp2110::featureReportLength(id);
    // Write-only reports and buffers too small for the report stall.
    if (size == 0 || length < size || id == cp2110::ridReset || id == cp2110::ridPurgeFifos ||
        id == cp2110::ridSetGpio) {
        return -1;
    }
    std::fill_n(data + 1, size - 1, 0);
    const bool handshakeDone = m_chip.uartEnabled;
    switch (id) {
    case cp2110::ridUartEnable:
        data[1] = m_chip.uartEnabled ? 1 : 0;
        break;
    case cp2110::ridUartStatus: {
        const auto rx = static_cast<std::uint16_t>(m_pending.size());
        data[3] = static_cast<std::uint8_t>(rx);
        data[4] = static_cast<std::uint8_t>(rx >> 8);
        data[5] = m_chip.errorBits;
        m_chip.errorBits = 0;
        break;
    }
    case cp2110::ridGetGpio:
        data[1] = static_cast<std::uint8_t>(m_chip.latch);
        data[2] = static_cast<std::uint8_t>(m_chip.latch >> 8);
        break;
    case cp2110::ridVersion:
        // A bad part answers wrongly once the handshake has switched its UART on.
        data[1] = m_faults.contains(SimFault::Version) && handshakeDone
                      ? 0x00
                      : (m_productId == cp2110::cp2114ProductId ? cp2110::cp2114PartNumber
                                                                : cp2110::cp2110PartNumber);
        data[2] = 0x01;
        break;
    case cp2110::ridUartConfig: {
        cp2110::UartConfig c = m_chip.config;
        if (m_faults.contains(SimFault::ConfigReadback) && handshakeDone) {
            c.baudRate = c.baudRate == 19200 ? 9600 : 19200;
        }
        const auto r = cp2110::encodeUartConfig(c);
        std::copy(r.begin(), r.end(), data);
        break;
    }
    case cp2110::ridUsbConfig:
        std::copy(m_chip.usbConfig.begin(), m_chip.usbConfig.end(), data + 1);
        break;
    case cp2110::ridPinConfig: {
        const auto r = cp2110::encodePinConfig(m_chip.pins);
        std::copy(r.begin(), r.end(), data);
        break;
    }
    default: { // the string reports
        const auto& slot = m_strings.at(id);
        std::copy(slot.begin(), slot.end(), data + 1);
        break;
    }
    }
    return static_cast<int>(size);
}

int Cp2110Emulator::sendFeature(int handle, const std::uint8_t* data, std::size_t length) {
    std::lock_guard lock(m_mutex);
    if (!usable(handle) || length == 0) {
        return -1;
    }
    catchUp(m_clock->nowUs());
    m_log.push_back({true, std::vector<std::uint8_t>(data, data + length)});
    return applyFeature(data, length);
}

void Cp2110Emulator::programString(std::uint8_t reportId, const std::uint8_t* data) {
    // One-time programmable: a second write is ignored (sets are not acknowledged).
    if (m_programmed.insert(reportId).second) {
        std::copy_n(data, 63, m_strings[reportId].begin());
    }
}

int Cp2110Emulator::applyFeature(const std::uint8_t* data, std::size_t length) {
    const std::uint8_t id = data[0];
    const std::size_t size = cp2110::featureReportLength(id);
    if (size == 0 || length != size || id == cp2110::ridUartStatus || id == cp2110::ridGetGpio ||
        id == cp2110::ridVersion) {
        return -1;
    }
    switch (id) {
    case cp2110::ridReset:
        if (data[1] != 0) {
            return -1;
        }
        // The chip restarts and re-enumerates: every open node of it is gone.
        powerUp();
        for (auto& [h, handle] : m_handles) {
            handle.stale = true;
        }
        m_wake.notify_all();
        break;
    case cp2110::ridUartEnable:
        if (data[1] > 1) {
            return -1;
        }
        m_chip.uartEnabled = data[1] == 1;
        if (!m_chip.uartEnabled) {
            m_pending.clear();
        }
        break;
    case cp2110::ridPurgeFifos:
        if (data[1] < 1 || data[1] > 3) {
            return -1;
        }
        if (data[1] & cp2110::purgeRx) {
            m_pending.clear(); // the host's queue is not the chip's: drain that
        }
        break;
    case cp2110::ridSetGpio: {
        const auto value = static_cast<std::uint16_t>(data[1] | data[2] << 8);
        const auto mask = static_cast<std::uint16_t>(data[3] | data[4] << 8);
        m_chip.latch = static_cast<std::uint16_t>((m_chip.latch & ~mask) | (value & mask));
        break;
    }
    case cp2110::ridUartConfig: {
        const auto c = cp2110::parseUartConfig(std::span(data, length));
        if (!c || !cp2110::isValidUartConfig(*c)) {
            return -1;
        }
        m_chip.config = *c;
        break;
    }
    case cp2110::ridUsbConfig:
        std::copy_n(data + 1, m_chip.usbConfig.size(), m_chip.usbConfig.begin());
        break;
    case cp2110::ridPinConfig: {
        const auto p = cp2110::parsePinConfig(std::span(data, length));
        if (!p || std::any_of(p->modes.begin(), p->modes.end(), [](auto m) { return m > 3; })) {
            return -1;
        }
        m_chip.pins = *p;
        break;
    }
    default:
        programString(id, data + 1);
        break;
    }
    return static_cast<int>(length);
}

int Cp2110Emulator::readReport(int handle, std::uint8_t* data, std::size_t length,
                               int timeoutMs) {
    std::unique_lock lock(m_mutex);
    const std::uint64_t deadline =
        m_clock->nowUs() + static_cast<std::uint64_t>(std::max(timeoutMs, 0)) * 1000;
    for (;;) {
        if (!usable(handle) || m_faults.contains(SimFault::Read)) {
            return -1;
        }
        const std::uint64_t now = m_clock->nowUs();
        catchUp(now);
        auto& queue = m_handles[handle].reports;
        if (!queue.empty()) {
            // Like hidraw: a buffer too small gets the start of the report, the rest is lost.
            const std::vector<std::uint8_t> report = std::move(queue.front());
            queue.pop_front();
            const std::size_t n = std::min(length, report.size());
            std::copy_n(report.begin(), n, data);
            return static_cast<int>(n);
        }
        // Manual time stands still while we wait, so a read never waits for it.
        if (timeoutMs <= 0 || now >= deadline || m_clock->manual()) {
            return 0;
        }
        const std::uint64_t wakeUs = std::min(deadline, nextReportDueUs());
        m_wake.wait_until(lock, m_clock->steadyAt(wakeUs));
    }
}

int Cp2110Emulator::writeReport(int handle, const std::uint8_t* data, std::size_t length) {
    std::lock_guard lock(m_mutex);
    if (!usable(handle) || length < 2 || data[0] < 1 || data[0] > cp2110::maxUartDataPerReport ||
        length < static_cast<std::size_t>(data[0]) + 1) {
        return -1;
    }
    catchUp(m_clock->nowUs());
    if (m_chip.uartEnabled) {
        m_sentToMeter += data[0]; // the meter's input is not connected
    }
    return static_cast<int>(length);
}

// ---- bus side ----

void Cp2110Emulator::pull() {
    std::lock_guard lock(m_mutex);
    m_present = false;
    m_wake.notify_all();
}

bool Cp2110Emulator::present() const {
    std::lock_guard lock(m_mutex);
    return m_present;
}

void Cp2110Emulator::setFault(SimFault fault, bool on) {
    std::lock_guard lock(m_mutex);
    if (on) {
        m_faults.insert(fault);
    } else {
        m_faults.erase(fault);
    }
    m_wake.notify_all();
}

void Cp2110Emulator::clearFaults() {
    std::lock_guard lock(m_mutex);
    m_faults.clear();
}

bool Cp2110Emulator::hasFault(SimFault fault) const {
    std::lock_guard lock(m_mutex);
    return m_faults.contains(fault);
}

void Cp2110Emulator::setSource(std::unique_ptr<LineSource> source) {
    std::lock_guard lock(m_mutex);
    catchUp(m_clock->nowUs());
    m_source = source ? std::move(source) : std::make_unique<SilentSource>();
    m_wake.notify_all();
}

void Cp2110Emulator::feed(const std::uint8_t* data, std::size_t length) {
    if (length == 0) {
        return;
    }
    std::lock_guard lock(m_mutex);
    const std::uint64_t now = m_clock->nowUs();
    catchUp(now);
    m_fed.push_back({now, std::vector<std::uint8_t>(data, data + length)});
    m_wake.notify_all();
}

std::vector<Cp2110Emulator::FeatureAccess> Cp2110Emulator::featureLog() const {
    std::lock_guard lock(m_mutex);
    return m_log;
}

void Cp2110Emulator::clearFeatureLog() {
    std::lock_guard lock(m_mutex);
    m_log.clear();
}

bool Cp2110Emulator::uartEnabled() const {
    std::lock_guard lock(m_mutex);
    return m_chip.uartEnabled;
}

cp2110::UartConfig Cp2110Emulator::uartConfig() const {
    std::lock_guard lock(m_mutex);
    return m_chip.config;
}

std::uint64_t Cp2110Emulator::droppedReports() const {
    std::lock_guard lock(m_mutex);
    return m_dropped;
}

std::uint64_t Cp2110Emulator::bytesReceived() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

std::uint64_t Cp2110Emulator::bytesSentToMeter() const {
    std::lock_guard lock(m_mutex);
    return m_sentToMeter;
}

} // namespace hidtouart
