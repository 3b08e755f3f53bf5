// The built libraries loaded the way the program loads them: by absolute path, every
// entry point resolved by name.
#include "SLABHIDtoUART.h"
#include "VelorSimControl.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

struct Closer {
    void operator()(void* handle) const { dlclose(handle); }
};
using Library = std::unique_ptr<void, Closer>;

const char* const entryPoints[] = {
    "HidUart_GetNumDevices", "HidUart_GetString",     "HidUart_GetOpenedString",
    "HidUart_GetHidGuid",    "HidUart_Open",          "HidUart_Close",
    "HidUart_IsOpened",      "HidUart_GetPartNumber", "HidUart_SetUartConfig",
    "HidUart_GetUartConfig", "HidUart_SetTimeouts",   "HidUart_GetPinConfig",
    "HidUart_ReadLatch",     "HidUart_Read",          "HidUart_Write",
};

template <typename F> F resolve(void* library, const char* name) {
    return reinterpret_cast<F>(dlsym(library, name));
}

class SharedLibrary : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(SharedLibrary, LoadsByAbsolutePathAndResolvesAllFifteenNames) {
    Library library(dlopen(GetParam(), RTLD_NOW | RTLD_LOCAL));
    ASSERT_TRUE(library) << dlerror();
    for (const char* name : entryPoints) {
        EXPECT_NE(dlsym(library.get(), name), nullptr) << name;
    }
    // Nothing but the C names leaks out of the library.
    EXPECT_EQ(dlsym(library.get(), "_ZN9hidtouart14HidUartLibrary4readEPvPhjPj"), nullptr);

    unsigned char guid[16] = {};
    ASSERT_EQ(resolve<HidUart_GetHidGuid_t>(library.get(), "HidUart_GetHidGuid")(guid),
              HID_UART_SUCCESS);
    // {4D1E55B2-F16F-11CF-88CB-001111000030}, the HID class, in memory order.
    EXPECT_EQ(guid[0], 0xB2);
    EXPECT_EQ(guid[3], 0x4D);
    EXPECT_EQ(guid[15], 0x30);
}

INSTANTIATE_TEST_SUITE_P(Built, SharedLibrary,
                         ::testing::Values(VELOR_HIDTOUART_SO, VELOR_HIDTOUART_SIM_SO));

// The real library over hidapi: this machine has no bridge, and asking is no error.
TEST(HidapiLibrary, EnumerationWithoutABridgeSucceeds) {
    Library library(dlopen(VELOR_HIDTOUART_SO, RTLD_NOW | RTLD_LOCAL));
    ASSERT_TRUE(library) << dlerror();
    const auto count = resolve<HidUart_GetNumDevices_t>(library.get(), "HidUart_GetNumDevices");
    std::uint32_t n = 99;
    ASSERT_EQ(count(&n, 0, 0), HID_UART_SUCCESS);
    if (std::getenv("VELOR_REAL_BRIDGE") == nullptr) {
        EXPECT_EQ(n, 0u);
    }
    char text[HID_UART_DEVICE_STRLEN];
    const auto getString = resolve<HidUart_GetString_t>(library.get(), "HidUart_GetString");
    EXPECT_EQ(getString(n, 0, 0, text, HID_UART_GET_SERIAL_STR), HID_UART_DEVICE_NOT_FOUND);
    HID_UART_DEVICE device = nullptr;
    const auto open = resolve<HidUart_Open_t>(library.get(), "HidUart_Open");
    EXPECT_EQ(open(&device, n, 0, 0), HID_UART_DEVICE_NOT_FOUND);
    EXPECT_EQ(device, nullptr);
}

// The simulated library: one bridge by default and the control hooks beside the
// fifteen names, acting on the same bridges.
TEST(SimLibrary, OneBridgeByDefaultAndTheHooksAct) {
    Library library(dlopen(VELOR_HIDTOUART_SIM_SO, RTLD_NOW | RTLD_LOCAL));
    ASSERT_TRUE(library) << dlerror();
    const auto reset = resolve<int (*)()>(library.get(), "VelorSim_Reset");
    const auto add = resolve<int (*)(const char*)>(library.get(), "VelorSim_AddBridge");
    const auto pull = resolve<int (*)(const char*)>(library.get(), "VelorSim_PullBridge");
    const auto fail = resolve<int (*)(const char*, int)>(library.get(), "VelorSim_FailStep");
    const auto manual = resolve<int (*)(int)>(library.get(), "VelorSim_SetManualClock");
    const auto advance = resolve<int (*)(std::uint64_t)>(library.get(), "VelorSim_AdvanceClock");
    ASSERT_TRUE(reset && add && pull && fail && manual && advance);
    ASSERT_EQ(reset(), 0);

    const auto count = resolve<HidUart_GetNumDevices_t>(library.get(), "HidUart_GetNumDevices");
    const auto getString = resolve<HidUart_GetString_t>(library.get(), "HidUart_GetString");
    const auto open = resolve<HidUart_Open_t>(library.get(), "HidUart_Open");
    const auto read = resolve<HidUart_Read_t>(library.get(), "HidUart_Read");
    const auto close = resolve<HidUart_Close_t>(library.get(), "HidUart_Close");

    std::uint32_t n = 0;
    ASSERT_EQ(count(&n, 0, 0), HID_UART_SUCCESS);
    ASSERT_EQ(n, 1u);
    char text[HID_UART_DEVICE_STRLEN];
    ASSERT_EQ(getString(0, 0, 0, text, HID_UART_GET_SERIAL_STR), HID_UART_SUCCESS);
    EXPECT_STREQ(text, "SIM0001");

    ASSERT_EQ(add("SIM0002"), 0);
    ASSERT_EQ(count(&n, 0, 0), HID_UART_SUCCESS);
    EXPECT_EQ(n, 2u);
    EXPECT_NE(pull("NOSUCH"), 0);

    ASSERT_EQ(manual(1), 0);
    HID_UART_DEVICE device = nullptr;
    ASSERT_EQ(open(&device, 0, 0, 0), HID_UART_SUCCESS);
    ASSERT_EQ(advance(1000), 0);
    std::uint8_t buffer[2048];
    std::uint32_t got = 0;
    EXPECT_EQ(read(device, buffer, sizeof buffer, &got), HID_UART_READ_TIMED_OUT);
    EXPECT_GE(got, 17u) << "a second of the simulated meter";

    ASSERT_EQ(fail("SIM0001", VELOR_SIM_FAIL_READ), 0);
    EXPECT_EQ(read(device, buffer, sizeof buffer, &got), HID_UART_READ_ERROR);
    ASSERT_EQ(pull("SIM0001"), 0);
    close(device); // the bridge is gone, so disabling its UART may fail; the handle goes
    EXPECT_EQ(close(device), HID_UART_INVALID_DEVICE_OBJECT);
    ASSERT_EQ(reset(), 0);
    ASSERT_EQ(count(&n, 0, 0), HID_UART_SUCCESS);
    EXPECT_EQ(n, 1u);
}
