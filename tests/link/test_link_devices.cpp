// The device list of the USB link: enumeration at creation, the device name chosen,
// and the arrival, removal and change notices with the order of their events.
#include "LinkProbe.h"
#include "ScriptedControl.h"
#include "UdevDeviceWatcher.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

QStringList qs(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* i : items) {
        out << QString::fromUtf8(i);
    }
    return out;
}

class LinkDevices : public ::testing::Test {
protected:
    std::unique_ptr<TestLink> create() {
        return std::make_unique<TestLink>(ScriptedControl::fileName);
    }
    ScriptedControl script;
};

} // namespace

TEST_F(LinkDevices, CreationListsSortedBridgesAndNamesTheFirst) {
    script.addDevice("B1", "/dev/hidraw3");
    script.addDevice("A7", "/dev/hidraw5");
    const auto t = create();
    EXPECT_EQ(t->link->DeviceList().entries(), qs({"A7=/dev/hidraw5", "B1=/dev/hidraw3"}));
    EXPECT_EQ(t->link->DeviceName(), "A7");
    EXPECT_TRUE(t->messages.empty());
}

TEST_F(LinkDevices, RegistersForTheLibrarysHidGuidBeforeEnumerating) {
    script.addDevice("A", "/dev/hidraw0");
    const auto t = create();
    ASSERT_TRUE(t->watcher->filter().has_value());
    const DeviceInterfaceFilter& f = *t->watcher->filter();
    EXPECT_EQ(f.size, 32u);
    EXPECT_EQ(f.deviceType, 5u);
    EXPECT_EQ(f.reserved, 0u);
    const std::array<std::uint8_t, 16> hid{0xB2, 0x55, 0x1E, 0x4D, 0x6F, 0xF1, 0xCF, 0x11,
                                           0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30};
    EXPECT_EQ(f.classGuid, hid);
    EXPECT_EQ(script.callLog(), "GetHidGuid GetNumDevices GetString(serial) GetString(path)");
}

TEST_F(LinkDevices, ABridgeWithoutReadableSerialOrPathIsNotListed) {
    script.addDevice("S1", "/dev/hidraw1");
    script.addDevice("S2", "/dev/hidraw2");
    script.addDevice("S3", "/dev/hidraw3");
    script.setStatus("/dev/hidraw1", SCRIPTED_STEP_SERIAL, HID_UART_DEVICE_ACCESS_ERROR);
    script.setStatus("/dev/hidraw2", SCRIPTED_STEP_PATH, HID_UART_DEVICE_ACCESS_ERROR);
    const auto t = create();
    EXPECT_EQ(t->link->DeviceList().entries(), qs({"S3=/dev/hidraw3"}));
    EXPECT_EQ(t->link->DeviceName(), "S3");
    // Neither can be opened by naming it.
    for (const char* name : {"S1", "S2"}) {
        t->link->setDeviceName(QString::fromLatin1(name));
        EXPECT_FALSE(t->link->Connect()) << name;
    }
    EXPECT_EQ(script.openHandles(), 0);
}

TEST_F(LinkDevices, DeviceNameSkipsBlankSerialsAndIsEmptyWithoutBridges) {
    {
        script.addDevice(" \t", "/dev/hidraw0");
        script.addDevice("C9", "/dev/hidraw1");
        const auto t = create();
        EXPECT_EQ(t->link->DeviceList().count(), 2);
        EXPECT_EQ(t->link->DeviceName(), "C9");
    }
    script.reset();
    const auto empty = create();
    EXPECT_TRUE(empty->link->DeviceList().isEmpty());
    EXPECT_EQ(empty->link->DeviceName(), "");
}

TEST_F(LinkDevices, FailedDeviceCountLeavesTheListEmpty) {
    script.addDevice("A1", "/dev/hidraw0");
    script.setNumDevicesStatus(HID_UART_DEVICE_NOT_FOUND);
    const auto t = create();
    EXPECT_TRUE(t->link->DeviceList().isEmpty());
    EXPECT_EQ(t->link->DeviceName(), "");
}

TEST_F(LinkDevices, ReplugInOtherCaseIsNotListedTwiceButRaisesArrival) {
    script.addDevice("ab12", "/dev/hidraw0");
    const auto t = create();
    script.addDevice("AB12", "/dev/hidraw7");
    t->watcher->arrive("/DEV/HIDRAW7"); // paths compare ignoring case
    EXPECT_EQ(t->probe.log, (Strings{"Arrival", "DeviceChange connected=0"}));
    EXPECT_EQ(t->link->DeviceList().entries(), qs({"ab12=/dev/hidraw0"}));
}

