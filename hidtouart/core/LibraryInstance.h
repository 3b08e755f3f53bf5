#pragma once

#include "HidUartLibrary.h"

// The one library object of a loaded HID-to-UART shared library. Each shared library
// defines it over its own transport; the C entry points forward to it.
hidtouart::HidUartLibrary& loadedHidUartLibrary();
