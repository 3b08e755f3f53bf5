// Control of the simulated bridges inside libslabhidtouart-sim: tests, benchmarks and
// the demo add or pull bridges, make one step of a bridge fail, and drive the clock
// that paces the simulated meter. Resolved with dlsym from the same loaded library
// that the USB link uses, so both see the same bridges.
#pragma once

#include <stdint.h>

#include "SLABHIDtoUART.h"

#ifdef __cplusplus
extern "C" {
#endif

// What a bridge can be made to get wrong.
#define VELOR_SIM_FAIL_NONE 0           // back to working
#define VELOR_SIM_FAIL_OPEN 1           // HidUart_Open refused
#define VELOR_SIM_FAIL_VERSION 2        // the version report reads back wrong
#define VELOR_SIM_FAIL_CONFIG_READBACK 3 // the UART configuration reads back other values
#define VELOR_SIM_FAIL_READ 4           // HidUart_Read reports a read error
#define VELOR_SIM_FAIL_STRINGS 5        // serial and path strings cannot be read

// Back to the start state: one bridge "SIM0001" fed by the simulated meter, real clock.
HID_UART_API int HID_UART_CALL VelorSim_Reset(void);
// Plugs in one more bridge with this serial (fed by its own simulated meter). 0 on success.
HID_UART_API int HID_UART_CALL VelorSim_AddBridge(const char* serial);
// Pulls the bridge out: calls on an open handle of it fail from now on. 0 on success.
HID_UART_API int HID_UART_CALL VelorSim_PullBridge(const char* serial);
// Makes one step of the bridge fail (VELOR_SIM_FAIL_*). 0 on success.
HID_UART_API int HID_UART_CALL VelorSim_FailStep(const char* serial, int step);
// Manual clock: the meter advances only through VelorSim_AdvanceClock. 0 = real time.
HID_UART_API int HID_UART_CALL VelorSim_SetManualClock(int manual);
HID_UART_API int HID_UART_CALL VelorSim_AdvanceClock(uint64_t milliseconds);
// Replaces the bridge's meter: a built-in scenario by name ("default") or a raw capture
// file path whose bytes are sent at 9600 baud. 0 on success.
HID_UART_API int HID_UART_CALL VelorSim_SetSource(const char* serial, const char* source);
// Puts raw bytes on the bridge's UART line, as if the meter sent them now.
HID_UART_API int HID_UART_CALL VelorSim_FeedBytes(const char* serial, const uint8_t* data,
                                                  uint32_t length);
// Writes the bridge's device path (the one HidUart_GetString gives) into path,
// a buffer of HID_UART_DEVICE_STRLEN bytes. 0 on success.
HID_UART_API int HID_UART_CALL VelorSim_DevicePath(const char* serial, char* path);

#ifdef __cplusplus
}
#endif
