#include "FrameAssembler.h"
#include "FrameBuilder.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<FramePayload> drain(FrameAssembler& a) {
    std::vector<FramePayload> out;
    FramePayload p{};
    while (a.takeOldest(&p)) {
        out.push_back(p);
    }
    return out;
}

// Feeds the stream in the given chunk sizes, running assembly steps until each chunk
// is used up, and returns every frame taken out.
std::vector<FramePayload> feed(const std::vector<std::uint8_t>& stream,
                               const std::vector<std::size_t>& cuts) {
    FrameAssembler a;
    std::vector<FramePayload> out;
    std::size_t pos = 0;
    for (std::size_t cut : cuts) {
        a.append(stream.data() + pos, cut - pos);
        pos = cut;
        for (const FramePayload& p : drain(a)) {
            out.push_back(p);
        }
    }
    a.append(stream.data() + pos, stream.size() - pos);
    for (const FramePayload& p : drain(a)) {
        out.push_back(p);
    }
    return out;
}

TEST(FrameAssembler, EveryChunkBoundaryOfThreeFrames) {
    std::vector<FramePayload> frames = {numberedPayload(1), numberedPayload(2), numberedPayload(3)};
    std::vector<std::uint8_t> stream;
    for (const auto& f : frames) {
        appendFrame(&stream, f);
    }
    for (std::size_t i = 0; i <= stream.size(); ++i) {
        for (std::size_t j = i; j <= stream.size(); ++j) {
            EXPECT_EQ(feed(stream, {i, j}), frames) << "cuts at " << i << ", " << j;
        }
    }
}

TEST(FrameAssembler, PayloadsThatLookLikeFraming) {
    // Payload bytes that a text search would mistake for a terminator or a header:
    // 0x0D 0x0A, 0x00 0x0D, 0x0A right after the header, and hex digits "0D0A" across
    // two bytes (0x10 0xD0 0xA5).
    const FramePayload tricky[] = {
        {0x0A, 0, 0, 2, 0x0D, 0x0A, 0x52, 0, 1, 0x01, 0x23, 4, 0},
        {0, 0x0D, 0x00, 0x0D, 0x0D, 0x0A, 0x0D, 0x0A, 0x00, 0x0D, 0x0D, 0x0A, 0x0A},
        {0x10, 0xD0, 0xA5, 2, 0x30, 0x39, 0x52, 0, 1, 0x01, 0x23, 0x0D, 0x0A},
        {0x0D, 0x0A, 0x0D, 0x0A, 0x0D, 0x0A, 0x0D, 0x0A, 0x0D, 0x0A, 0x0D, 0x0A, 0x0D},
    };
    std::vector<std::uint8_t> stream;
    std::vector<FramePayload> expected;
    for (const FramePayload& p : tricky) {
        appendFrame(&stream, p);
        expected.push_back(p);
        appendFrame(&stream, numberedPayload(7));
        expected.push_back(numberedPayload(7));
    }
    for (std::size_t i = 0; i <= stream.size(); ++i) {
        EXPECT_EQ(feed(stream, {i}), expected) << "cut at " << i;
    }
}

TEST(FrameAssembler, GarbageBeforeAFrameCostsNoCompleteFrame) {
    const std::vector<std::uint8_t> tail = frameBytes(numberedPayload(1));
    // The link opened mid-frame: the end of a frame, then whole frames.
    std::vector<std::uint8_t> stream(tail.begin() + 6, tail.end());
    const std::vector<std::uint8_t> noise = {0x00, 0x0D, 0x0D, 0x0A, 0x00, 0xFF, 0x00};
    stream.insert(stream.end(), noise.begin(), noise.end());
    appendFrame(&stream, numberedPayload(2));
    appendFrame(&stream, numberedPayload(3));
    const std::vector<FramePayload> expected = {numberedPayload(2), numberedPayload(3)};
    for (std::size_t i = 0; i <= stream.size(); ++i) {
        EXPECT_EQ(feed(stream, {i}), expected) << "cut at " << i;
    }
}

TEST(FrameAssembler, OneStepTakesOneFrame) {
    FrameAssembler a;
    std::vector<std::uint8_t> two = frameBytes(numberedPayload(1));
    appendFrame(&two, numberedPayload(2));
    a.append(two.data(), two.size());
    FramePayload p{};
    ASSERT_TRUE(a.takeOldest(&p));
    EXPECT_EQ(p, numberedPayload(1));
    // A zero-length chunk still runs a step, which takes the waiting frame.
    a.append(nullptr, 0);
    ASSERT_TRUE(a.takeOldest(&p));
    EXPECT_EQ(p, numberedPayload(2));
    EXPECT_FALSE(a.takeOldest(&p));
    EXPECT_EQ(a.size(), 0U);
}

