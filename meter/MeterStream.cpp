#include "MeterStream.h"

MeterStream::MeterStream(MeterDecoder* decoder, std::size_t capacity)
    : m_decoder(decoder), m_assembler(capacity) {}

void MeterStream::usbChunk(const std::uint8_t* data, std::uint32_t count, bool sampling) {
    m_assembler.append(data, count);
    if (sampling) {
        m_assembler.dropStaleFrames();
    } else {
        extractFrame();
    }
}

void MeterStream::serialChunk(const std::uint8_t* data, std::uint32_t count) {
    m_assembler.append(data, count);
    extractFrame();
}

bool MeterStream::samplingTick() {
    FramePayload payload{};
    if (!m_assembler.takeNewest(&payload)) {
        return false;
    }
    m_decoder->decodeFrame(payload);
    return true;
}

bool MeterStream::extractFrame() {
    FramePayload payload{};
    if (!m_assembler.takeOldest(&payload)) {
        return false;
    }
    m_decoder->decodeFrame(payload);
    return true;
}
