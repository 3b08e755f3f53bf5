#pragma once

#include "FrameAssembler.h"
#include "MeterDecoder.h"

#include <cstdint>

// The received-bytes path: chunks from the two links and the sampling tick go
// through one assembler into the decoder. GUI thread only.
class MeterStream {
public:
    explicit MeterStream(MeterDecoder* decoder,
                         std::size_t capacity = FrameAssembler::defaultCapacity);

    // One USB chunk. Without sampling, one assembly step decodes the oldest waiting
    // frame. With sampling on only the ticks decode; older complete frames are dropped
    // as newer ones arrive, so a tick never shows a stale reading.
    void usbChunk(const std::uint8_t* data, std::uint32_t count, bool sampling);
    // One serial chunk: always one assembly step, exactly as on USB.
    void serialChunk(const std::uint8_t* data, std::uint32_t count);
    // One sampling tick: decodes the newest complete frame, dropping older ones.
    bool samplingTick();
    // One assembly step; true when a frame was decoded.
    bool extractFrame();

    const FrameAssembler& assembler() const { return m_assembler; }
    MeterDecoder& decoder() { return *m_decoder; }

private:
    MeterDecoder* m_decoder;
    FrameAssembler m_assembler;
};
