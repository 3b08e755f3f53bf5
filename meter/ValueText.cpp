#include "ValueText.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>

QString formatValueText(int count, int point, QChar decimalSeparator, bool primaryDisplay,
                        const QString& previous) {
    if (point < 0 || point > 4) {
        return previous;
    }
    // Counts are 0..65535: at most 5 digits, so a small buffer suffices.
    std::array<char, 16> digits{};
    const int width = point + 1;
    const int n = std::snprintf(digits.data(), digits.size(), "%.*d", width, count);
    if (point == 0) {
        return QString::fromLatin1(digits.data(), n);
    }
    QString text;
    text.reserve(n + 1);
    text.append(QLatin1StringView(digits.data(), n - point));
    text.append(decimalSeparator);
    text.append(QLatin1StringView(digits.data() + n - point, point));
    if (primaryDisplay && point == 4 && text.size() == 6 && text.front() == u'0') {
        text.remove(0, 1);
    }
    return text;
}

QString limitSecondaryText(const QString& text) {
    return text.size() > 5 ? text.left(text.size() - 1) : text;
}

int fullScaleFor(int primaryPoint) {
    static constexpr std::array<int, 5> scales = {20000, 2000, 200, 20, 2};
    return primaryPoint >= 0 && primaryPoint < 5 ? scales[primaryPoint] : 0;
}

bool parseValueText(const QString& text, QChar decimalSeparator, double* value) {
    // Only what the displays form: optional sign, digits, at most one separator.
    std::array<char, 32> buf{};
    if (text.isEmpty() || text.size() >= static_cast<qsizetype>(buf.size())) {
        return false;
    }
    int len = 0;
    bool digit = false;
    bool separator = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= u'0' && c <= u'9') {
            buf[len++] = static_cast<char>(c.unicode());
            digit = true;
        } else if (c == decimalSeparator && !separator) {
            buf[len++] = '.';
            separator = true;
        } else if (i == 0 && c == u'-') {
            buf[len++] = '-';
        } else if (i == 0 && c == u'+') {
            continue;
        } else {
            return false;
        }
    }
    if (!digit) {
        return false;
    }
    double v = 0;
    const auto [end, ec] = std::from_chars(buf.data(), buf.data() + len, v);
    if (ec != std::errc() || end != buf.data() + len) {
        return false;
    }
    *value = v;
    return true;
}
