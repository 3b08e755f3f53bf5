#pragma once

#include <QString>

// Value texts of the two displays, formed from a count and a decimal point.

// The display's value text for count and point with the given separator.
// Point 0: plain decimal. Point 1..4: at least point+1 digits, separator before the
// last point digits. The primary display drops the leading 0 of a 6-character
// point-4 text (.2345). Point 5..7 forms nothing: the previous text is returned.
QString formatValueText(int count, int point, QChar decimalSeparator, bool primaryDisplay,
                        const QString& previous);

// The secondary display shows at most 5 characters: one longer text loses its last
// character, once.
QString limitSecondaryText(const QString& text);

// Full-scale value for the primary display's decimal point: 20000 … 2, 0 for 5..7.
int fullScaleFor(int primaryPoint);

// Reads a text written with the given separator into *value; false (and *value
// untouched) when the text is not a number.
bool parseValueText(const QString& text, QChar decimalSeparator, double* value);
