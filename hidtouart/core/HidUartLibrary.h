#pragma once

#include "Cp2110Device.h"
#include "HidTransport.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace hidtouart {

// The logic behind the fifteen C entry points, over one transport. Handles given out
// are checked on every call, so a stale or zero handle fails instead of crashing.
// Thread-safe: any entry point may run on any thread; a read on one thread does not
// hold up HidUart_GetOpenedString on another.
class HidUartLibrary {
public:
    explicit HidUartLibrary(std::unique_ptr<HidTransport> transport);
    ~HidUartLibrary();

    HidTransport& transport() { return *m_transport; }

    int getNumDevices(std::uint32_t* count, std::uint16_t vid, std::uint16_t pid);
    int getString(std::uint32_t index, std::uint16_t vid, std::uint16_t pid, char* text,
                  std::uint32_t type);
    int open(void** handle, std::uint32_t index, std::uint16_t vid, std::uint16_t pid);
    int close(void* handle);
    int isOpened(void* handle, std::int32_t* opened);
    int getOpenedString(void* handle, char* text, std::uint32_t type);
    int getPartNumber(void* handle, std::uint8_t* part, std::uint8_t* version);
    int setUartConfig(void* handle, std::uint32_t baud, std::uint8_t dataBits,
                      std::uint8_t parity, std::uint8_t stopBits, std::uint8_t flow);
    int getUartConfig(void* handle, std::uint32_t* baud, std::uint8_t* dataBits,
                      std::uint8_t* parity, std::uint8_t* stopBits, std::uint8_t* flow);
    int setTimeouts(void* handle, std::uint32_t readMs, std::uint32_t writeMs);
    int getPinConfig(void* handle, std::uint8_t* pins, std::int32_t* useSuspendValues,
                     std::uint16_t* suspendValue, std::uint16_t* suspendMode,
                     std::uint8_t* rs485Level, std::uint8_t* clockDivider);
    int readLatch(void* handle, std::uint16_t* latch);
    int read(void* handle, std::uint8_t* buffer, std::uint32_t count, std::uint32_t* read);
    int write(void* handle, const std::uint8_t* buffer, std::uint32_t count,
              std::uint32_t* written);

    std::size_t openHandles() const;

private:
    // The devices the entry points address by index: vendor 0 with product 0 means
    // the CP2110 and CP2114 defaults, never an unrelated HID device.
    std::vector<HidDeviceInfo> devices(std::uint16_t vid, std::uint16_t pid);
    std::shared_ptr<Cp2110Device> find(void* handle) const;

    std::unique_ptr<HidTransport> m_transport;
    mutable std::mutex m_mutex; // guards m_open and the transport's enumeration
    std::map<void*, std::shared_ptr<Cp2110Device>> m_open;
};

// Copies text into a caller's buffer of HID_UART_DEVICE_STRLEN bytes, cut to fit and
// zero-terminated.
void copyDeviceString(const std::string& text, char* buffer);
// The device's string of this type (1..6), or nothing when it has none.
std::optional<std::string> deviceString(const HidDeviceInfo& info, std::uint32_t type);

} // namespace hidtouart
