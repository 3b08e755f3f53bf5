#include "SimFixture.h"

#include "FrameAssembler.h"

#include <chrono>
#include <cstring>
#include <string>

using hidtouart::Cp2110Emulator;

namespace {

std::string text(const char* buffer) { return std::string(buffer); }

} // namespace

using EntryPoints = SimFixture;

TEST_F(EntryPoints, DevicesAreCountedAndDescribedByIndex) {
    bus.addBridge("B1");
    bus.addBridge("A7", 0xEAB0); // a CP2114 is listed too
    bus.addBridge("OTHER", 0x1234, 0x0483); // an unrelated HID device never is

    std::uint32_t count = 0;
    ASSERT_EQ(library.getNumDevices(&count, 0, 0), HID_UART_SUCCESS);
    EXPECT_EQ(count, 3u);
    ASSERT_EQ(library.getNumDevices(&count, 0x10C4, 0xEAB0), HID_UART_SUCCESS);
    EXPECT_EQ(count, 1u);
    ASSERT_EQ(library.getNumDevices(&count, 0x0483, 0x1234), HID_UART_SUCCESS);
    EXPECT_EQ(count, 1u) << "an explicit VID/PID reaches exactly that device";

    std::vector<std::string> serials;
    char buffer[HID_UART_DEVICE_STRLEN];
    for (std::uint32_t i = 0; i < 3; ++i) {
        ASSERT_EQ(library.getString(i, 0, 0, buffer, HID_UART_GET_SERIAL_STR), HID_UART_SUCCESS);
        serials.push_back(text(buffer));
        ASSERT_EQ(library.getString(i, 0, 0, buffer, HID_UART_GET_PATH_STR), HID_UART_SUCCESS);
        EXPECT_EQ(text(buffer), bus.pathOf(serials.back()));
        ASSERT_EQ(library.getString(i, 0, 0, buffer, HID_UART_GET_VID_STR), HID_UART_SUCCESS);
        EXPECT_EQ(text(buffer), "10C4");
    }
    EXPECT_EQ(serials, (std::vector<std::string>{"SIM0001", "B1", "A7"}));

    EXPECT_EQ(library.getString(3, 0, 0, buffer, HID_UART_GET_SERIAL_STR),
              HID_UART_DEVICE_NOT_FOUND);
    EXPECT_EQ(library.getString(0, 0, 0, buffer, 0), HID_UART_INVALID_PARAMETER);
    EXPECT_EQ(library.getString(0, 0, 0, buffer, 7), HID_UART_INVALID_PARAMETER);
    EXPECT_EQ(library.getNumDevices(nullptr, 0, 0), HID_UART_INVALID_PARAMETER);
}

TEST_F(EntryPoints, OpenedDeviceTellsItsStringsAndPart) {
    void* handle = openFirst();
    std::int32_t opened = 0;
    EXPECT_EQ(library.isOpened(handle, &opened), HID_UART_SUCCESS);
    EXPECT_EQ(opened, 1);

    char buffer[HID_UART_DEVICE_STRLEN];
    ASSERT_EQ(library.getOpenedString(handle, buffer, HID_UART_GET_SERIAL_STR), HID_UART_SUCCESS);
    EXPECT_EQ(text(buffer), "SIM0001");
    ASSERT_EQ(library.getOpenedString(handle, buffer, HID_UART_GET_PATH_STR), HID_UART_SUCCESS);
    EXPECT_EQ(text(buffer), bus.pathOf("SIM0001"));
    ASSERT_EQ(library.getOpenedString(handle, buffer, HID_UART_GET_PID_STR), HID_UART_SUCCESS);
    EXPECT_EQ(text(buffer), "EA80");

    std::uint8_t part = 0, version = 0;
    ASSERT_EQ(library.getPartNumber(handle, &part, &version), HID_UART_SUCCESS);
    EXPECT_EQ(part, 0x0A);

    library.close(handle);
    EXPECT_EQ(library.isOpened(handle, &opened), HID_UART_INVALID_DEVICE_OBJECT);
    EXPECT_EQ(library.isOpened(nullptr, &opened), HID_UART_INVALID_DEVICE_OBJECT);
}

