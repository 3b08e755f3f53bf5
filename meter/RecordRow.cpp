#include "RecordRow.h"

#include "TUnit.h"

#include <array>
#include <cstdio>

QString formatRecordTime(const QDateTime& time, QChar timeSeparator) {
    const QDate d = time.date();
    const QTime t = time.time();
    const char sep =
        timeSeparator.unicode() < 128 ? static_cast<char>(timeSeparator.unicode()) : ':';
    std::array<char, 32> buf{};
    const int n = std::snprintf(buf.data(), buf.size(), "%04d-%02d-%02d %02d%c%02d%c%02d", d.year(),
                                d.month(), d.day(), t.hour(), sep, t.minute(), sep, t.second());
    QString text = QString::fromLatin1(buf.data(), n);
    if (timeSeparator.unicode() >= 128) {
        text[13] = timeSeparator;
        text[16] = timeSeparator;
    }
    return text;
}

QString recordValueText(int status, const QString& valueText) {
    switch (status) {
    case dsValue:
        return valueText;
    case dsDashes:
        return QStringLiteral("-");
    case dsOverload:
        return QStringLiteral("OL");
    case dsError:
        return QStringLiteral("ERR");
    case dsPass:
        return QStringLiteral("PASS");
    case dsFail:
        return QStringLiteral("FAIL");
    case dsOpen:
        return QStringLiteral("OPEN");
    case dsShort:
        return QStringLiteral("SHORT");
    default: // 1, 4 (OFF), 5 and the codes without meaning
        return {};
    }
}

QString recordPrimaryModeText(const MeterReading& reading) {
    const QChar model = reading.parallel ? u'p' : u's';
    switch (reading.primaryMode) {
    case 0:
        return {};
    case 1:
        return QString(u'L') + model;
    case 2:
        return QString(u'C') + model;
    case 3:
        return QString(u'R') + model;
    case 4:
        return QStringLiteral("DCR");
    default:
        return QString(model);
    }
}

QString recordSecondaryModeText(const MeterReading& reading) {
    switch (reading.secondaryMode) {
    case 1:
        return QStringLiteral("D");
    case 2:
        return QStringLiteral("Q");
    case 3:
        if (reading.primaryMode == 1 || reading.primaryMode == 2) {
            return reading.parallel ? QStringLiteral("RP") : QStringLiteral("ESR");
        }
        return {};
    case 4:
        return QStringLiteral("\u03B8");
    default:
        return {};
    }
}

QString recordFrequencyText(int frequency) {
    static const std::array<QString, 5> texts = {QStringLiteral("100Hz"), QStringLiteral("120Hz"),
                                                 QStringLiteral("1KHz"), QStringLiteral("10KHz"),
                                                 QStringLiteral("100KHz")};
    return frequency >= 0 && frequency < 5 ? texts[frequency] : QString();
}

RecordRowTexts recordRowTexts(const MeterReading& reading, const QDateTime& now,
                              QChar timeSeparator) {
    RecordRowTexts row;
    row.aTime = formatRecordTime(now, timeSeparator);
    row.aMMode = recordPrimaryModeText(reading);
    row.aMValue = recordValueText(reading.primaryStatus, reading.primaryText);
    row.aMUnit = recordUnitText(reading.primaryUnit);
    row.aSMode = recordSecondaryModeText(reading);
    row.aSValue = recordValueText(reading.secondaryStatus, reading.secondaryText);
    row.aSUnit = recordUnitText(reading.secondaryUnit);
    row.aFreq = recordFrequencyText(reading.frequency);
    return row;
}
