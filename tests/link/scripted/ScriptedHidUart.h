// Control of the scripted HID-to-UART library the link's tests load in place of the
// real one: a list of fake bridges whose every answer can be set, a queue of read
// results, a gate that holds reads, and a log of the entry points called.
#pragma once

#include "SLABHIDtoUART.h"

#ifdef __cplusplus
extern "C" {
#endif

// The calls of a bridge whose status can be set.
#define SCRIPTED_STEP_SERIAL 0 // HidUart_GetString type 4
#define SCRIPTED_STEP_PATH 1   // HidUart_GetString type 3
#define SCRIPTED_STEP_OPEN 2
#define SCRIPTED_STEP_PART 3
#define SCRIPTED_STEP_SET_CONFIG 4
#define SCRIPTED_STEP_GET_CONFIG 5
#define SCRIPTED_STEP_TIMEOUTS 6
#define SCRIPTED_STEP_CLOSE 7
#define SCRIPTED_STEP_OPENED_PATH 8 // HidUart_GetOpenedString type 3
#define SCRIPTED_STEP_COUNT 9

// No bridges, nothing queued, reads not held, log empty, HidUart_GetNumDevices works.
HID_UART_API void HID_UART_CALL Scripted_Reset(void);
// Adds a bridge at the end of the index order.
HID_UART_API void HID_UART_CALL Scripted_AddDevice(const char* serial, const char* path);
// Removes the bridge with this path; open handles of it keep answering.
HID_UART_API void HID_UART_CALL Scripted_RemoveDevice(const char* path);
// Status of one step of the bridge with this path (0 = works).
HID_UART_API void HID_UART_CALL Scripted_SetStatus(const char* path, int step, int status);
// Status of HidUart_GetNumDevices.
HID_UART_API void HID_UART_CALL Scripted_SetNumDevicesStatus(int status);
// Makes the UART configuration read back with this baud rate instead of the one set.
HID_UART_API void HID_UART_CALL Scripted_SetReadbackBaud(const char* path, uint32_t baud);
// Queues the result of one later HidUart_Read: its status, the bytes copied into the
// buffer and the count reported (which may differ from length).
HID_UART_API void HID_UART_CALL Scripted_QueueRead(int status, const uint8_t* data, uint32_t length,
                                                   uint32_t reported);
// The five values of the last HidUart_SetUartConfig: rate, data bits, parity, stop
// bits, flow control.
HID_UART_API void HID_UART_CALL Scripted_LastUartConfig(uint32_t* values);
// While held, a read waits inside the library until released.
HID_UART_API void HID_UART_CALL Scripted_HoldReads(int hold);
HID_UART_API uint32_t HID_UART_CALL Scripted_ReadCalls(void);
// The steady-clock time (ns since its epoch) at which the last read that returned bytes
// was about to return.
HID_UART_API int64_t HID_UART_CALL Scripted_LastDataReadNs(void);
HID_UART_API uint32_t HID_UART_CALL Scripted_QueuedReads(void);
// Number of handles open now.
HID_UART_API int HID_UART_CALL Scripted_OpenHandles(void);
// The names of the entry points called, space separated, copied into text (size bytes).
// HidUart_Read is left out: the reader calls it all the time.
HID_UART_API void HID_UART_CALL Scripted_CallLog(char* text, uint32_t size);
HID_UART_API void HID_UART_CALL Scripted_ClearLog(void);

#ifdef __cplusplus
}
#endif
