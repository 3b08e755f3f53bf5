#pragma once

#include "FrameDecoder.h"

#include <cstdint>
#include <vector>

// Builds the bytes of meter frames for tests.
struct FrameFields {
    std::uint8_t p0 = 0; // hold, relative, lcr, auto, parallel bits
    int battery = 3;
    int frequency = 0;
    int tolerance = 0;
    int primaryMode = 2;
    int primaryCount = 12345;
    int primaryPoint = 2;
    int primaryUnit = 10;
    int primaryStatus = 0;
    int secondaryMode = 1;
    int secondaryCount = 291;
    int secondaryPoint = 4;
    int secondaryUnit = 0;
    int secondaryStatus = 0;
};

inline FramePayload makePayload(const FrameFields& f) {
    FramePayload p{};
    p[0] = f.p0;
    p[1] = static_cast<std::uint8_t>((f.frequency & 7) << 5 | (f.battery & 3) << 3);
    p[2] = static_cast<std::uint8_t>(f.tolerance & 0x0F);
    p[3] = static_cast<std::uint8_t>(f.primaryMode & 7);
    p[4] = static_cast<std::uint8_t>(f.primaryCount >> 8);
    p[5] = static_cast<std::uint8_t>(f.primaryCount & 0xFF);
    p[6] = static_cast<std::uint8_t>((f.primaryUnit & 0x1F) << 3 | (f.primaryPoint & 7));
    p[7] = static_cast<std::uint8_t>(f.primaryStatus & 0x1F);
    p[8] = static_cast<std::uint8_t>(f.secondaryMode & 7);
    p[9] = static_cast<std::uint8_t>(f.secondaryCount >> 8);
    p[10] = static_cast<std::uint8_t>(f.secondaryCount & 0xFF);
    p[11] = static_cast<std::uint8_t>((f.secondaryUnit & 0x1F) << 3 | (f.secondaryPoint & 7));
    p[12] = static_cast<std::uint8_t>(f.secondaryStatus & 0x1F);
    return p;
}

inline void appendFrame(std::vector<std::uint8_t>* out, const FramePayload& p) {
    out->push_back(0x00);
    out->push_back(0x0D);
    out->insert(out->end(), p.begin(), p.end());
    out->push_back(0x0D);
    out->push_back(0x0A);
}

inline std::vector<std::uint8_t> frameBytes(const FramePayload& p) {
    std::vector<std::uint8_t> out;
    appendFrame(&out, p);
    return out;
}

// A payload whose primary count tells frames apart.
inline FramePayload numberedPayload(int n) {
    FrameFields f;
    f.primaryCount = n & 0xFFFF;
    f.primaryPoint = 0;
    return makePayload(f);
}
