#pragma once

#include "MeterReading.h"

#include <QString>

// Where a decoded frame goes, called by MeterDecoder in this order for each frame:
// updateLcd, plotValue, showPrimaryText (only when the parallel-capacitance rule
// rewrote the primary text), then appendRecord when the frame is recorded.
// The default implementations do nothing.
class DecoderHooks {
public:
    virtual ~DecoderHooks() = default;

    // Bring the virtual LCD up to date from the reading.
    virtual void updateLcd(const MeterReading& reading, int fullScale, double displayValue) {
        (void)reading, (void)fullScale, (void)displayValue;
    }
    // Plot the display value and set the value axis to -fullScale … +fullScale.
    virtual void plotValue(double displayValue, int fullScale) {
        (void)displayValue, (void)fullScale;
    }
    // The primary value box now shows this whole number.
    virtual void showPrimaryText(const QString& text) { (void)text; }
    // Append one record row built from the reading.
    virtual void appendRecord(const MeterReading& reading) { (void)reading; }
};
