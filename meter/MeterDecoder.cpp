#include "MeterDecoder.h"

#include "ValueText.h"

#include <QtGlobal>

#include <exception>

namespace {
DecoderHooks noHooks;
}

MeterDecoder::MeterDecoder(QChar decimalSeparator, DecoderHooks* hooks)
    : m_hooks(hooks), m_decimalSeparator(decimalSeparator) {}

void MeterDecoder::decodeFrameText(QStringView frameText) {
    FramePayload payload{};
    if (frameTextToPayload(frameText, &payload)) {
        decodeFrame(payload);
    }
}

void MeterDecoder::decodeFrame(const FramePayload& payload) {
    try {
        run(payload);
    } catch (const std::exception& e) {
        qWarning("frame decoding failed: %s", e.what());
    } catch (...) {
        qWarning("frame decoding failed");
    }
}

void MeterDecoder::run(const FramePayload& payload) {
    DecoderHooks& hooks = m_hooks != nullptr ? *m_hooks : noHooks;
    ++m_framesDecoded;
    decodePayload(payload, m_decimalSeparator, &m_reading);
    m_fullScale = fullScaleFor(m_reading.primaryPoint);
    m_displayValue = ::displayValue(m_reading, m_fullScale, m_decimalSeparator);

    hooks.updateLcd(m_reading, m_fullScale, m_displayValue);
    hooks.plotValue(m_displayValue, m_fullScale);

    // Parallel capacitance at 100/120 Hz is shown as a whole number. The rule runs on
    // every frame, not only on recorded ones, so the box never flips between the two
    // forms; and the change test then compares the text that would be recorded, so an
    // unchanged Cp reading is recorded once.
    QString wholeNumber;
    if (cpRuleText(m_reading, m_decimalSeparator, &wholeNumber)) {
        m_reading.primaryText = wholeNumber;
        hooks.showPrimaryText(wholeNumber);
    }
    if (!m_repeat && m_reading.primaryText == m_lastRecordedText) {
        return;
    }
    m_lastRecordedText = m_reading.primaryText;
    ++m_framesRecorded;
    hooks.appendRecord(m_reading);
}