TEST_F(LinkDevices, ArrivalAddsEveryMissingBridgeSortedAndRaisesOncePerMatchingPath) {
    script.addDevice("M2", "/dev/hidraw2");
    const auto t = create();
    script.addDevice("K1", "/dev/hidraw1");
    script.addDevice("Z0", "/dev/hidraw9");
    script.setStatus("/dev/hidraw9", SCRIPTED_STEP_SERIAL, HID_UART_DEVICE_ACCESS_ERROR);
    t->watcher->arrive("/dev/hidraw9");
    // Z0's path matched, so OnArrival is raised though its serial cannot be read.
    EXPECT_EQ(t->probe.log, (Strings{"Arrival", "DeviceChange connected=0"}));
    EXPECT_EQ(t->link->DeviceList().entries(), qs({"K1=/dev/hidraw1", "M2=/dev/hidraw2"}));
    // The device name is the owner's to change after a device change.
    EXPECT_EQ(t->link->DeviceName(), "M2");
}

TEST_F(LinkDevices, RemovalOfAnotherDeviceRaisesOnlyDeviceChange) {
    script.addDevice("A1", "/dev/hidraw1");
    script.addDevice("B2", "/dev/hidraw2");
    const auto t = create();
    ASSERT_TRUE(t->link->Connect());
    t->probe.log.clear();
    script.removeDevice("/dev/hidraw2");
    t->watcher->remove("/dev/hidraw2");
    EXPECT_EQ(t->probe.log, (Strings{"DeviceChange connected=1"}));
    EXPECT_EQ(t->link->DeviceList().entries(), qs({"A1=/dev/hidraw1"}));
    EXPECT_TRUE(t->link->Connected());
    t->link->Disconnect();
}

TEST_F(LinkDevices, RemovalOfTheOpenDeviceDisconnectsBeforeTheDeviceChange) {
    script.addDevice("A1", "/dev/hidraw1");
    const auto t = create();
    ASSERT_TRUE(t->link->Connect());
    t->probe.log.clear();
    script.removeDevice("/dev/hidraw1");
    t->watcher->remove("/dev/HIDRAW1");
    EXPECT_EQ(t->probe.log,
              (Strings{"Removal connected=1", "Disconnect", "DeviceChange connected=0"}));
    EXPECT_TRUE(t->link->DeviceList().isEmpty());
    EXPECT_EQ(script.openHandles(), 0);
}

TEST_F(LinkDevices, RemovalWhileNothingIsOpenOnlyDropsTheEntry) {
    script.addDevice("A1", "/dev/hidraw1");
    script.addDevice("A1", "/dev/hidraw4");
    const auto t = create();
    t->watcher->remove("/dev/hidraw4");
    EXPECT_EQ(t->probe.log, (Strings{"DeviceChange connected=0"}));
    EXPECT_EQ(t->link->DeviceList().entries(), qs({"A1=/dev/hidraw1"}));
}

TEST_F(LinkDevices, OtherDeviceChangesRaiseOnlyDeviceChange) {
    script.addDevice("A1", "/dev/hidraw1");
    const auto t = create();
    script.clearLog();
    t->watcher->change();
    EXPECT_EQ(t->probe.log, (Strings{"DeviceChange connected=0"}));
    EXPECT_EQ(script.callLog(), ""); // the library is not asked
    EXPECT_EQ(t->link->DeviceList().count(), 1);
}

TEST_F(LinkDevices, DestructionDisconnectsAndClosesTheOpenDevice) {
    script.addDevice("A1", "/dev/hidraw1");
    auto t = create();
    ASSERT_TRUE(t->link->Connect());
    ASSERT_EQ(script.openHandles(), 1);
    t->link->OnDisconnect = nullptr;
    t->link.reset();
    EXPECT_EQ(script.openHandles(), 0);
}

TEST(UdevWatcher, RegistersOnTheHidrawMonitorAndUnregistersCleanly) {
    UdevDeviceWatcher watcher;
    // Where the machine has no udev netlink socket (some containers) registration is
    // refused; the link then simply hears of no devices coming and going.
    const bool registered =
        watcher.registerNotifications(DeviceInterfaceFilter{}, [](const DeviceNotice&) {});
    if (registered) {
        pumpFor(50);
        watcher.unregisterNotifications();
        // Registering again after an unregistration works as the first time.
        EXPECT_TRUE(
            watcher.registerNotifications(DeviceInterfaceFilter{}, [](const DeviceNotice&) {}));
    }
    watcher.unregisterNotifications();
    pumpFor(10); // the notifier goes with the event loop's deferred deletes
}
