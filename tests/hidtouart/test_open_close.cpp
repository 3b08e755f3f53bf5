#include "SimFixture.h"

#include <string>

using hidtouart::Cp2110Emulator;

namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> list) {
    std::vector<std::uint8_t> out;
    for (int b : list) {
        out.push_back(static_cast<std::uint8_t>(b));
    }
    return out;
}

std::string describe(const std::vector<Cp2110Emulator::FeatureAccess>& log) {
    std::string text;
    for (const auto& a : log) {
        text += a.set ? "set" : "get";
        for (auto b : a.report) {
            text += " " + std::to_string(b);
        }
        text += "; ";
    }
    return text;
}

} // namespace

using OpenClose = SimFixture;

TEST_F(OpenClose, OpenSpeaksTheHandshakeAndCloseTurnsTheUartOff) {
    const auto chip = bus.bridge("SIM0001");
    ASSERT_TRUE(chip);
    EXPECT_FALSE(chip->uartEnabled());
    void* handle = openFirst();
    ASSERT_NE(handle, nullptr);
    const auto log = chip->featureLog();
    // Version, the meter's line settings set and read back, UART on, both FIFOs purged.
    const std::vector<Cp2110Emulator::FeatureAccess> expected{
        {false, bytes({0x46})},
        {true, bytes({0x50, 0x00, 0x00, 0x25, 0x80, 0, 0, 3, 0})},
        {false, bytes({0x50})},
        {true, bytes({0x41, 0x01})},
        {true, bytes({0x43, 0x03})},
    };
    ASSERT_EQ(log.size(), expected.size()) << describe(log);
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].set, expected[i].set) << i;
        EXPECT_EQ(log[i].report, expected[i].report) << describe(log);
    }
    EXPECT_TRUE(chip->uartEnabled());
    EXPECT_EQ(chip->openHandles(), 1);

    chip->clearFeatureLog();
    EXPECT_EQ(library.close(handle), HID_UART_SUCCESS);
    EXPECT_FALSE(chip->uartEnabled());
    ASSERT_EQ(chip->featureLog().size(), 1u);
    EXPECT_EQ(chip->featureLog()[0].report, bytes({0x41, 0x00}));
    EXPECT_EQ(chip->openHandles(), 0);
    // The handle is gone: a second close and any use of it fail.
    EXPECT_EQ(library.close(handle), HID_UART_INVALID_DEVICE_OBJECT);
    std::uint8_t part = 0, version = 0;
    EXPECT_EQ(library.getPartNumber(handle, &part, &version), HID_UART_INVALID_DEVICE_OBJECT);
}

TEST_F(OpenClose, BytesSentBeforeTheOpenAreNotDelivered) {
    advanceMs(3000); // six frames reach a bridge nobody has opened
    void* handle = openFirst();
    EXPECT_TRUE(readAll(handle).empty());
    advanceMs(1000);
    EXPECT_FALSE(readAll(handle).empty());
    library.close(handle);
}
