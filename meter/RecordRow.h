#pragma once

#include "MeterReading.h"

#include <QDateTime>
#include <QString>

// The texts of one record row, field by field, before the table stores them.
struct RecordRowTexts {
    QString aTime;
    QString aMMode;
    QString aMValue;
    QString aMUnit;
    QString aSMode;
    QString aSValue;
    QString aSUnit;
    QString aFreq;

    bool operator==(const RecordRowTexts&) const = default;
};

// "2011-05-23 17:04:09" with the locale's time separator in place of ":".
QString formatRecordTime(const QDateTime& time, QChar timeSeparator);

// The value text a row stores for a display status ("OL", "PASS", …).
QString recordValueText(int status, const QString& valueText);

// "Cs", "Lp", "DCR", …
QString recordPrimaryModeText(const MeterReading& reading);

// "D", "Q", "ESR"/"RP" (only beside L or C), "θ" (U+03B8); the table turns θ into
// "?" when its 8-bit code page lacks it.
QString recordSecondaryModeText(const MeterReading& reading);

// "100Hz", "120Hz", "1KHz", "10KHz", "100KHz"; empty for codes 5..7.
QString recordFrequencyText(int frequency);

RecordRowTexts recordRowTexts(const MeterReading& reading, const QDateTime& now,
                              QChar timeSeparator);