struct LineCase {
    std::uint32_t baud;
    std::uint8_t dataBits;
    std::uint8_t parity;
    std::uint8_t stopBits;
    std::uint8_t flow;
    bool accepted;
};

class UartConfigCases : public SimFixture, public ::testing::WithParamInterface<LineCase> {};

TEST_P(UartConfigCases, ConfigurationIsSetAndReadBackOrRefused) {
    const LineCase c = GetParam();
    void* handle = openFirst();
    const int status = library.setUartConfig(handle, c.baud, c.dataBits, c.parity, c.stopBits,
                                             c.flow);
    std::uint32_t baud = 0;
    std::uint8_t dataBits = 9, parity = 9, stopBits = 9, flow = 9;
    ASSERT_EQ(library.getUartConfig(handle, &baud, &dataBits, &parity, &stopBits, &flow),
              HID_UART_SUCCESS);
    if (c.accepted) {
        EXPECT_EQ(status, HID_UART_SUCCESS);
        EXPECT_EQ(baud, c.baud);
        EXPECT_EQ(dataBits, c.dataBits);
        EXPECT_EQ(parity, c.parity);
        EXPECT_EQ(stopBits, c.stopBits);
        EXPECT_EQ(flow, c.flow);
    } else {
        EXPECT_NE(status, HID_UART_SUCCESS);
        EXPECT_EQ(baud, 9600u) << "a refused setting leaves the line as it was";
        EXPECT_EQ(dataBits, HID_UART_EIGHT_DATA_BITS);
    }
    library.close(handle);
}

// The rates of the link's rate list that the chip can run, every code of the other
// settings, and what the chip refuses.
INSTANTIATE_TEST_SUITE_P(
    Lines, UartConfigCases,
    ::testing::Values(LineCase{300, 3, 0, 0, 0, true}, LineCase{600, 3, 0, 0, 0, true},
                      LineCase{1200, 3, 0, 0, 0, true}, LineCase{2400, 3, 0, 0, 0, true},
                      LineCase{4800, 3, 0, 0, 0, true}, LineCase{9600, 3, 0, 0, 0, true},
                      LineCase{14400, 3, 0, 0, 0, true}, LineCase{19200, 3, 0, 0, 0, true},
                      LineCase{38400, 3, 0, 0, 0, true}, LineCase{56000, 3, 0, 0, 0, true},
                      LineCase{57600, 3, 0, 0, 0, true}, LineCase{115200, 3, 0, 0, 0, true},
                      LineCase{128000, 3, 0, 0, 0, true}, LineCase{256000, 3, 0, 0, 0, true},
                      LineCase{9600, 0, 0, 0, 0, true}, LineCase{9600, 1, 1, 1, 0, true},
                      LineCase{9600, 2, 2, 1, 1, true}, LineCase{9600, 3, 3, 0, 0, true},
                      LineCase{9600, 3, 4, 0, 0, true},
                      // 110 baud is below the chip's range; codes past the last one
                      LineCase{110, 3, 0, 0, 0, false}, LineCase{9600, 4, 0, 0, 0, false},
                      LineCase{9600, 3, 5, 0, 0, false}, LineCase{9600, 3, 0, 2, 0, false},
                      LineCase{9600, 3, 0, 0, 2, false}));

TEST_F(EntryPoints, PinConfigurationGivesThirteenModesAndTheFiveValues) {
    const auto chip = bus.bridge("SIM0001");
    hidtouart::cp2110::PinConfig pins;
    for (std::size_t i = 0; i < pins.modes.size(); ++i) {
        pins.modes[i] = static_cast<std::uint8_t>(i % 4);
    }
    pins.suspendLatch = 0x1234;
    pins.suspendMode = 0x8001; // bit 15: the suspend values are used
    pins.rs485Level = 1;
    pins.clockDivider = 7;
    const int node = chip->attach();
    const auto report = hidtouart::cp2110::encodePinConfig(pins);
    ASSERT_EQ(chip->sendFeature(node, report.data(), report.size()),
              static_cast<int>(report.size()));
    chip->detach(node);

    void* handle = openFirst();
    std::uint8_t modes[13] = {};
    std::int32_t useSuspend = -1;
    std::uint16_t suspendValue = 0, suspendMode = 0;
    std::uint8_t rs485 = 0, clockDivider = 0;
    ASSERT_EQ(library.getPinConfig(handle, modes, &useSuspend, &suspendValue, &suspendMode,
                                   &rs485, &clockDivider),
              HID_UART_SUCCESS);
    EXPECT_EQ(std::memcmp(modes, pins.modes.data(), 13), 0);
    EXPECT_EQ(useSuspend, 1);
    EXPECT_EQ(suspendValue, 0x1234);
    EXPECT_EQ(suspendMode & 0x7FFF, 0x0001);
    EXPECT_EQ(rs485, 1);
    EXPECT_EQ(clockDivider, 7);
    EXPECT_EQ(library.getPinConfig(handle, nullptr, &useSuspend, &suspendValue, &suspendMode,
                                   &rs485, &clockDivider),
              HID_UART_INVALID_PARAMETER);

    std::uint16_t latch = 0xFFFF;
    EXPECT_EQ(library.readLatch(handle, &latch), HID_UART_SUCCESS);
    library.close(handle);
}

