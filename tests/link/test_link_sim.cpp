// The USB link over the simulated bridges of libslabhidtouart-sim: the meter's bytes
// end to end, unplugging the open bridge, an hour of meter output on the manual
// clock, and connect/disconnect cycles while data flows.
#include "LinkProbe.h"
#include "SimControl.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

using Strings = std::vector<std::string>;

class LinkSim : public ::testing::Test {
protected:
    LinkSim() : t(std::make_unique<TestLink>(SimControl::fileName)) {}
    ~LinkSim() override {
        t->link->OnDisconnect = nullptr;
        t->link->Disconnect();
    }

    SimControl sim; // reset before the link enumerates
    std::unique_ptr<TestLink> t;
};

// Counts 17-byte frames (0x00 0x0D … 0x0D 0x0A) in a byte stream.
int countFrames(const std::vector<std::uint8_t>& b) {
    int frames = 0;
    for (std::size_t i = 0; i + 17 <= b.size(); ++i) {
        if (b[i] == 0x00 && b[i + 1] == 0x0D && b[i + 15] == 0x0D && b[i + 16] == 0x0A) {
            ++frames;
            i += 16;
        }
    }
    return frames;
}

} // namespace

TEST_F(LinkSim, TheSimulatedMetersFramesArriveInPollSizedBatches) {
    EXPECT_EQ(t->link->DeviceName(), "SIM0001");
    ASSERT_EQ(t->link->DeviceList().count(), 1);
    EXPECT_EQ(t->link->DeviceList().value(0).toStdString(), sim.devicePath("SIM0001"));
    ASSERT_TRUE(t->link->Connect());
    EXPECT_EQ(t->link->openedDevice().serial, "SIM0001");
    ASSERT_TRUE(pumpUntil([this] { return countFrames(t->probe.bytes) >= 3; }, 5000));
    // At 9600 baud a 70 ms poll finds far less than a buffer.
    for (std::uint32_t n : t->probe.sizes) {
        EXPECT_LT(n, 200u);
    }
    EXPECT_TRUE(t->link->Disconnect());
}

TEST_F(LinkSim, PullingTheOpenBridgeRaisesRemovalDisconnectDeviceChange) {
    ASSERT_TRUE(t->link->Connect());
    t->probe.log.clear();
    const std::string path = sim.devicePath("SIM0001");
    ASSERT_EQ(sim.pullBridge("SIM0001"), 0);
    pumpFor(150); // the reader polls a pulled bridge: its reads fail, nothing arrives
    t->watcher->remove(QString::fromStdString(path));
    EXPECT_EQ(t->probe.log,
              (Strings{"Removal connected=1", "Disconnect", "DeviceChange connected=0"}));
    EXPECT_TRUE(t->link->DeviceList().isEmpty());
    // Plugged in again under a new path: listed again, OnArrival for it.
    ASSERT_EQ(sim.addBridge("SIM0001"), 0);
    t->probe.log.clear();
    t->watcher->arrive(QString::fromStdString(sim.devicePath("SIM0001")));
    EXPECT_EQ(t->probe.log, (Strings{"Arrival", "DeviceChange connected=0"}));
    EXPECT_EQ(t->link->DeviceList().count(), 1);
}

TEST_F(LinkSim, AnHourOfMeterOutputArrivesInOrderWithNothingLostOrRepeated) {
    // A capture of unique bytes, sent as the simulated meter sends: 17 bytes every
    // 500 ms, 7200 pieces in an hour.
    constexpr int pieces = 7200;
    std::vector<std::uint8_t> capture(pieces * 17);
    std::mt19937 random(7);
    for (auto& b : capture) {
        b = static_cast<std::uint8_t>(random());
    }
    QTemporaryDir dir;
    const QString file = dir.filePath("hour.bin");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(capture.data()), static_cast<qint64>(capture.size()));
    }
    // The meter's frame under way when the clock stops is let finish first.
    ASSERT_EQ(sim.setManualClock(1), 0);
    ASSERT_EQ(sim.setSource("SIM0001", "none"), 0);
    ASSERT_EQ(sim.advanceClock(1000), 0);
    ASSERT_EQ(sim.setSource("SIM0001", file.toLocal8Bit().constData()), 0);
    t->link->setReadTimeInterval(1);
    ASSERT_TRUE(t->link->Connect());
    // Five simulated seconds at a time stay well inside the bridge's report queue.
    for (int step = 1; step <= pieces / 10; ++step) {
        ASSERT_EQ(sim.advanceClock(5000), 0);
        const std::size_t expected = static_cast<std::size_t>(step) * 170;
        ASSERT_TRUE(pumpUntil([&] { return t->probe.bytes.size() >= expected; }, 5000))
            << "step " << step << ": " << t->probe.bytes.size() << " of " << expected;
    }
    pumpFor(20);
    ASSERT_EQ(t->probe.bytes.size(), capture.size());
    EXPECT_TRUE(t->probe.bytes == capture);
    EXPECT_TRUE(t->link->Disconnect());
}

TEST_F(LinkSim, AThousandConnectDisconnectCyclesWhileDataFlows) {
    t->link->setReadTimeInterval(1);
    const std::uint8_t frame[17] = {0x00, 0x0D, 1,  2,  3,  4,  5,    6,   7,
                                    8,    9,    10, 11, 12, 13, 0x0D, 0x0A};
    int connects = 0;
    int closes = 0;
    for (int i = 0; i < 1000; ++i) {
        if (t->link->Connect()) {
            ++connects;
        }
        sim.feedBytes("SIM0001", frame, sizeof frame);
        QCoreApplication::processEvents(QEventLoop::AllEvents, i % 3);
        if (i % 4 == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
        if (t->link->Disconnect()) {
            ++closes;
        }
    }
    EXPECT_EQ(connects, 1000);
    EXPECT_EQ(closes, 1000);
    EXPECT_FALSE(t->link->Connected());
    EXPECT_GT(t->probe.batches, 0);
    // Still connects and reads afterwards.
    ASSERT_TRUE(t->link->Connect());
    const std::size_t before = t->probe.bytes.size();
    sim.feedBytes("SIM0001", frame, sizeof frame);
    EXPECT_TRUE(pumpUntil([&] { return t->probe.bytes.size() >= before + 17; }));
}
