#pragma once

#include <QChar>
#include <QString>

// The sampling interval's text rules.

inline constexpr qint64 longestSamplingInterval = 99999999; // seconds

// The interval in seconds a text stands for, or 0 when it is no valid interval: a whole
// decimal number from 1 to 99,999,999 ("0005" is 5).
qint64 samplingIntervalSeconds(const QString& text);

// Whether a typed character may enter the interval box: a digit or backspace.
bool acceptsIntervalCharacter(QChar c);
