#include "FrameAssembler.h"

#include <algorithm>
#include <cstring>

FrameAssembler::FrameAssembler(std::size_t capacity)
    : m_capacity(std::max<std::size_t>(capacity, frameSize)) {}

void FrameAssembler::append(const std::uint8_t* data, std::size_t count) {
    if (count == 0) {
        return;
    }
    if (count >= m_capacity) {
        // Only the newest bytes can still matter.
        data += count - m_capacity;
        count = m_capacity;
        m_buffer.clear();
        m_head = 0;
    } else if (size() + count > m_capacity) {
        m_head += size() + count - m_capacity;
    }
    compact();
    m_buffer.insert(m_buffer.end(), data, data + count);
}

void FrameAssembler::compact() {
    // Move the live bytes to the front once the dead prefix is large, so the vector
    // never grows beyond about twice the capacity.
    if (m_head > 0 && (m_head >= m_capacity || m_head * 2 >= m_buffer.size())) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_head));
        m_head = 0;
    }
}

FrameAssembler::Scan FrameAssembler::scan(std::size_t* pos) const {
    const std::size_t end = m_buffer.size();
    const std::uint8_t* b = m_buffer.data();
    std::size_t i = *pos;
    while (i + 1 < end) {
        if (b[i] == 0x00 && b[i + 1] == 0x0D) {
            if (end - i < static_cast<std::size_t>(frameSize)) {
                *pos = i;
                return Scan::Incomplete;
            }
            if (b[i + 15] == 0x0D && b[i + 16] == 0x0A) {
                *pos = i;
                return Scan::Frame;
            }
        }
        ++i;
    }
    // A last 0x00 may still begin a header.
    *pos = (i < end && b[i] == 0x00) ? i : end;
    return Scan::None;
}

bool FrameAssembler::takeOldest(FramePayload* payload) {
    std::size_t pos = m_head;
    const Scan result = scan(&pos);
    m_head = pos;
    if (result != Scan::Frame) {
        compact();
        return false;
    }
    std::memcpy(payload->data(), m_buffer.data() + m_head + 2, framePayloadSize);
    m_head += frameSize;
    compact();
    return true;
}

void FrameAssembler::dropStaleFrames() {
    std::size_t pos = m_head;
    std::size_t newest = m_buffer.size();
    while (scan(&pos) == Scan::Frame) {
        newest = pos;
        pos += frameSize;
    }
    if (newest != m_buffer.size()) {
        m_head = newest;
        compact();
    }
}

bool FrameAssembler::takeNewest(FramePayload* payload) {
    dropStaleFrames();
    return takeOldest(payload);
}

void FrameAssembler::clear() {
    m_buffer.clear();
    m_head = 0;
}
