#include "QtPrinters.h"
#include "TUnit.h"
#include "ValueText.h"

#include <gtest/gtest.h>

namespace {

struct ValueCase {
    int count;
    int point;
    char separator;
    const char* primary;
    const char* secondary; // before the 5-character limit
};

TEST(ValueText, EveryPointOnBothDisplays) {
    const ValueCase cases[] = {
        {0, 0, '.', "0", "0"},
        {12345, 0, '.', "12345", "12345"},
        {5, 1, '.', "0.5", "0.5"},
        {12345, 1, '.', "1234.5", "1234.5"},
        {0, 2, '.', "0.00", "0.00"},
        {12345, 2, '.', "123.45", "123.45"},
        {12345, 2, ',', "123,45", "123,45"},
        {7, 3, '.', "0.007", "0.007"},
        {65535, 3, '.', "65.535", "65.535"},
        // Point 4: the primary display drops the leading 0 of a 6-character text.
        {2345, 4, '.', ".2345", "0.2345"},
        {12345, 4, '.', "1.2345", "1.2345"},
        {0, 4, ',', ",0000", "0,0000"},
        // Point 5..7 form nothing: the previous text stays.
        {123, 5, '.', "prev", "prev"},
        {123, 6, '.', "prev", "prev"},
        {123, 7, '.', "prev", "prev"}};
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " at point " << c.point);
        const QChar sep = QLatin1Char(c.separator);
        const QString previous = QStringLiteral("prev");
        EXPECT_EQ(formatValueText(c.count, c.point, sep, true, previous),
                  QString::fromUtf8(c.primary));
        EXPECT_EQ(formatValueText(c.count, c.point, sep, false, previous),
                  QString::fromUtf8(c.secondary));
    }
}

TEST(ValueText, SecondaryLimitRemovesOneCharacterOnce) {
    EXPECT_EQ(limitSecondaryText(QStringLiteral("0.0291")), QStringLiteral("0.029"));
    EXPECT_EQ(limitSecondaryText(QStringLiteral("123.45")), QStringLiteral("123.4"));
    EXPECT_EQ(limitSecondaryText(QStringLiteral("1234,5")), QStringLiteral("1234,"));
    EXPECT_EQ(limitSecondaryText(QStringLiteral("12.34")), QStringLiteral("12.34"));
}

TEST(ValueText, FullScaleByPoint) {
    const int expected[8] = {20000, 2000, 200, 20, 2, 0, 0, 0};
    for (int point = 0; point < 8; ++point) {
        EXPECT_EQ(fullScaleFor(point), expected[point]) << point;
    }
}

TEST(ValueText, ParsesOnlyWithTheGivenSeparator) {
    double v = -1;
    EXPECT_TRUE(parseValueText(QStringLiteral("123,45"), u',', &v));
    EXPECT_DOUBLE_EQ(v, 123.45);
    EXPECT_TRUE(parseValueText(QStringLiteral(".2345"), u'.', &v));
    EXPECT_DOUBLE_EQ(v, 0.2345);
    v = -1;
    EXPECT_FALSE(parseValueText(QStringLiteral("123.45"), u',', &v));
    EXPECT_FALSE(parseValueText(QString(), u'.', &v));
    EXPECT_FALSE(parseValueText(QStringLiteral("."), u'.', &v));
    EXPECT_FALSE(parseValueText(QStringLiteral("1.2.3"), u'.', &v));
    EXPECT_DOUBLE_EQ(v, -1);
}

struct UnitCase {
    int code;
    const char* name;
    const char* lcdPrimary;
    const char* lcdSecondary;
    const char* record;
};

TEST(TUnitTexts, BothTables) {
    const UnitCase cases[] = {
        {0, "uNoneA", "", "", ""},
        {1, "uOhm", "\u03A9", "\u03A9", "Ohm"},
        {2, "uKOhm", "K\u03A9", "K\u03A9", "KOhm"},
        {3, "uMOhm", "M\u03A9", "M\u03A9", "MOhm"},
        {4, "uNoneB", "", "", ""},
        {5, "uuH", "uH", "uH", "uH"},
        {6, "umH", "mH", "mH", "mH"},
        {7, "uH", "H", "H", "H"},
        {8, "ukH", "kH", "kH", "kH"},
        {9, "upF", "pF", "pF", "pF"},
        {10, "unF", "nF", "nF", "nF"},
        {11, "uuF", "uF", "uF", "uF"},
        {12, "umF", "mF", "mF", "mF"},
        {13, "uPercent", "%", "%", "%"},
        {14, "udeg", "deg", "\u309C", "Deg"},
        {15, "", "", "", ""},
        {31, "", "", "", ""},
    };
    for (const UnitCase& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(tUnitName(c.code), QString::fromUtf8(c.name));
        EXPECT_EQ(lcdUnitText(c.code, false), QString::fromUtf8(c.lcdPrimary));
        EXPECT_EQ(lcdUnitText(c.code, true), QString::fromUtf8(c.lcdSecondary));
        EXPECT_EQ(recordUnitText(c.code), QString::fromUtf8(c.record));
    }
}

} // namespace
