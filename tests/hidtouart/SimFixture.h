#pragma once

#include "HidUartLibrary.h"
#include "SLABHIDtoUART.h"
#include "SimBus.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// A bus with one bridge "SIM0001" on the manual clock, and the library over it.
class SimFixture : public ::testing::Test {
protected:
    SimFixture() : library(std::make_unique<hidtouart::EmulatorTransport>(&bus)) {
        bus.clock().setManual(true);
    }

    void advanceMs(std::uint64_t ms) { bus.clock().advanceUs(ms * 1000); }

    void* openFirst() {
        void* handle = nullptr;
        EXPECT_EQ(library.open(&handle, 0, 0, 0), HID_UART_SUCCESS);
        return handle;
    }

    // Everything the bridge has for us now.
    std::vector<std::uint8_t> readAll(void* handle) {
        std::vector<std::uint8_t> out;
        std::vector<std::uint8_t> buffer(2048);
        for (;;) {
            std::uint32_t n = 0;
            const int status = library.read(handle, buffer.data(), 2048, &n);
            EXPECT_TRUE(status == HID_UART_SUCCESS || status == HID_UART_READ_TIMED_OUT);
            out.insert(out.end(), buffer.begin(), buffer.begin() + n);
            if (n < 2048) {
                return out;
            }
        }
    }

    hidtouart::SimBus bus;
    hidtouart::HidUartLibrary library;
};
