// Connect and Disconnect of the USB link against the scripted library: every way the
// open can fail, what is configured and read back, the held handle, the thread that
// cannot start.
#include "LinkProbe.h"
#include "ScriptedControl.h"

#include <gtest/gtest.h>

#include <system_error>

namespace {

using Strings = std::vector<std::string>;

constexpr const char* pathA = "/dev/hidraw1";

struct FailureCase {
    const char* what;
    int step;                   // SCRIPTED_STEP_* refused, or -1
    std::uint32_t readbackBaud; // non-zero: configuration reads back this rate
    const char* deviceName;
    int handlesAfter; // handles still held after the failed connect
};

class ConnectFailure : public ::testing::TestWithParam<FailureCase> {};

} // namespace

TEST_P(ConnectFailure, RaisesError101AndReturnsFalse) {
    const FailureCase& c = GetParam();
    ScriptedControl script;
    script.addDevice("A1", pathA);
    if (c.step >= 0) {
        script.setStatus(pathA, c.step, HID_UART_DEVICE_IO_FAILED);
    }
    if (c.readbackBaud) {
        script.setReadbackBaud(pathA, c.readbackBaud);
    }
    TestLink t(ScriptedControl::fileName);
    t.link->setDeviceName(QString::fromLatin1(c.deviceName));
    EXPECT_FALSE(t.link->Connect());
    EXPECT_EQ(t.probe.log, (Strings{"Error 101"}));
    EXPECT_FALSE(t.link->Connected());
    EXPECT_EQ(script.openHandles(), c.handlesAfter);
    // The next Disconnect closes what the failed connect left open.
    EXPECT_EQ(t.link->Disconnect(), c.handlesAfter == 1);
    EXPECT_EQ(script.openHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Link, ConnectFailure,
    ::testing::Values(FailureCase{"emptyName", -1, 0, "", 0},
                      FailureCase{"nameDiffersInCase", -1, 0, "a1", 0},
                      FailureCase{"serialUnreadable", SCRIPTED_STEP_SERIAL, 0, "A1", 0},
                      FailureCase{"pathUnreadable", SCRIPTED_STEP_PATH, 0, "A1", 0},
                      FailureCase{"openRefused", SCRIPTED_STEP_OPEN, 0, "A1", 0},
                      FailureCase{"partNumberRefused", SCRIPTED_STEP_PART, 0, "A1", 1},
                      FailureCase{"setConfigRefused", SCRIPTED_STEP_SET_CONFIG, 0, "A1", 1},
                      FailureCase{"getConfigRefused", SCRIPTED_STEP_GET_CONFIG, 0, "A1", 1},
                      FailureCase{"configReadsBackOther", -1, 4800, "A1", 1},
                      FailureCase{"timeoutsRefused", SCRIPTED_STEP_TIMEOUTS, 0, "A1", 1}),
    [](const ::testing::TestParamInfo<FailureCase>& p) { return p.param.what; });

TEST(LinkConnect, FailedDeviceCountFailsTheConnect) {
    ScriptedControl script;
    script.addDevice("A1", pathA);
    TestLink t(ScriptedControl::fileName);
    script.setNumDevicesStatus(HID_UART_DEVICE_NOT_FOUND);
    EXPECT_FALSE(t.link->Connect());
    EXPECT_EQ(t.probe.log, (Strings{"Error 101"}));
}

TEST(LinkConnect, OpensTheMatchingSerialInItsCallOrderAndReadsItsStrings) {
    ScriptedControl script;
    script.addDevice("B2", "/dev/hidraw2");
    script.addDevice("A1", pathA);
    TestLink t(ScriptedControl::fileName);
    script.clearLog();
    ASSERT_TRUE(t.link->Connect());
    EXPECT_EQ(script.callLog(),
              "GetNumDevices GetString(serial) GetString(serial) Open GetString(path) "
              "GetPartNumber SetUartConfig GetUartConfig SetTimeouts GetPinConfig "
              "GetOpenedString GetOpenedString GetOpenedString GetOpenedString "
              "GetOpenedString GetOpenedString");
    EXPECT_EQ(t.probe.log, (Strings{"Connect"}));
    EXPECT_TRUE(t.link->Connected());
    const auto& d = t.link->openedDevice();
    EXPECT_EQ(d.enumeratedPath, pathA);
    EXPECT_EQ(d.serial, "A1");
    EXPECT_EQ(d.path, pathA);
    EXPECT_EQ(d.vendorId, "10C4");
    EXPECT_EQ(d.partNumber, 0x0A);
    EXPECT_EQ(d.pinConfig[12], 3);
    EXPECT_EQ(d.manufacturer, ""); // its call failed: left empty
    EXPECT_TRUE(t.link->Disconnect());
    EXPECT_EQ(t.probe.log, (Strings{"Connect", "Disconnect"}));
}

TEST(LinkConnect, AnotherConnectClosesTheHandleAFailedOneLeftOpen) {
    ScriptedControl script;
    script.addDevice("A1", pathA);
    script.setStatus(pathA, SCRIPTED_STEP_TIMEOUTS, HID_UART_DEVICE_IO_FAILED);
    TestLink t(ScriptedControl::fileName);
    EXPECT_FALSE(t.link->Connect());
    ASSERT_EQ(script.openHandles(), 1);
    script.setStatus(pathA, SCRIPTED_STEP_TIMEOUTS, 0);
    EXPECT_TRUE(t.link->Connect());
    EXPECT_EQ(script.openHandles(), 1);
    t.link->Disconnect();
    EXPECT_EQ(script.openHandles(), 0);
}

TEST(LinkConnect, ABridgeWhosePathFailsAtOpenIsClosedAndTheNextMatchIsUsed) {
    ScriptedControl script;
    script.addDevice("A1", pathA);
    script.addDevice("A1", "/dev/hidraw8");
    TestLink t(ScriptedControl::fileName);
    script.setStatus(pathA, SCRIPTED_STEP_PATH, HID_UART_DEVICE_ACCESS_ERROR);
    ASSERT_TRUE(t.link->Connect());
    EXPECT_EQ(t.link->openedDevice().enumeratedPath, "/dev/hidraw8");
    EXPECT_EQ(script.openHandles(), 1); // the first one was not leaked
    t.link->Disconnect();
}

struct LineCase {
    TBaudRate rate;
    TByteSize size;
    TParity parity;
    TStopBits stop;
    std::array<std::uint32_t, 5> codes; // rate, data bits, parity, stop bits, flow
};

class LineSettings : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineSettings, ArePassedAsTheirCodes) {
    const LineCase& c = GetParam();
    ScriptedControl script;
    script.addDevice("A1", pathA);
    TestLink t(ScriptedControl::fileName);
    t.link->setBaudRate(c.rate);
    t.link->setByteSize(c.size);
    t.link->setParity(c.parity);
    t.link->setStopBits(c.stop);
    ASSERT_TRUE(t.link->Connect());
    std::array<std::uint32_t, 5> codes{};
    script.lastUartConfig(codes.data());
    EXPECT_EQ(codes, c.codes);
    t.link->Disconnect();
}

