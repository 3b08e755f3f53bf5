// The C entry points. Compiled into each shared library, which supplies
// loadedHidUartLibrary() over its own transport.
#include "LibraryInstance.h"
#include "SLABHIDtoUART.h"

#include <cstring>

namespace {

// The device-interface class GUID of HID devices, in the Windows GUID layout.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};
constexpr Guid hidGuid{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
static_assert(sizeof(Guid) == 16);

} // namespace

extern "C" {

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetNumDevices(uint32_t* numDevices,
                                                                 uint16_t vid, uint16_t pid) {
    return loadedHidUartLibrary().getNumDevices(numDevices, vid, pid);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetString(uint32_t deviceNum, uint16_t vid,
                                                             uint16_t pid, char* deviceString,
                                                             uint32_t options) {
    return loadedHidUartLibrary().getString(deviceNum, vid, pid, deviceString, options);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetHidGuid(void* guid) {
    if (!guid) {
        return HID_UART_INVALID_PARAMETER;
    }
    std::memcpy(guid, &hidGuid, sizeof hidGuid);
    return HID_UART_SUCCESS;
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Open(HID_UART_DEVICE* device, uint32_t deviceNum,
                                                        uint16_t vid, uint16_t pid) {
    return loadedHidUartLibrary().open(device, deviceNum, vid, pid);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Close(HID_UART_DEVICE device) {
    return loadedHidUartLibrary().close(device);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_IsOpened(HID_UART_DEVICE device,
                                                            int32_t* opened) {
    return loadedHidUartLibrary().isOpened(device, opened);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetOpenedString(HID_UART_DEVICE device,
                                                                   char* deviceString,
                                                                   uint32_t options) {
    return loadedHidUartLibrary().getOpenedString(device, deviceString, options);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetPartNumber(HID_UART_DEVICE device,
                                                                 uint8_t* partNumber,
                                                                 uint8_t* version) {
    return loadedHidUartLibrary().getPartNumber(device, partNumber, version);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_SetUartConfig(HID_UART_DEVICE device,
                                                                 uint32_t baudRate, uint8_t dataBits,
                                                                 uint8_t parity, uint8_t stopBits,
                                                                 uint8_t flowControl) {
    return loadedHidUartLibrary().setUartConfig(device, baudRate, dataBits, parity, stopBits,
                                                flowControl);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetUartConfig(HID_UART_DEVICE device,
                                                                 uint32_t* baudRate,
                                                                 uint8_t* dataBits, uint8_t* parity,
                                                                 uint8_t* stopBits,
                                                                 uint8_t* flowControl) {
    return loadedHidUartLibrary().getUartConfig(device, baudRate, dataBits, parity, stopBits,
                                                flowControl);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_SetTimeouts(HID_UART_DEVICE device,
                                                               uint32_t readTimeout,
                                                               uint32_t writeTimeout) {
    return loadedHidUartLibrary().setTimeouts(device, readTimeout, writeTimeout);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_GetPinConfig(
    HID_UART_DEVICE device, uint8_t* pinConfig, int32_t* useSuspendValues, uint16_t* suspendValue,
    uint16_t* suspendMode, uint8_t* rs485Level, uint8_t* clkDiv) {
    return loadedHidUartLibrary().getPinConfig(device, pinConfig, useSuspendValues, suspendValue,
                                               suspendMode, rs485Level, clkDiv);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_ReadLatch(HID_UART_DEVICE device,
                                                             uint16_t* latchValue) {
    return loadedHidUartLibrary().readLatch(device, latchValue);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Read(HID_UART_DEVICE device, uint8_t* buffer,
                                                        uint32_t numBytesToRead,
                                                        uint32_t* numBytesRead) {
    return loadedHidUartLibrary().read(device, buffer, numBytesToRead, numBytesRead);
}

HID_UART_API HID_UART_STATUS HID_UART_CALL HidUart_Write(HID_UART_DEVICE device, uint8_t* buffer,
                                                         uint32_t numBytesToWrite,
                                                         uint32_t* numBytesWritten) {
    return loadedHidUartLibrary().write(device, buffer, numBytesToWrite, numBytesWritten);
}

} // extern "C"
