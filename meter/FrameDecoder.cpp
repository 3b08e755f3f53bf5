#include "FrameDecoder.h"

#include "ValueText.h"

#include <cmath>

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    return -1;
}

bool bit(std::uint8_t byte, int n) {
    return ((byte >> n) & 1U) != 0;
}

} // namespace

QString payloadToFrameText(const FramePayload& payload) {
    QString text(framePayloadSize * 2, Qt::Uninitialized);
    for (int i = 0; i < framePayloadSize; ++i) {
        text[2 * i] = QLatin1Char(hexDigits[payload[i] >> 4]);
        text[2 * i + 1] = QLatin1Char(hexDigits[payload[i] & 0x0F]);
    }
    return text;
}

bool frameTextToPayload(QStringView frameText, FramePayload* payload) {
    if (frameText.size() != framePayloadSize * 2) {
        return false;
    }
    for (int i = 0; i < framePayloadSize; ++i) {
        const int hi = hexValue(frameText[2 * i]);
        const int lo = hexValue(frameText[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            return false;
        }
        (*payload)[i] = static_cast<std::uint8_t>(hi << 4 | lo);
    }
    return true;
}

void decodePayload(const FramePayload& p, QChar decimalSeparator, MeterReading* r) {
    r->hold = bit(p[0], 0);
    r->relative = bit(p[0], 2);
    r->lcrMode = bit(p[0], 5);
    r->autoMode = bit(p[0], 6);
    r->parallel = bit(p[0], 7);
    r->battery = static_cast<std::uint8_t>((p[1] >> 3) & 0x03);
    r->frequency = (p[1] >> 5) & 0x07;
    r->tolerance = p[2] & 0x0F;
    r->primaryMode = static_cast<std::uint8_t>(p[3] & 0x07);
    r->primaryCount = p[4] << 8 | p[5];
    r->primaryPoint = p[6] & 0x07;
    r->primaryUnit = static_cast<std::uint8_t>(p[6] >> 3);
    r->primaryStatus = static_cast<std::uint8_t>(p[7] & 0x1F);
    r->secondaryMode = static_cast<std::uint8_t>(p[8] & 0x07);
    r->secondaryCount = p[9] << 8 | p[10];
    r->secondaryPoint = p[11] & 0x07;
    r->secondaryUnit = static_cast<std::uint8_t>(p[11] >> 3);
    r->secondaryStatus = static_cast<std::uint8_t>(p[12] & 0x1F);

    r->primaryText =
        formatValueText(r->primaryCount, r->primaryPoint, decimalSeparator, true, r->primaryText);
    r->secondaryText = formatValueText(r->secondaryCount, r->secondaryPoint, decimalSeparator,
                                       false, r->secondaryText);
    if (r->secondaryStatus == dsValue) {
        r->secondaryText = limitSecondaryText(r->secondaryText);
    }
}

double displayValue(const MeterReading& reading, int fullScale, QChar decimalSeparator) {
    switch (reading.primaryStatus) {
    case dsValue: {
        double value = 0;
        return parseValueText(reading.primaryText, decimalSeparator, &value) ? value : 0.0;
    }
    case dsOverload:
        return fullScale;
    default:
        return 0;
    }
}

bool cpRuleText(const MeterReading& reading, QChar decimalSeparator, QString* wholeNumber) {
    if (!reading.parallel || reading.primaryMode != 2 ||
        (reading.frequency != 0 && reading.frequency != 1) || reading.primaryStatus != dsValue) {
        return false;
    }
    double value = 0;
    if (!parseValueText(reading.primaryText, decimalSeparator, &value)) {
        return false;
    }
    *wholeNumber = QString::number(static_cast<long long>(std::trunc(value)));
    return true;
}