TEST_F(EntryPoints, ReadGivesSuccessOnlyForTheFullCountAndKeepsTheSurplus) {
    void* handle = openFirst();
    ASSERT_EQ(library.setTimeouts(handle, 0, 500), HID_UART_SUCCESS);
    ASSERT_TRUE(bus.setSource("SIM0001", "none")); // only our bytes on the line
    const auto chip = bus.bridge("SIM0001");

    std::uint8_t buffer[64];
    std::uint32_t n = 99;
    // Nothing queued: at once, 0x12 with 0 bytes.
    EXPECT_EQ(library.read(handle, buffer, 17, &n), HID_UART_READ_TIMED_OUT);
    EXPECT_EQ(n, 0u);

    std::vector<std::uint8_t> sent(40);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<std::uint8_t>(i + 1);
    }
    chip->feed(sent.data(), sent.size());
    advanceMs(100); // 40 bytes at 9600 baud take about 42 ms

    // Ask for 5: success with exactly 5; the rest of the report waits for the next read.
    ASSERT_EQ(library.read(handle, buffer, 5, &n), HID_UART_SUCCESS);
    ASSERT_EQ(n, 5u);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 5),
              std::vector<std::uint8_t>(sent.begin(), sent.begin() + 5));
    // Ask for more than there is: 0x12 with the 35 left.
    ASSERT_EQ(library.read(handle, buffer, 64, &n), HID_UART_READ_TIMED_OUT);
    ASSERT_EQ(n, 35u);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 35),
              std::vector<std::uint8_t>(sent.begin() + 5, sent.end()));

    EXPECT_EQ(library.read(handle, buffer, 0, &n), HID_UART_INVALID_REQUEST_LENGTH);
    EXPECT_EQ(library.read(handle, buffer, HID_UART_MAX_READ_SIZE + 1, &n),
              HID_UART_INVALID_REQUEST_LENGTH);
    library.close(handle);
}

TEST_F(EntryPoints, AnHourOfMeterOutputArrivesWholeInOrder) {
    void* handle = openFirst();
    const auto chip = bus.bridge("SIM0001");
    FrameAssembler assembler;
    std::uint64_t frames = 0;
    std::uint64_t bytes = 0;
    // The reader's rhythm: one read of up to 2048 bytes every 70 ms of meter time.
    for (int poll = 0; poll < 3600 * 1000 / 70; ++poll) {
        advanceMs(70);
        std::uint8_t buffer[2048];
        std::uint32_t n = 0;
        const int status = library.read(handle, buffer, sizeof buffer, &n);
        ASSERT_TRUE(status == HID_UART_SUCCESS || status == HID_UART_READ_TIMED_OUT);
        bytes += n;
        assembler.append(buffer, n);
        FramePayload payload;
        while (assembler.takeOldest(&payload)) {
            ++frames;
        }
    }
    // Every byte that completed on the line was read (but what is still gathering into
    // the chip's next report), and it formed only whole frames.
    EXPECT_LE(bytes, chip->bytesReceived());
    EXPECT_LT(chip->bytesReceived() - bytes, 64u);
    EXPECT_EQ(chip->droppedReports(), 0u);
    EXPECT_NEAR(static_cast<double>(frames), 7200.0, 40.0) << "about two frames per second";
    EXPECT_EQ(bytes / 17, frames) << "nothing lost, nothing doubled";
    EXPECT_EQ(assembler.size(), bytes % 17);
    library.close(handle);
}

