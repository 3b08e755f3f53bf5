// libslabhidtouart-sim: the HID-to-UART library over emulated bridges, and the control
// functions that tests, benchmarks and the demo use to plug, pull and break them.
#include "LibraryInstance.h"
#include "SimBus.h"
#include "VelorSimControl.h"

namespace {

struct SimLibrary {
    hidtouart::SimBus bus;
    hidtouart::HidUartLibrary library{std::make_unique<hidtouart::EmulatorTransport>(&bus)};
};

SimLibrary& sim() {
    static SimLibrary instance;
    return instance;
}

} // namespace

hidtouart::HidUartLibrary& loadedHidUartLibrary() { return sim().library; }

extern "C" {

HID_UART_API int HID_UART_CALL VelorSim_Reset(void) {
    sim().bus.reset();
    return 0;
}

HID_UART_API int HID_UART_CALL VelorSim_AddBridge(const char* serial) {
    if (!serial) {
        return HID_UART_INVALID_PARAMETER;
    }
    sim().bus.addBridge(serial);
    return 0;
}

HID_UART_API int HID_UART_CALL VelorSim_PullBridge(const char* serial) {
    if (!serial) {
        return HID_UART_INVALID_PARAMETER;
    }
    return sim().bus.pull(serial) ? 0 : HID_UART_DEVICE_NOT_FOUND;
}

HID_UART_API int HID_UART_CALL VelorSim_FailStep(const char* serial, int step) {
    if (!serial || step < VELOR_SIM_FAIL_NONE || step > VELOR_SIM_FAIL_STRINGS) {
        return HID_UART_INVALID_PARAMETER;
    }
    const auto chip = sim().bus.bridge(serial);
    if (!chip) {
        return HID_UART_DEVICE_NOT_FOUND;
    }
    if (step == VELOR_SIM_FAIL_NONE) {
        chip->clearFaults();
    } else {
        chip->setFault(static_cast<hidtouart::SimFault>(step), true);
    }
    return 0;
}

HID_UART_API int HID_UART_CALL VelorSim_SetManualClock(int manual) {
    sim().bus.clock().setManual(manual != 0);
    return 0;
}

HID_UART_API int HID_UART_CALL VelorSim_AdvanceClock(uint64_t milliseconds) {
    if (!sim().bus.clock().manual()) {
        return HID_UART_INVALID_PARAMETER; // real time cannot be pushed
    }
    sim().bus.clock().advanceUs(milliseconds * 1000);
    return 0;
}

HID_UART_API int HID_UART_CALL VelorSim_SetSource(const char* serial, const char* source) {
    if (!serial || !source) {
        return HID_UART_INVALID_PARAMETER;
    }
    if (!sim().bus.bridge(serial)) {
        return HID_UART_DEVICE_NOT_FOUND;
    }
    return sim().bus.setSource(serial, source) ? 0 : HID_UART_INVALID_PARAMETER;
}

HID_UART_API int HID_UART_CALL VelorSim_FeedBytes(const char* serial, const uint8_t* data,
                                                  uint32_t length) {
    if (!serial || (!data && length > 0)) {
        return HID_UART_INVALID_PARAMETER;
    }
    const auto chip = sim().bus.bridge(serial);
    if (!chip) {
        return HID_UART_DEVICE_NOT_FOUND;
    }
    chip->feed(data, length);
    return 0;
}

HID_UART_API int HID_UART_CALL VelorSim_DevicePath(const char* serial, char* path) {
    if (!serial || !path) {
        return HID_UART_INVALID_PARAMETER;
    }
    const std::string p = sim().bus.pathOf(serial);
    if (p.empty()) {
        return HID_UART_DEVICE_NOT_FOUND;
    }
    hidtouart::copyDeviceString(p, path);
    return 0;
}

} // extern "C"
