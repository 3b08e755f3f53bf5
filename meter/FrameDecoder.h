#pragma once

#include "MeterReading.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

// A frame is 17 bytes: header 0x00 0x0D, 13 payload bytes P0..P12, terminator 0x0D 0x0A.
inline constexpr int framePayloadSize = 13;
inline constexpr int frameSize = framePayloadSize + 4;
using FramePayload = std::array<std::uint8_t, framePayloadSize>;

// The payload as the frame text: 26 uppercase hexadecimal digits.
QString payloadToFrameText(const FramePayload& payload);
// The frame text back as bytes; false unless it is exactly 26 hexadecimal digits.
bool frameTextToPayload(QStringView frameText, FramePayload* payload);

// Reads every field of the payload into the reading and forms both value texts with
// the separator (the secondary text limited to 5 characters when shown as a value).
// Point codes 5..7 keep the reading's previous texts.
void decodePayload(const FramePayload& payload, QChar decimalSeparator, MeterReading* reading);

// The number the primary display stands for: the value for status 0 (0 when the text
// is not a number), full scale for an overload, 0 otherwise.
double displayValue(const MeterReading& reading, int fullScale, QChar decimalSeparator);

// Parallel capacitance at 100/120 Hz is shown and recorded as a whole number. Returns
// true and the whole-number text when the rule applies to this reading and its
// primary text is a number.
bool cpRuleText(const MeterReading& reading, QChar decimalSeparator, QString* wholeNumber);
