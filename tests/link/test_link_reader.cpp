// The reader thread of the USB link against the scripted library: which reads are
// delivered, the poll pause, the read pause, and Disconnect while the reader is
// blocked in a hand-off or inside the library.
#include "LinkProbe.h"
#include "ScriptedControl.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <numeric>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes counting(std::size_t n, std::uint8_t first = 1) {
    Bytes b(n);
    std::iota(b.begin(), b.end(), first);
    return b;
}

class LinkReader : public ::testing::Test {
protected:
    LinkReader() {
        script.addDevice("A1", "/dev/hidraw1");
        t = std::make_unique<TestLink>(ScriptedControl::fileName);
    }
    ~LinkReader() override {
        script.holdReads(0);
        t->link->OnDisconnect = nullptr;
        t->link->OnReceiveData = nullptr;
        t->link->Disconnect();
    }
    void queue(int status, const Bytes& bytes, std::uint32_t reported) {
        script.queueRead(status, bytes.data(), static_cast<std::uint32_t>(bytes.size()), reported);
    }
    // Waits until the reader has taken every queued read and a few more polls.
    void drain() {
        ASSERT_TRUE(pumpUntil([this] { return script.queuedReads() == 0; }));
        const std::uint32_t calls = script.readCalls();
        ASSERT_TRUE(pumpUntil([&] { return script.readCalls() >= calls + 2; }));
    }

    ScriptedControl script;
    std::unique_ptr<TestLink> t;
};

struct ReadCase {
    const char* what;
    int status;
    std::size_t copied;
    std::uint32_t reported;
    std::uint32_t delivered;
};

class ReadResults : public LinkReader, public ::testing::WithParamInterface<ReadCase> {};

} // namespace

