// The scripted HID-to-UART library. Built twice: complete, and without HidUart_Write
// (SCRIPTED_OMIT_WRITE), for the loader's missing-entry-point path.
#include "ScriptedHidUart.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Device {
    std::string serial;
    std::string path;
    int status[SCRIPTED_STEP_COUNT] = {};
    uint32_t readbackBaud = 0; // 0: reads back what was set
    uint32_t baud = 0;
    uint8_t dataBits = 0, parity = 0, stopBits = 0, flow = 0;
};

struct ReadResult {
    int status;
    std::vector<uint8_t> bytes;
    uint32_t reported;
};

struct Script {
    std::mutex mutex;
    std::condition_variable released;
    std::vector<Device> devices;
    std::map<uintptr_t, Device> open; // handle -> the bridge as it was opened
    uintptr_t nextHandle = 1;
    int numDevicesStatus = 0;
    std::deque<ReadResult> reads;
    bool hold = false;
    uint32_t readCalls = 0;
    std::string log;
    uint32_t lastConfig[5] = {};
    int64_t lastDataReadNs = 0;
};

// Bridges present from the start, for a library loaded by another process:
// VELOR_SCRIPTED_DEVICES="serial=path;serial=path".
void addDevicesFromEnvironment(Script& s) {
    const char* text = std::getenv("VELOR_SCRIPTED_DEVICES");
    if (!text) {
        return;
    }
    std::string list = text;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(';', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        const std::string item = list.substr(start, end - start);
        const std::size_t eq = item.find('=');
        if (eq != std::string::npos) {
            Device d;
            d.serial = item.substr(0, eq);
            d.path = item.substr(eq + 1);
            s.devices.push_back(d);
        }
        start = end + 1;
    }
}

// Destroyed when the library is unloaded; every load starts afresh.
Script& script() {
    static Script s;
    static const bool fromEnvironment = (addDevicesFromEnvironment(s), true);
    (void)fromEnvironment;
    return s;
}

void logCall(Script& s, const char* name) {
    if (!s.log.empty()) {
        s.log += ' ';
    }
    s.log += name;
}

Device* byPath(Script& s, const char* path) {
    for (auto& d : s.devices) {
        if (d.path == path) {
            return &d;
        }
    }
    return nullptr;
}

Device* byHandle(Script& s, HID_UART_DEVICE handle) {
    const auto it = s.open.find(reinterpret_cast<uintptr_t>(handle));
    return it == s.open.end() ? nullptr : &it->second;
}

void copyString(const std::string& text, char* buffer) {
    const size_t n = std::min(text.size(), size_t{HID_UART_DEVICE_STRLEN - 1});
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

} // namespace

extern "C" {

HID_UART_API void HID_UART_CALL Scripted_Reset(void) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    s.devices.clear();
    s.open.clear();
    s.numDevicesStatus = 0;
    s.reads.clear();
    s.hold = false;
    s.readCalls = 0;
    s.log.clear();
    s.released.notify_all();
}

HID_UART_API void HID_UART_CALL Scripted_AddDevice(const char* serial, const char* path) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    Device d;
    d.serial = serial;
    d.path = path;
    s.devices.push_back(d);
}

HID_UART_API void HID_UART_CALL Scripted_RemoveDevice(const char* path) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    std::erase_if(s.devices, [path](const Device& d) { return d.path == path; });
}

HID_UART_API void HID_UART_CALL Scripted_SetStatus(const char* path, int step, int status) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    if (Device* d = byPath(s, path); d && step >= 0 && step < SCRIPTED_STEP_COUNT) {
        d->status[step] = status;
    }
}

HID_UART_API void HID_UART_CALL Scripted_SetNumDevicesStatus(int status) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    s.numDevicesStatus = status;
}

HID_UART_API void HID_UART_CALL Scripted_SetReadbackBaud(const char* path, uint32_t baud) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    if (Device* d = byPath(s, path)) {
        d->readbackBaud = baud;
    }
}

HID_UART_API void HID_UART_CALL Scripted_QueueRead(int status, const uint8_t* data, uint32_t length,
                                                   uint32_t reported) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    s.reads.push_back({status, std::vector<uint8_t>(data, data + length), reported});
}

