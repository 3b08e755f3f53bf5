#pragma once

#include "DecoderHooks.h"

#include <QStringList>

#include <stdexcept>
#include <vector>

// Decoder hooks that note every call, for checking what a frame caused and in which order.
struct RecordingHooks : DecoderHooks {
    QStringList calls;
    std::vector<double> plotted;
    std::vector<int> scales;
    std::vector<MeterReading> recorded;
    QStringList shownTexts;
    bool throwOnLcd = false;

    void updateLcd(const MeterReading& reading, int fullScale, double value) override {
        (void)reading, (void)fullScale, (void)value;
        calls << QStringLiteral("lcd");
        if (throwOnLcd) {
            throw std::runtime_error("lcd failed");
        }
    }
    void plotValue(double value, int fullScale) override {
        calls << QStringLiteral("plot");
        plotted.push_back(value);
        scales.push_back(fullScale);
    }
    void showPrimaryText(const QString& text) override {
        calls << QStringLiteral("cp");
        shownTexts << text;
    }
    void appendRecord(const MeterReading& reading) override {
        calls << QStringLiteral("record");
        recorded.push_back(reading);
    }
};
