#pragma once

#include "Cp2110Reports.h"
#include "HidTransport.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace hidtouart {

// One opened CP2110: the chip protocol over a HidDevice, and the host-side FIFO that
// keeps the surplus bytes of a report for the next read.
//
// Threads: read() may run on one thread while another calls strings() — the strings
// are taken at open and never change, so that call never waits for a read. Every
// call that talks to the chip is serialised by one mutex; close() waits for a read
// in progress to return.
class Cp2110Device {
public:
    // Status codes are those of the C interface (0 success).
    static int open(std::unique_ptr<HidDevice> device, const HidDeviceInfo& info,
                    std::unique_ptr<Cp2110Device>* opened);
    ~Cp2110Device();

    Cp2110Device(const Cp2110Device&) = delete;
    Cp2110Device& operator=(const Cp2110Device&) = delete;

    const HidDeviceInfo& info() const { return m_info; }

    int partNumber(cp2110::Version* version);
    int setUartConfig(const cp2110::UartConfig& config);
    int uartConfig(cp2110::UartConfig* config);
    int pinConfig(cp2110::PinConfig* config);
    int readLatch(std::uint16_t* latch);
    void setTimeouts(std::uint32_t readMs, std::uint32_t writeMs);
    // Status 0 when count bytes were read; 0x12 with the partial count (maybe 0) once
    // the read time-out has passed; 0x10 on a read error with nothing gathered.
    int read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t* read);
    int write(const std::uint8_t* buffer, std::uint32_t count, std::uint32_t* written);
    // Disables the UART and releases the device; 0 when the UART was disabled.
    int close();
    bool isOpen() const;

    std::size_t surplusBytes() const;

private:
    Cp2110Device(std::unique_ptr<HidDevice> device, HidDeviceInfo info);
    int handshake();
    int getFeature(std::uint8_t reportId, std::uint8_t* report, std::size_t length);
    int setFeature(const std::uint8_t* report, std::size_t length);
    int setByte(std::uint8_t reportId, std::uint8_t value);
    void drainInput();
    // Moves the data of one report into the caller's buffer, the rest to the FIFO.
    void take(std::span<const std::uint8_t> data, std::uint8_t* buffer, std::uint32_t count,
              std::uint32_t* read);
    int closeLocked();

    mutable std::mutex m_mutex;
    std::unique_ptr<HidDevice> m_device;
    const HidDeviceInfo m_info;
    std::deque<std::uint8_t> m_fifo;
    std::uint32_t m_readTimeoutMs = 0;
    std::uint32_t m_writeTimeoutMs = 1000;
};

} // namespace hidtouart
