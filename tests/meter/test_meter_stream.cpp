#include "FrameBuilder.h"
#include "MeterStream.h"
#include "QtPrinters.h"
#include "RecordingHooks.h"

#include <gtest/gtest.h>

namespace {

struct StreamFixture : ::testing::Test {
    RecordingHooks hooks;
    MeterDecoder decoder{u'.', &hooks};
    MeterStream stream{&decoder};

    std::vector<int> recordedCounts() const {
        std::vector<int> out;
        for (const MeterReading& r : hooks.recorded) {
            out.push_back(r.primaryCount);
        }
        return out;
    }
};

TEST_F(StreamFixture, UsbChunkDecodesTheOldestFrameOnly) {
    std::vector<std::uint8_t> two = frameBytes(numberedPayload(1));
    appendFrame(&two, numberedPayload(2));
    stream.usbChunk(two.data(), static_cast<std::uint32_t>(two.size()), false);
    EXPECT_EQ(recordedCounts(), std::vector<int>{1});
    // A zero-length chunk counts as a chunk: the waiting frame is decoded.
    stream.usbChunk(nullptr, 0, false);
    EXPECT_EQ(recordedCounts(), (std::vector<int>{1, 2}));
}

TEST_F(StreamFixture, SerialChunksCarryingTheNextFrameLoseNothing) {
    std::vector<std::uint8_t> bytes;
    for (int n = 1; n <= 4; ++n) {
        appendFrame(&bytes, numberedPayload(n));
    }
    // Each chunk ends two bytes into the next frame.
    const std::size_t cuts[] = {19, 36, 53, bytes.size()};
    std::size_t pos = 0;
    for (std::size_t cut : cuts) {
        stream.serialChunk(bytes.data() + pos, static_cast<std::uint32_t>(cut - pos));
        pos = cut;
    }
    EXPECT_EQ(recordedCounts(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(StreamFixture, SamplingTickTakesTheNewestFrame) {
    for (int n = 1; n <= 3; ++n) {
        const std::vector<std::uint8_t> f = frameBytes(numberedPayload(n));
        stream.usbChunk(f.data(), static_cast<std::uint32_t>(f.size()), true);
    }
    EXPECT_TRUE(hooks.recorded.empty());
    EXPECT_EQ(stream.assembler().size(), static_cast<std::size_t>(frameSize));
    EXPECT_TRUE(stream.samplingTick());
    EXPECT_EQ(recordedCounts(), std::vector<int>{3});
    EXPECT_EQ(stream.assembler().size(), 0U);
    EXPECT_FALSE(stream.samplingTick());
    // Sampling off again: the next chunk decodes its own frame, not a backlog.
    const std::vector<std::uint8_t> f = frameBytes(numberedPayload(4));
    stream.usbChunk(f.data(), static_cast<std::uint32_t>(f.size()), false);
    EXPECT_EQ(recordedCounts(), (std::vector<int>{3, 4}));
}

TEST_F(StreamFixture, HoursOfSamplingKeepTheBufferSmall) {
    const std::vector<std::uint8_t> f = frameBytes(numberedPayload(5));
    for (int i = 0; i < 100000; ++i) {
        stream.usbChunk(f.data(), 10, true);
        stream.usbChunk(f.data() + 10, 7, true);
        EXPECT_LE(stream.assembler().size(), 2U * frameSize);
    }
    EXPECT_TRUE(stream.samplingTick());
    EXPECT_EQ(hooks.recorded.size(), 1U);
}

} // namespace
