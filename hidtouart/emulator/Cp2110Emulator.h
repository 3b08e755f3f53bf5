#pragma once

#include "Cp2110Reports.h"
#include "LineSource.h"
#include "SimClock.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace hidtouart {

// What an emulated bridge can be made to get wrong (the VELOR_SIM_FAIL_* codes).
enum class SimFault { Open = 1, Version = 2, ConfigReadback = 3, Read = 4, Strings = 5 };

// One CP2110 as the host sees it over USB: its feature reports with their lengths
// (an unknown ID or a wrong length fails as the chip's stall does), the UART that is
// off until enabled, purge, version, programmable strings and pins, and a receiver
// on the meter's line (9600 8-N-1) whose bytes become interrupt reports of 1..63
// bytes. A receiver configured otherwise gets garbled bytes, as a real one would.
//
// Time is the SimClock's: the chip catches up with it lazily on every call, so the
// bytes that reached it by "now" are exactly those a real bridge would have.
// Every open handle has its own report queue, bounded like the kernel's (64 reports;
// later ones are dropped). Thread-safe; a read may wait on one thread while the
// chip is used, pulled or fed from others.
class Cp2110Emulator {
public:
    // A report is closed at the latest every reportSlotUs of line time.
    static constexpr std::uint64_t reportSlotUs = 8000;
    static constexpr std::size_t queueLimit = 64;

    struct FeatureAccess {
        bool set = false;
        std::vector<std::uint8_t> report;
    };

    Cp2110Emulator(SimClock* clock, const std::string& serial, std::uint16_t productId,
                   std::unique_ptr<LineSource> source);
    ~Cp2110Emulator();

    // Host side: handles are what an open hidraw node is.
    int attach();
    void detach(int handle);
    int getFeature(int handle, std::uint8_t* data, std::size_t length);
    int sendFeature(int handle, const std::uint8_t* data, std::size_t length);
    int readReport(int handle, std::uint8_t* data, std::size_t length, int timeoutMs);
    int writeReport(int handle, const std::uint8_t* data, std::size_t length);

    // Bus side.
    void pull();
    bool present() const;
    void setFault(SimFault fault, bool on);
    void clearFaults();
    bool hasFault(SimFault fault) const;
    void setSource(std::unique_ptr<LineSource> source);
    // Bytes put on the line now (after whatever is being sent).
    void feed(const std::uint8_t* data, std::size_t length);

    // What enumeration shows.
    std::uint16_t productId() const { return m_productId; }
    std::string serial() const;
    std::string manufacturer() const;
    std::string product() const;

    // Inspection for tests.
    std::vector<FeatureAccess> featureLog() const;
    void clearFeatureLog();
    bool uartEnabled() const;
    cp2110::UartConfig uartConfig() const;
    std::uint64_t droppedReports() const;
    std::uint64_t bytesReceived() const; // bytes that completed on the line
    std::uint64_t bytesSentToMeter() const;
    int openHandles() const;

private:
    struct Handle {
        std::deque<std::vector<std::uint8_t>> reports;
        bool stale = false; // the chip was reset: this node is gone
    };
    struct Chip {
        bool uartEnabled = false;
        cp2110::UartConfig config{115200, 0, 0, 3, 0}; // power-up settings
        std::uint8_t errorBits = 0;
        std::uint16_t latch = 0;
        cp2110::PinConfig pins;
        std::array<std::uint8_t, 10> usbConfig{};
    };

    void powerUp();
    void catchUp(std::uint64_t nowUs);
    void receive(std::uint8_t byte, std::uint64_t atUs);
    void closeReport();
    std::uint64_t nextReportDueUs() const;
    bool usable(int handle) const;
    std::string stringAt(std::uint8_t firstReport, int reports) const;
    void programString(std::uint8_t reportId, const std::uint8_t* data);
    void setString(std::uint8_t firstReport, int reports, const std::string& text);
    int answerFeature(std::uint8_t* data, std::size_t length);
    int applyFeature(const std::uint8_t* data, std::size_t length);

    SimClock* m_clock;
    const std::uint16_t m_productId;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_present = true;
    std::set<SimFault> m_faults;
    Chip m_chip;
    // String reports 0x61..0x65: 63 descriptor bytes each; each is programmable once.
    std::map<std::uint8_t, std::array<std::uint8_t, 63>> m_strings;
    std::set<std::uint8_t> m_programmed;

    std::unique_ptr<LineSource> m_source;
    std::deque<LineBurst> m_fed;
    LineBurst m_current;
    std::size_t m_currentPos = 0;
    bool m_sending = false;
    std::uint64_t m_lineFreeUs = 0; // the line is busy until then
    std::uint64_t m_caughtUpUs = 0;

    std::vector<std::uint8_t> m_pending; // received, not yet in a report
    std::uint64_t m_pendingSlot = 0;

    int m_nextHandle = 1;
    std::map<int, Handle> m_handles;
    std::vector<FeatureAccess> m_log;
    std::uint64_t m_dropped = 0;
    std::uint64_t m_received = 0;
    std::uint64_t m_sentToMeter = 0;
};

} // namespace hidtouart
