// C interface of the HID-to-UART library that the USB link loads at run time.
// The program resolves these fifteen names by name from the library next to
// its executable; any library exporting them with these signatures can stand in.
#pragma once

#include <stdint.h>

#ifdef _WIN32
#define HID_UART_API __declspec(dllexport)
#define HID_UART_CALL __stdcall
#else
#define HID_UART_API __attribute__((visibility("default")))
#define HID_UART_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef void* HID_UART_DEVICE;
typedef int HID_UART_STATUS;

// Status codes.
#define HID_UART_SUCCESS 0x00
#define HID_UART_DEVICE_NOT_FOUND 0x01
#define HID_UART_INVALID_HANDLE 0x02
#define HID_UART_INVALID_DEVICE_OBJECT 0x03
#define HID_UART_INVALID_PARAMETER 0x04
#define HID_UART_INVALID_REQUEST_LENGTH 0x05
#define HID_UART_READ_ERROR 0x10
#define HID_UART_WRITE_ERROR 0x11
#define HID_UART_READ_TIMED_OUT 0x12
#define HID_UART_WRITE_TIMED_OUT 0x13
#define HID_UART_DEVICE_IO_FAILED 0x14
#define HID_UART_DEVICE_ACCESS_ERROR 0x15
#define HID_UART_DEVICE_NOT_SUPPORTED 0x16
#define HID_UART_UNKNOWN_ERROR 0xFF

// String types of HidUart_GetString / HidUart_GetOpenedString.
#define HID_UART_GET_VID_STR 0x01
#define HID_UART_GET_PID_STR 0x02
#define HID_UART_GET_PATH_STR 0x03
#define HID_UART_GET_SERIAL_STR 0x04
#define HID_UART_GET_MANUFACTURER_STR 0x05
#define HID_UART_GET_PRODUCT_STR 0x06

// Size of every string buffer the caller passes.
#define HID_UART_DEVICE_STRLEN 260

// Line codes of HidUart_SetUartConfig / HidUart_GetUartConfig.
#define HID_UART_FIVE_DATA_BITS 0x00
#define HID_UART_SIX_DATA_BITS 0x01
#define HID_UART_SEVEN_DATA_BITS 0x02
#define HID_UART_EIGHT_DATA_BITS 0x03
#define HID_UART_NO_PARITY 0x00
#define HID_UART_ODD_PARITY 0x01
#define HID_UART_EVEN_PARITY 0x02
#define HID_UART_MARK_PARITY 0x03
#define HID_UART_SPACE_PARITY 0x04
#define HID_UART_SHORT_STOP_BIT 0x00
#define HID_UART_LONG_STOP_BIT 0x01
#define HID_UART_NO_FLOW_CONTROL 0x00
#define HID_UART_RTS_CTS_FLOW_CONTROL 0x01

// Largest read and write, in bytes.
#define HID_UART_MAX_READ_SIZE 32768
#define HID_UART_MAX_WRITE_SIZE 4096

// Vendor ID 0 with product ID 0 lists the bridges of the supported kinds.
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetNumDevices(uint32_t* numDevices, uint16_t vid,
                                                                 uint16_t pid);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetString(uint32_t deviceNum, uint16_t vid,
                                                             uint16_t pid, char* deviceString,
                                                             uint32_t options);
// Writes the 16-byte device-interface class GUID of HID devices.
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetHidGuid(void* guid);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Open(HID_UART_DEVICE* device, uint32_t deviceNum,
                                                        uint16_t vid, uint16_t pid);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Close(HID_UART_DEVICE device);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_IsOpened(HID_UART_DEVICE device, int32_t* opened);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetOpenedString(HID_UART_DEVICE device,
                                                                   char* deviceString,
                                                                   uint32_t options);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetPartNumber(HID_UART_DEVICE device,
                                                                 uint8_t* partNumber,
                                                                 uint8_t* version);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_SetUartConfig(HID_UART_DEVICE device,
                                                                 uint32_t baudRate, uint8_t dataBits,
                                                                 uint8_t parity, uint8_t stopBits,
                                                                 uint8_t flowControl);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetUartConfig(HID_UART_DEVICE device,
                                                                 uint32_t* baudRate,
                                                                 uint8_t* dataBits, uint8_t* parity,
                                                                 uint8_t* stopBits,
                                                                 uint8_t* flowControl);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_SetTimeouts(HID_UART_DEVICE device,
                                                               uint32_t readTimeout,
                                                               uint32_t writeTimeout);
// pinConfig receives 13 mode bytes; the five further values may be discarded by the caller.
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetPinConfig(HID_UART_DEVICE device,
                                                                uint8_t* pinConfig,
                                                                int32_t* useSuspendValues,
                                                                uint16_t* suspendValue,
                                                                uint16_t* suspendMode,
                                                                uint8_t* rs485Level,
                                                                uint8_t* clkDiv);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_ReadLatch(HID_UART_DEVICE device,
                                                             uint16_t* latchValue);
// Status 0 when numBytesToRead bytes were read; 0x12 with the partial count otherwise.
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Read(HID_UART_DEVICE device, uint8_t* buffer,
                                                        uint32_t numBytesToRead,
                                                        uint32_t* numBytesRead);
HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Write(HID_UART_DEVICE device, uint8_t* buffer,
                                                         uint32_t numBytesToWrite,
                                                         uint32_t* numBytesWritten);

#ifdef __cplusplus
}
#endif

// Function-pointer types, for callers that resolve the names at run time.
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_GetNumDevices_t)(uint32_t*, uint16_t, uint16_t);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_GetString_t)(uint32_t, uint16_t, uint16_t, char*,
                                                            uint32_t);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_GetHidGuid_t)(void*);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_Open_t)(HID_UART_DEVICE*, uint32_t, uint16_t,
                                                       uint16_t);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_Close_t)(HID_UART_DEVICE);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_IsOpened_t)(HID_UART_DEVICE, int32_t*);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_GetOpenedString_t)(HID_UART_DEVICE, char*, uint32_t);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_GetPartNumber_t)(HID_UART_DEVICE, uint8_t*,
                                                                uint8_t*);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_SetUartConfig_t)(HID_UART_DEVICE, uint32_t, uint8_t,
                                                                uint8_t, uint8_t, uint8_t);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_GetUartConfig_t)(HID_UART_DEVICE, uint32_t*,
                                                                uint8_t*, uint8_t*, uint8_t*,
                                                                uint8_t*);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_SetTimeouts_t)(HID_UART_DEVICE, uint32_t, uint32_t);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_GetPinConfig_t)(HID_UART_DEVICE, uint8_t*, int32_t*,
                                                               uint16_t*, uint16_t*, uint8_t*,
                                                               uint8_t*);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_ReadLatch_t)(HID_UART_DEVICE, uint16_t*);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_Read_t)(HID_UART_DEVICE, uint8_t*, uint32_t,
                                                       uint32_t*);
typedef HID_UART_STATUS(HID_UART_CALL* HidUart_Write_t)(HID_UART_DEVICE, uint8_t*, uint32_t,
                                                        uint32_t*);
