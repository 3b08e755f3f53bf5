#include "LocaleSeparators.h"

#include <QString>

QChar localeDecimalSeparator(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.size() == 1 ? point.front() : QChar(u'.');
}

QChar localeTimeSeparator(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    // The first character after the hour field that is not a format letter or quote.
    bool inHour = false;
    for (const QChar c : format) {
        if (c == u'h' || c == u'H') {
            inHour = true;
        } else if (inHour) {
            if (c.isLetter() || c == u'\'') {
                break;
            }
            return c;
        }
    }
    return u':';
}
