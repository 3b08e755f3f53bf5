#include "SamplingInterval.h"

qint64 samplingIntervalSeconds(const QString& text) {
    qsizetype i = 0;
    if (!text.isEmpty() && text[0] == u'+') {
        i = 1;
    }
    if (i >= text.size()) {
        return 0;
    }
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            return 0;
        }
        value = value * 10 + (c - u'0');
        if (value > longestSamplingInterval) {
            return 0;
        }
    }
    return value;
}

bool acceptsIntervalCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == QChar(8);
}
