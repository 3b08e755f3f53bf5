#pragma once

#include "DecoderHooks.h"
#include "FrameDecoder.h"
#include "MeterReading.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// Decodes frames into the reading the whole window shares, and hands each one to
// the LCD, the chart and the record table through DecoderHooks. GUI thread only.
class MeterDecoder {
public:
    explicit MeterDecoder(QChar decimalSeparator, DecoderHooks* hooks = nullptr);

    void setHooks(DecoderHooks* hooks) { m_hooks = hooks; }
    // Mirrors the "Repeat" check box: every frame is recorded while it is set.
    void setRepeat(bool repeat) { m_repeat = repeat; }
    bool repeat() const { return m_repeat; }

    // Decodes one frame; never throws — a failing hook is contained here so the
    // byte stream keeps flowing.
    void decodeFrame(const FramePayload& payload);
    // The same for a frame text of 26 hexadecimal digits; other texts are ignored.
    void decodeFrameText(QStringView frameText);

    const MeterReading& reading() const { return m_reading; }
    int fullScale() const { return m_fullScale; }
    double displayValue() const { return m_displayValue; }
    const QString& lastRecordedText() const { return m_lastRecordedText; }
    QChar decimalSeparator() const { return m_decimalSeparator; }
    std::uint64_t framesDecoded() const { return m_framesDecoded; }
    std::uint64_t framesRecorded() const { return m_framesRecorded; }

private:
    void run(const FramePayload& payload);

    DecoderHooks* m_hooks;
    QChar m_decimalSeparator;
    bool m_repeat = true;
    MeterReading m_reading;
    int m_fullScale = 0;
    double m_displayValue = 0;
    QString m_lastRecordedText;
    std::uint64_t m_framesDecoded = 0;
    std::uint64_t m_framesRecorded = 0;
};