TEST_F(EntryPoints, ALineConfiguredOtherwiseReceivesGarbledBytes) {
    void* handle = openFirst();
    ASSERT_EQ(library.setUartConfig(handle, 19200, 3, 0, 0, 0), HID_UART_SUCCESS);
    ASSERT_TRUE(bus.setSource("SIM0001", "none"));
    const std::vector<std::uint8_t> sent{0x00, 0x0D, 0x12, 0x34, 0x0D, 0x0A};
    bus.bridge("SIM0001")->feed(sent.data(), sent.size());
    advanceMs(100);
    const auto got = readAll(handle);
    EXPECT_NE(got, sent);
    library.close(handle);
}

TEST_F(EntryPoints, ABridgePulledOutMidStreamFailsTheReadAndCloseStillReleasesIt) {
    void* handle = openFirst();
    advanceMs(2000);
    EXPECT_FALSE(readAll(handle).empty());
    ASSERT_TRUE(bus.pull("SIM0001"));
    std::uint8_t buffer[64];
    std::uint32_t n = 99;
    EXPECT_EQ(library.read(handle, buffer, 64, &n), HID_UART_READ_ERROR);
    EXPECT_EQ(n, 0u);
    char strings[HID_UART_DEVICE_STRLEN];
    // What was read at open stays readable; the device itself is gone.
    EXPECT_EQ(library.getOpenedString(handle, strings, HID_UART_GET_SERIAL_STR),
              HID_UART_SUCCESS);
    library.close(handle);
    EXPECT_EQ(library.openHandles(), 0u);
    std::uint32_t count = 9;
    library.getNumDevices(&count, 0, 0);
    EXPECT_EQ(count, 0u);
}

TEST_F(EntryPoints, TheFailureHooksFailTheStepTheyName) {
    const auto chip = bus.bridge("SIM0001");
    void* handle = nullptr;
    chip->setFault(hidtouart::SimFault::Open, true);
    EXPECT_NE(library.open(&handle, 0, 0, 0), HID_UART_SUCCESS);
    EXPECT_EQ(handle, nullptr);
    chip->clearFaults();

    chip->setFault(hidtouart::SimFault::Strings, true);
    char buffer[HID_UART_DEVICE_STRLEN];
    EXPECT_NE(library.getString(0, 0, 0, buffer, HID_UART_GET_SERIAL_STR), HID_UART_SUCCESS);
    chip->clearFaults();

    handle = openFirst();
    chip->setFault(hidtouart::SimFault::ConfigReadback, true);
    std::uint32_t baud = 0;
    std::uint8_t d, p, s, f;
    ASSERT_EQ(library.getUartConfig(handle, &baud, &d, &p, &s, &f), HID_UART_SUCCESS);
    EXPECT_NE(baud, 9600u);
    chip->setFault(hidtouart::SimFault::Read, true);
    std::uint32_t n = 0;
    EXPECT_EQ(library.read(handle, reinterpret_cast<std::uint8_t*>(buffer), 17, &n),
              HID_UART_READ_ERROR);
    chip->clearFaults();
    library.close(handle);
}

TEST_F(EntryPoints, WriteSendsTheBytesToTheLineAndATimeOutIsWaitedOnTheRealClock) {
    bus.clock().setManual(false);
    ASSERT_TRUE(bus.setSource("SIM0001", "none"));
    void* handle = openFirst();
    std::uint8_t command[70] = {1, 2, 3};
    std::uint32_t written = 0;
    ASSERT_EQ(library.write(handle, command, sizeof command, &written), HID_UART_SUCCESS);
    EXPECT_EQ(written, 70u);
    EXPECT_EQ(bus.bridge("SIM0001")->bytesSentToMeter(), 70u);

    ASSERT_EQ(library.setTimeouts(handle, 60, 500), HID_UART_SUCCESS);
    std::uint8_t buffer[17];
    std::uint32_t n = 99;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(library.read(handle, buffer, 17, &n), HID_UART_READ_TIMED_OUT);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(n, 0u);
    EXPECT_GE(waited, std::chrono::milliseconds(50)) << "the read waited for its time-out";
    library.close(handle);
}