HID_UART_API void HID_UART_CALL Scripted_LastUartConfig(uint32_t* values) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    std::copy(std::begin(s.lastConfig), std::end(s.lastConfig), values);
}

HID_UART_API void HID_UART_CALL Scripted_HoldReads(int hold) {
    Script& s = script();
    {
        std::lock_guard lock(s.mutex);
        s.hold = hold != 0;
    }
    s.released.notify_all();
}

HID_UART_API uint32_t HID_UART_CALL Scripted_ReadCalls(void) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    return s.readCalls;
}

HID_UART_API int64_t HID_UART_CALL Scripted_LastDataReadNs(void) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    return s.lastDataReadNs;
}

HID_UART_API uint32_t HID_UART_CALL Scripted_QueuedReads(void) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    return static_cast<uint32_t>(s.reads.size());
}

HID_UART_API int HID_UART_CALL Scripted_OpenHandles(void) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    return static_cast<int>(s.open.size());
}

HID_UART_API void HID_UART_CALL Scripted_CallLog(char* text, uint32_t size) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    const size_t n = std::min(s.log.size(), size_t{size} - 1);
    std::memcpy(text, s.log.data(), n);
    text[n] = '\0';
}

HID_UART_API void HID_UART_CALL Scripted_ClearLog(void) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    s.log.clear();
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetNumDevices(uint32_t* numDevices, uint16_t,
                                                                 uint16_t) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "GetNumDevices");
    *numDevices = static_cast<uint32_t>(s.devices.size());
    return s.numDevicesStatus;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetString(uint32_t deviceNum, uint16_t, uint16_t,
                                                             char* deviceString, uint32_t options) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, options == HID_UART_GET_SERIAL_STR ? "GetString(serial)" : "GetString(path)");
    if (deviceNum >= s.devices.size()) {
        return HID_UART_DEVICE_NOT_FOUND;
    }
    const Device& d = s.devices[deviceNum];
    const int step = options == HID_UART_GET_SERIAL_STR ? SCRIPTED_STEP_SERIAL : SCRIPTED_STEP_PATH;
    if (d.status[step] != 0) {
        return d.status[step];
    }
    copyString(options == HID_UART_GET_SERIAL_STR ? d.serial : d.path, deviceString);
    return HID_UART_SUCCESS;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetHidGuid(void* guid) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "GetHidGuid");
    static const uint8_t hid[16] = {0xB2, 0x55, 0x1E, 0x4D, 0x6F, 0xF1, 0xCF, 0x11,
                                    0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30};
    std::memcpy(guid, hid, sizeof hid);
    return HID_UART_SUCCESS;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Open(HID_UART_DEVICE* device, uint32_t deviceNum,
                                                        uint16_t, uint16_t) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "Open");
    if (deviceNum >= s.devices.size()) {
        return HID_UART_DEVICE_NOT_FOUND;
    }
    const Device& d = s.devices[deviceNum];
    if (d.status[SCRIPTED_STEP_OPEN] != 0) {
        return d.status[SCRIPTED_STEP_OPEN];
    }
    const uintptr_t handle = s.nextHandle++;
    s.open[handle] = d;
    *device = reinterpret_cast<HID_UART_DEVICE>(handle);
    return HID_UART_SUCCESS;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Close(HID_UART_DEVICE device) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "Close");
    const Device* d = byHandle(s, device);
    if (!d) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    const int status = d->status[SCRIPTED_STEP_CLOSE];
    s.open.erase(reinterpret_cast<uintptr_t>(device));
    return status;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_IsOpened(HID_UART_DEVICE, int32_t* opened) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "IsOpened");
    *opened = 0;
    return HID_UART_SUCCESS;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetOpenedString(HID_UART_DEVICE device,
                                                                   char* deviceString,
                                                                   uint32_t options) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "GetOpenedString");
    const Device* d = byHandle(s, device);
    if (!d) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    switch (options) {
    case HID_UART_GET_PATH_STR:
        if (d->status[SCRIPTED_STEP_OPENED_PATH] != 0) {
            return d->status[SCRIPTED_STEP_OPENED_PATH];
        }
        copyString(d->path, deviceString);
        return HID_UART_SUCCESS;
    case HID_UART_GET_SERIAL_STR:
        copyString(d->serial, deviceString);
        return HID_UART_SUCCESS;
    case HID_UART_GET_VID_STR:
        copyString("10C4", deviceString);
        return HID_UART_SUCCESS;
    case HID_UART_GET_PID_STR:
        copyString("EA80", deviceString);
        return HID_UART_SUCCESS;
    default:
        return HID_UART_DEVICE_ACCESS_ERROR; // no manufacturer or product strings
    }
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetPartNumber(HID_UART_DEVICE device,
                                                                 uint8_t* partNumber,
                                                                 uint8_t* version) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "GetPartNumber");
    const Device* d = byHandle(s, device);
    if (!d) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    *partNumber = 0x0A;
    *version = 1;
    return d->status[SCRIPTED_STEP_PART];
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_SetUartConfig(HID_UART_DEVICE device,
                                                                 uint32_t baudRate,
                                                                 uint8_t dataBits, uint8_t parity,
                                                                 uint8_t stopBits,
                                                                 uint8_t flowControl) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "SetUartConfig");
    Device* d = byHandle(s, device);
    if (!d) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    if (d->status[SCRIPTED_STEP_SET_CONFIG] != 0) {
        return d->status[SCRIPTED_STEP_SET_CONFIG];
    }
    d->baud = baudRate;
    d->dataBits = dataBits;
    d->parity = parity;
    d->stopBits = stopBits;
    d->flow = flowControl;
    const uint32_t values[5] = {baudRate, dataBits, parity, stopBits, flowControl};
    std::copy(std::begin(values), std::end(values), s.lastConfig);
    return HID_UART_SUCCESS;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetUartConfig(HID_UART_DEVICE device,
                                                                 uint32_t* baudRate,
                                                                 uint8_t* dataBits, uint8_t* parity,
                                                                 uint8_t* stopBits,
                                                                 uint8_t* flowControl) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "GetUartConfig");
    const Device* d = byHandle(s, device);
    if (!d) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    *baudRate = d->readbackBaud != 0 ? d->readbackBaud : d->baud;
    *dataBits = d->dataBits;
    *parity = d->parity;
    *stopBits = d->stopBits;
    *flowControl = d->flow;
    return d->status[SCRIPTED_STEP_GET_CONFIG];
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_SetTimeouts(HID_UART_DEVICE device, uint32_t,
                                                               uint32_t) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "SetTimeouts");
    const Device* d = byHandle(s, device);
    return d ? d->status[SCRIPTED_STEP_TIMEOUTS] : HID_UART_INVALID_DEVICE_OBJECT;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetPinConfig(HID_UART_DEVICE device,
                                                                uint8_t* pinConfig, int32_t*,
                                                                uint16_t*, uint16_t*, uint8_t*,
                                                                uint8_t*) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "GetPinConfig");
    if (!byHandle(s, device)) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    std::memset(pinConfig, 3, 13);
    return HID_UART_SUCCESS;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_ReadLatch(HID_UART_DEVICE, uint16_t*) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "ReadLatch");
    return HID_UART_SUCCESS;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Read(HID_UART_DEVICE device, uint8_t* buffer,
                                                        uint32_t numBytesToRead,
                                                        uint32_t* numBytesRead) {
    Script& s = script();
    std::unique_lock lock(s.mutex);
    ++s.readCalls;
    *numBytesRead = 0;
    s.released.wait(lock, [&s] { return !s.hold; });
    if (!byHandle(s, device)) {
        return HID_UART_INVALID_DEVICE_OBJECT;
    }
    if (s.reads.empty()) {
        return HID_UART_READ_TIMED_OUT;
    }
    ReadResult r = std::move(s.reads.front());
    s.reads.pop_front();
    if (!r.bytes.empty()) {
        std::memcpy(buffer, r.bytes.data(), std::min<size_t>(r.bytes.size(), numBytesToRead));
    }
    *numBytesRead = r.reported;
    if (r.reported > 0) {
        s.lastDataReadNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               std::chrono::steady_clock::now().time_since_epoch())
                               .count();
    }
    return r.status;
}

#ifndef SCRIPTED_OMIT_WRITE
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Write(HID_UART_DEVICE, uint8_t*, uint32_t,
                                                         uint32_t* numBytesWritten) {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    logCall(s, "Write");
    *numBytesWritten = 0;
    return HID_UART_SUCCESS;
}
#endif

} // extern "C"
