// libFuzzer target: arbitrary bytes, cut into chunks by the input itself, through
// assembly, decoding and the record-row texts.
#include "FrameAssembler.h"
#include "MeterDecoder.h"
#include "MeterStream.h"
#include "RecordRow.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct RowHooks : DecoderHooks {
    void appendRecord(const MeterReading& reading) override {
        const RecordRowTexts row = recordRowTexts(reading, QDateTime(), u':');
        for (const QString* s : {&row.aMMode, &row.aMValue, &row.aMUnit, &row.aSMode, &row.aSValue,
                                 &row.aSUnit, &row.aFreq}) {
            if (s->size() >= 20) {
                std::abort();
            }
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    RowHooks hooks;
    MeterDecoder decoder(data[0] & 1 ? u',' : u'.', &hooks);
    decoder.setRepeat(data[0] & 2);
    MeterStream stream(&decoder, 512);
    const std::size_t chunk = 1 + data[1] % 64;
    for (std::size_t pos = 2; pos < size; pos += chunk) {
        const std::size_t n = std::min(chunk, size - pos);
        switch ((data[pos] >> 6) & 3) {
        case 0:
            stream.serialChunk(data + pos, static_cast<std::uint32_t>(n));
            break;
        case 1:
            stream.usbChunk(data + pos, static_cast<std::uint32_t>(n), true);
            stream.samplingTick();
            break;
        default:
            stream.usbChunk(data + pos, static_cast<std::uint32_t>(n), false);
            break;
        }
        if (stream.assembler().size() > 512) {
            std::abort();
        }
    }
    return 0;
}
