#pragma once

#include "FrameDecoder.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Finds the meter's 17-byte frames in a byte stream that arrives in chunks of any
// size and alignment. Frames are found at byte boundaries by fixed length: a header
// 0x00 0x0D whose bytes 15 and 16 are 0x0D 0x0A is a frame. Bytes before a header
// are dropped up to the next possible header only, so garbage never costs a good
// frame behind it, and a payload holding 0x0D 0x0A decodes.
//
// The buffer is bounded: past the capacity the oldest bytes are dropped and the
// search resynchronises on the next header.
class FrameAssembler {
public:
    static constexpr std::size_t defaultCapacity = 64 * 1024;

    explicit FrameAssembler(std::size_t capacity = defaultCapacity);

    void append(const std::uint8_t* data, std::size_t count);

    // One assembly step: takes out the oldest complete frame, if any.
    bool takeOldest(FramePayload* payload);

    // Takes out the newest complete frame and discards the older ones.
    bool takeNewest(FramePayload* payload);

    // Discards every complete frame but the newest; what follows it stays.
    void dropStaleFrames();

    std::size_t size() const { return m_buffer.size() - m_head; }
    std::size_t capacity() const { return m_capacity; }
    // Bytes reserved by the buffer: stays within a small multiple of the capacity.
    std::size_t reservedBytes() const { return m_buffer.capacity(); }
    void clear();

private:
    enum class Scan { Frame, Incomplete, None };
    Scan scan(std::size_t* pos) const;
    void compact();

    std::vector<std::uint8_t> m_buffer;
    std::size_t m_head = 0;
    std::size_t m_capacity;
};
