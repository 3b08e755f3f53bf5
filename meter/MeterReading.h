#pragma once

#include <QString>

#include <cstdint>

// The decoded content of one meter frame. The decoder overwrites it in place on
// every frame; between frames it holds the last frame's content.
struct MeterReading {
    bool hold = false;
    bool relative = false;
    bool lcrMode = false;
    bool autoMode = false;
    bool parallel = false; // false: series equivalent circuit
    std::uint8_t battery = 0;
    int frequency = 0; // 0 100 Hz, 1 120 Hz, 2 1 kHz, 3 10 kHz, 4 100 kHz
    int tolerance = 0;
    std::uint8_t primaryMode = 0; // 0 none, 1 L, 2 C, 3 R, 4 DCR
    int primaryCount = 0;
    int primaryPoint = 0;
    std::uint8_t primaryUnit = 0; // TUnit code, 0..31
    std::uint8_t primaryStatus = 0;
    QString primaryText;
    std::uint8_t secondaryMode = 0; // 0 none, 1 D, 2 Q, 3 ESR/Rp, 4 theta
    int secondaryCount = 0;
    int secondaryPoint = 0;
    std::uint8_t secondaryUnit = 0;
    std::uint8_t secondaryStatus = 0;
    QString secondaryText; // at most 5 characters once shown as a value

    bool operator==(const MeterReading&) const = default;
};

// What a display's status code makes it show (the same codes on both displays).
enum DisplayStatus : std::uint8_t {
    dsValue = 0,
    dsBlank = 1,
    dsDashes = 2,
    dsOverload = 3,
    dsOff = 4,
    dsBlank2 = 5,
    dsError = 6,
    dsPass = 7,
    dsFail = 8,
    dsOpen = 9,
    dsShort = 10,
};
