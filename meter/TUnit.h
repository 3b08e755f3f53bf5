#pragma once

#include <QString>

#include <cstdint>

// The display units the meter sends, by code. The record files derive their unit
// texts from these names, so the names are fixed.
enum TUnit : std::uint8_t {
    uNoneA = 0,
    uOhm,
    uKOhm,
    uMOhm,
    uNoneB,
    uuH,
    umH,
    uH,
    ukH,
    upF,
    unF,
    uuF,
    umF,
    uPercent,
    udeg,
};

inline constexpr int tUnitCount = 15;

// "uOhm", "unF", …; empty for codes outside the enumeration.
QString tUnitName(int code);

// The unit text the LCD shows ("Ω", "nF", …). The secondary display shows
// U+309C in place of "deg". Codes 15..31 have no text.
QString lcdUnitText(int code, bool secondaryDisplay);

// The unit text a record row stores ("Ohm", "Deg", …).
QString recordUnitText(int code);