INSTANTIATE_TEST_SUITE_P(
    Link, LineSettings,
    ::testing::Values(
        LineCase{
            TBaudRate::CBR_9600, TByteSize::_8, TParity::None, TStopBits::_1, {9600, 3, 0, 0, 0}},
        LineCase{TBaudRate::CBR_115200,
                 TByteSize::_7,
                 TParity::Space,
                 TStopBits::_1_5,
                 {115200, 2, 4, 1, 0}},
        LineCase{TBaudRate::CBR_300, TByteSize::_5, TParity::Odd, TStopBits::_2, {300, 0, 1, 1, 0}},
        LineCase{TBaudRate::CBR_256000,
                 TByteSize::_6,
                 TParity::Mark,
                 TStopBits::_1,
                 {256000, 1, 3, 0, 0}}));

TEST(LinkConnect, DefaultsAreTheMetersLine) {
    ScriptedControl script;
    TestLink t(ScriptedControl::fileName);
    const TCP2110& l = *t.link;
    EXPECT_EQ(l.BaudRate(), TBaudRate::CBR_9600);
    EXPECT_EQ(l.ByteSize(), TByteSize::_8);
    EXPECT_EQ(l.StopBits(), TStopBits::_1);
    EXPECT_EQ(l.Parity(), TParity::None);
    EXPECT_EQ(l.ReadTimeOuts(), 0u);
    EXPECT_EQ(l.WriteTimeOuts(), 500u);
    EXPECT_EQ(l.ReadTimeInterval(), 100u);
    EXPECT_EQ(l.pollPauseMs(), 70u);
    EXPECT_FALSE(l.ReadPause());
    EXPECT_FALSE(l.Connected());
}

TEST(LinkConnect, DisconnectWithNothingOpenRaisesDisconnectAndReturnsFalse) {
    ScriptedControl script;
    TestLink t(ScriptedControl::fileName);
    EXPECT_FALSE(t.link->Disconnect());
    EXPECT_EQ(t.probe.log, (Strings{"Disconnect"}));
    EXPECT_FALSE(t.link->Connected());
}

TEST(LinkConnect, AFailedCloseMakesDisconnectReturnFalse) {
    ScriptedControl script;
    script.addDevice("A1", pathA);
    script.setStatus(pathA, SCRIPTED_STEP_CLOSE, HID_UART_DEVICE_IO_FAILED);
    TestLink t(ScriptedControl::fileName);
    ASSERT_TRUE(t.link->Connect());
    EXPECT_FALSE(t.link->Disconnect());
    EXPECT_FALSE(t.link->Connected());
}

TEST(LinkConnect, AReaderThatCannotStartThrowsAndLeavesTheLinkDisconnected) {
    ScriptedControl script;
    script.addDevice("A1", pathA);
    auto watcher = std::make_unique<ManualDeviceWatcher>();
    TCP2110::Options options;
    options.libraryFileName = QString::fromLatin1(ScriptedControl::fileName);
    options.watcher = std::move(watcher);
    options.threadLauncher = [](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    };
    TCP2110 link(nullptr, std::move(options));
    LinkProbe probe;
    probe.attach(&link);
    try {
        link.Connect();
        FAIL() << "no error raised";
    } catch (const LinkError& e) {
        EXPECT_STREQ(e.what(), "Failed to Create Thread!");
    }
    EXPECT_FALSE(link.Connected());
    EXPECT_TRUE(probe.log.empty()); // neither OnConnect nor OnError
    EXPECT_EQ(script.readCalls(), 0u);
    EXPECT_TRUE(link.Disconnect()); // closes the device the connect had opened
    EXPECT_EQ(script.openHandles(), 0);
}