TEST(FrameAssembler, NewestFrameLeavesNoStaleOnes) {
    FrameAssembler a;
    std::vector<std::uint8_t> stream;
    for (int n = 1; n <= 3; ++n) {
        appendFrame(&stream, numberedPayload(n));
    }
    const std::vector<std::uint8_t> next = frameBytes(numberedPayload(4));
    stream.insert(stream.end(), next.begin(), next.begin() + 5); // start of the next frame
    a.append(stream.data(), stream.size());
    FramePayload p{};
    ASSERT_TRUE(a.takeNewest(&p));
    EXPECT_EQ(p, numberedPayload(3));
    EXPECT_EQ(a.size(), 5U); // only the start of frame 4 waits
    EXPECT_FALSE(a.takeNewest(&p));
    a.append(next.data() + 5, next.size() - 5);
    ASSERT_TRUE(a.takeNewest(&p));
    EXPECT_EQ(p, numberedPayload(4));
}

TEST(FrameAssembler, BufferStaysBoundedAndResynchronises) {
    FrameAssembler a(1024);
    std::mt19937 rng(7);
    std::vector<std::uint8_t> noise(100000);
    for (auto& b : noise) {
        b = static_cast<std::uint8_t>(rng() & 0xFF);
    }
    // Frames arriving while nothing takes them out: older bytes give way.
    std::vector<std::uint8_t> frames;
    for (int n = 0; n < 500; ++n) {
        appendFrame(&frames, numberedPayload(n));
    }
    for (std::size_t i = 0; i < noise.size(); i += 333) {
        a.append(noise.data() + i, std::min<std::size_t>(333, noise.size() - i));
        EXPECT_LE(a.size(), 1024U);
        EXPECT_LE(a.reservedBytes(), 4 * 1024U);
    }
    a.append(frames.data(), frames.size());
    EXPECT_LE(a.size(), 1024U);
    FramePayload p{};
    ASSERT_TRUE(a.takeNewest(&p));
    EXPECT_EQ(p, numberedPayload(499));
}

// Random streams of whole frames mixed with noise, cut at random: every frame that
// stands whole in the stream comes out once, in order, and nothing else does.
TEST(FrameAssemblerProperty, RandomStreamsWithNoise) {
    std::mt19937 rng(20261210);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> stream;
        std::vector<FramePayload> expected;
        const int frames = 1 + static_cast<int>(rng() % 12);
        for (int i = 0; i < frames; ++i) {
            if (rng() % 3 == 0) {
                // Noise that cannot complete a header with the frame that follows: it
                // never ends in 0x00, so every whole frame after it stays recognisable.
                const int n = static_cast<int>(rng() % 40);
                for (int k = 0; k < n; ++k) {
                    stream.push_back(static_cast<std::uint8_t>(rng() % 256));
                }
                if (!stream.empty() && stream.back() == 0x00) {
                    stream.back() = 0x55;
                }
            }
            if (rng() % 5 == 0) {
                // A broken frame: a header and a few payload bytes, then noise.
                const std::vector<std::uint8_t> partial = frameBytes(numberedPayload(9999));
                stream.insert(stream.end(), partial.begin(),
                              partial.begin() + 2 + static_cast<int>(rng() % 10));
                stream.push_back(0x77);
            }
            FramePayload p{};
            for (auto& b : p) {
                b = static_cast<std::uint8_t>(rng() % 256);
            }
            appendFrame(&stream, p);
            expected.push_back(p);
        }
        std::vector<std::size_t> cuts;
        for (std::size_t pos = 0; pos < stream.size();) {
            pos += 1 + rng() % 40;
            cuts.push_back(std::min(pos, stream.size()));
        }
        const std::vector<FramePayload> got = feed(stream, cuts);
        // Random noise may, rarely, contain a frame-shaped run of its own; the real
        // frames must all be there, in order, and extras must come from the noise.
        std::size_t k = 0;
        for (const FramePayload& p : got) {
            if (k < expected.size() && p == expected[k]) {
                ++k;
            }
        }
        ASSERT_EQ(k, expected.size()) << "round " << round;
        ASSERT_LE(got.size(), expected.size() + 1) << "round " << round;
    }
}

} // namespace
