// libslabhidtouart: the HID-to-UART library over real bridges (hidapi, hidraw backend).
#include "HidapiTransport.h"
#include "LibraryInstance.h"

hidtouart::HidUartLibrary& loadedHidUartLibrary() {
    static hidtouart::HidUartLibrary library(std::make_unique<hidtouart::HidapiTransport>());
    return library;
}