TEST_P(ReadResults, DeliverExactlyTheBytesRead) {
    const ReadCase& c = GetParam();
    ASSERT_TRUE(t->link->Connect());
    queue(c.status, counting(c.copied), c.reported);
    drain();
    EXPECT_EQ(t->probe.bytes, counting(c.delivered)) << c.what;
    EXPECT_EQ(t->probe.batches, c.delivered > 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Link, ReadResults,
    ::testing::Values(ReadCase{"timedOutWithFive", HID_UART_READ_TIMED_OUT, 5, 5, 5},
                      ReadCase{"successWithNone", HID_UART_SUCCESS, 0, 0, 0},
                      ReadCase{"successWithFull", HID_UART_SUCCESS, 2048, 2048, 2048},
                      ReadCase{"readErrorWithBytes", HID_UART_READ_ERROR, 5, 5, 0},
                      ReadCase{"ioFailedWithBytes", HID_UART_DEVICE_IO_FAILED, 9, 9, 0},
                      // a count beyond the buffer is cut to the buffer
                      ReadCase{"countBeyondBuffer", HID_UART_SUCCESS, 2048, 5000, 2048}),
    [](const ::testing::TestParamInfo<ReadCase>& p) { return p.param.what; });

TEST_F(LinkReader, BatchesArriveOneAtATimeInTheOrderRead) {
    ASSERT_TRUE(t->link->Connect());
    t->link->setReadTimeInterval(1);
    Bytes expected;
    for (int i = 0; i < 50; ++i) {
        const Bytes chunk =
            counting(static_cast<std::size_t>(1 + i % 17), static_cast<std::uint8_t>(i));
        queue(HID_UART_READ_TIMED_OUT, chunk, static_cast<std::uint32_t>(chunk.size()));
        expected.insert(expected.end(), chunk.begin(), chunk.end());
    }
    drain();
    EXPECT_EQ(t->probe.batches, 50);
    EXPECT_EQ(t->probe.bytes, expected);
}

TEST_F(LinkReader, ReadTimeIntervalChangesThePauseOnlyWhenItsValueChanges) {
    t->link->setReadTimeInterval(100);
    EXPECT_EQ(t->link->pollPauseMs(), 70u);
    EXPECT_EQ(t->link->ReadTimeInterval(), 100u);
    t->link->setReadTimeInterval(50);
    EXPECT_EQ(t->link->pollPauseMs(), 50u);
    EXPECT_EQ(t->link->ReadTimeInterval(), 50u);
    t->link->setReadTimeInterval(100);
    EXPECT_EQ(t->link->pollPauseMs(), 100u);
}

TEST_F(LinkReader, ThePollPauseSpacesTheReads) {
    ASSERT_TRUE(t->link->Connect());
    t->link->setReadTimeInterval(50);
    const std::uint32_t before = script.readCalls();
    pumpFor(500);
    const std::uint32_t polls = script.readCalls() - before;
    // About ten polls in half a second; never one per event-loop turn.
    EXPECT_GE(polls, 5u);
    EXPECT_LE(polls, 12u);
}

TEST_F(LinkReader, ReadPauseIsIgnoredWhileDisconnected) {
    t->link->setReadPause(true);
    EXPECT_FALSE(t->link->ReadPause());
    ASSERT_TRUE(t->link->Connect());
    EXPECT_TRUE(pumpUntil([this] { return script.readCalls() > 0; }));
}

TEST_F(LinkReader, ReadPauseHaltsTheReaderBetweenPollsUntilReleased) {
    ASSERT_TRUE(t->link->Connect());
    t->link->setReadTimeInterval(5);
    t->link->setReadPause(true);
    EXPECT_TRUE(t->link->ReadPause());
    pumpFor(50); // a poll under way when the pause came ends normally
    const std::uint32_t calls = script.readCalls();
    queue(HID_UART_SUCCESS, counting(3), 3);
    pumpFor(200);
    EXPECT_EQ(script.readCalls(), calls);
    EXPECT_TRUE(t->probe.bytes.empty());
    t->link->setReadPause(false);
    drain();
    EXPECT_EQ(t->probe.bytes, counting(3));
}

TEST_F(LinkReader, APausedReaderStillStopsAndANewConnectionReads) {
    ASSERT_TRUE(t->link->Connect());
    t->link->setReadPause(true);
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(t->link->Disconnect());
    EXPECT_LT(timer.elapsed(), 500);
    ASSERT_TRUE(t->link->Connect());
    EXPECT_FALSE(t->link->ReadPause());
    queue(HID_UART_SUCCESS, counting(4), 4);
    drain();
    EXPECT_EQ(t->probe.bytes, counting(4));
}

TEST_F(LinkReader, DisconnectCompletesTheHandOffTheReaderIsBlockedIn) {
    ASSERT_TRUE(t->link->Connect());
    queue(HID_UART_SUCCESS, counting(7), 7);
    // The event loop is not run: the reader sends and stays blocked in the hand-off.
    QElapsedTimer wait;
    wait.start();
    while (script.queuedReads() != 0 && wait.elapsed() < 2000) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(t->probe.bytes.empty());
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(t->link->Disconnect());
    EXPECT_LT(timer.elapsed(), 1000);
    // The late batch was raised inside Disconnect, before its OnDisconnect.
    EXPECT_EQ(t->probe.bytes, counting(7));
    EXPECT_EQ(t->probe.log, (std::vector<std::string>{"Connect", "Disconnect"}));
    pumpFor(50); // the queued call finds nothing left to deliver
    EXPECT_EQ(t->probe.batches, 1);
}

TEST_F(LinkReader, DisconnectOutwaitsAReadThatBlocksAndDeliversItsBytes) {
    ASSERT_TRUE(t->link->Connect());
    script.holdReads(1);
    const std::uint32_t before = script.readCalls();
    // A read begun after the hold waits inside the library.
    ASSERT_TRUE(pumpUntil([&] { return script.readCalls() > before; }));
    queue(HID_UART_SUCCESS, counting(11), 11);
    std::thread release([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1400));
        script.holdReads(0);
    });
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(t->link->Disconnect());
    const qint64 elapsed = timer.elapsed();
    release.join();
    // Beyond the bounded wait the reader was asked to terminate and waited for.
    EXPECT_GE(elapsed, 1300);
    EXPECT_LT(elapsed, 3000);
    EXPECT_EQ(t->probe.bytes, counting(11));
}

TEST_F(LinkReader, DisconnectFromInsideTheDataHandlerDoesNotDeadlock) {
    ASSERT_TRUE(t->link->Connect());
    bool disconnected = false;
    t->link->OnReceiveData = [&](QObject*, const std::uint8_t* data, std::uint32_t n) {
        t->probe.bytes.insert(t->probe.bytes.end(), data, data + n);
        disconnected = t->link->Disconnect();
        // The bytes stay valid for the rest of the handler.
        t->probe.bytes.insert(t->probe.bytes.end(), data, data + n);
    };
    queue(HID_UART_SUCCESS, counting(3), 3);
    ASSERT_TRUE(pumpUntil([&] { return disconnected; }, 3000));
    EXPECT_FALSE(t->link->Connected());
    EXPECT_EQ(t->probe.bytes, (Bytes{1, 2, 3, 1, 2, 3}));
    // And the link connects and reads again.
    t->link->OnReceiveData = [this](QObject*, const std::uint8_t* data, std::uint32_t n) {
        t->probe.sizes.push_back(n);
        (void)data;
    };
    ASSERT_TRUE(t->link->Connect());
    queue(HID_UART_SUCCESS, counting(2), 2);
    drain();
    EXPECT_EQ(t->probe.sizes, (std::vector<std::uint32_t>{2}));
}
