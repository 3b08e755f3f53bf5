#pragma once

#include <QChar>
#include <QLocale>

// The locale's decimal separator as one character ('.' when it has none of one character).
QChar localeDecimalSeparator(const QLocale& locale);

// The separator between hours and minutes in the locale's short time format (':' when
// the format has none).
QChar localeTimeSeparator(const QLocale& locale);
