#include "FrameBuilder.h"
#include "LocaleSeparators.h"
#include "MeterDecoder.h"
#include "QtPrinters.h"
#include "RecordRow.h"
#include "RecordingHooks.h"

#include <gtest/gtest.h>

namespace {

RecordRowTexts rowFor(const FrameFields& f) {
    RecordingHooks hooks;
    MeterDecoder decoder(u'.', &hooks);
    decoder.decodeFrame(makePayload(f));
    EXPECT_EQ(hooks.recorded.size(), 1U);
    return recordRowTexts(hooks.recorded.at(0), QDateTime(QDate(2011, 5, 23), QTime(17, 4, 9)),
                          u':');
}

TEST(RecordRow, ExampleFrame) {
    const RecordRowTexts row = rowFor(FrameFields{});
    EXPECT_EQ(row.aTime, QStringLiteral("2011-05-23 17:04:09"));
    EXPECT_EQ(row.aMMode, QStringLiteral("Cs"));
    EXPECT_EQ(row.aMValue, QStringLiteral("123.45"));
    EXPECT_EQ(row.aMUnit, QStringLiteral("nF"));
    EXPECT_EQ(row.aSMode, QStringLiteral("D"));
    EXPECT_EQ(row.aSValue, QStringLiteral("0.029"));
    EXPECT_EQ(row.aSUnit, QString());
    EXPECT_EQ(row.aFreq, QStringLiteral("100Hz"));
}

TEST(RecordRow, TimeSeparatorAndPadding) {
    const QDateTime t(QDate(987, 1, 2), QTime(3, 4, 5));
    EXPECT_EQ(formatRecordTime(t, u'.'), QStringLiteral("0987-01-02 03.04.05"));
    EXPECT_EQ(formatRecordTime(t, u'\u00B7'), QString::fromUtf8("0987-01-02 03\u00B704\u00B705"));
    EXPECT_EQ(localeTimeSeparator(QLocale(QLocale::German)), u':');
    EXPECT_EQ(localeDecimalSeparator(QLocale(QLocale::German)), u',');
    EXPECT_EQ(localeDecimalSeparator(QLocale::c()), u'.');
}

TEST(RecordRow, ModeTexts) {
    struct Case {
        bool parallel;
        int primaryMode;
        int secondaryMode;
        const char* mmode;
        const char* smode;
    };
    const Case cases[] = {
        {false, 0, 0, "", ""},      {false, 1, 1, "Ls", "D"}, {true, 1, 2, "Lp", "Q"},
        {false, 2, 3, "Cs", "ESR"}, {true, 2, 3, "Cp", "RP"}, {false, 3, 3, "Rs", ""},
        {true, 3, 3, "Rp", ""},     {false, 4, 3, "DCR", ""}, {true, 4, 4, "DCR", "\u03B8"},
        {false, 5, 5, "s", ""},     {true, 7, 7, "p", ""},    {true, 6, 6, "p", ""},
    };
    for (const Case& c : cases) {
        MeterReading r;
        r.parallel = c.parallel;
        r.primaryMode = static_cast<std::uint8_t>(c.primaryMode);
        r.secondaryMode = static_cast<std::uint8_t>(c.secondaryMode);
        EXPECT_EQ(recordPrimaryModeText(r), QString::fromUtf8(c.mmode)) << c.primaryMode;
        EXPECT_EQ(recordSecondaryModeText(r), QString::fromUtf8(c.smode)) << c.secondaryMode;
    }
}

TEST(RecordRow, ValueTextsForEveryStatus) {
    const char* expected[] = {"v", "", "-", "OL", "", "", "ERR", "PASS", "FAIL", "OPEN", "SHORT"};
    for (int status = 0; status <= 10; ++status) {
        EXPECT_EQ(recordValueText(status, QStringLiteral("v")),
                  QString::fromLatin1(expected[status]))
            << status;
    }
    for (int status = 11; status < 32; ++status) {
        EXPECT_EQ(recordValueText(status, QStringLiteral("v")), QString()) << status;
    }
}

TEST(RecordRow, FrequencyTexts) {
    const char* expected[] = {"100Hz", "120Hz", "1KHz", "10KHz", "100KHz", "", "", ""};
    for (int f = 0; f < 8; ++f) {
        EXPECT_EQ(recordFrequencyText(f), QString::fromLatin1(expected[f])) << f;
    }
}

TEST(RecordRow, RowsOfDecodedFrames) {
    FrameFields cp;
    cp.p0 = 0x80;
    cp.frequency = 0;
    const RecordRowTexts cpRow = rowFor(cp);
    EXPECT_EQ(cpRow.aMMode, QStringLiteral("Cp"));
    EXPECT_EQ(cpRow.aMValue, QStringLiteral("123"));
    EXPECT_EQ(cpRow.aFreq, QStringLiteral("100Hz"));

    FrameFields r;
    r.primaryMode = 3;
    r.primaryUnit = 1;
    r.secondaryMode = 3;
    r.secondaryUnit = 14;
    r.primaryStatus = 4;
    r.frequency = 2;
    const RecordRowTexts rRow = rowFor(r);
    EXPECT_EQ(rRow.aMValue, QString()); // OFF
    EXPECT_EQ(rRow.aMUnit, QStringLiteral("Ohm"));
    EXPECT_EQ(rRow.aSMode, QString());
    EXPECT_EQ(rRow.aSUnit, QStringLiteral("Deg"));
    EXPECT_EQ(rRow.aFreq, QStringLiteral("1KHz"));

    FrameFields ol;
    ol.primaryStatus = 3;
    ol.primaryUnit = 7;
    EXPECT_EQ(rowFor(ol).aMValue, QStringLiteral("OL"));
    EXPECT_EQ(rowFor(ol).aMUnit, QStringLiteral("H"));

    // No field of a row the meter can produce reaches 20 characters.
    FrameFields wide;
    wide.primaryCount = 65535;
    wide.primaryPoint = 0;
    wide.secondaryCount = 65535;
    wide.secondaryPoint = 1;
    const RecordRowTexts w = rowFor(wide);
    EXPECT_EQ(w.aMValue, QStringLiteral("65535"));
    EXPECT_EQ(w.aSValue, QStringLiteral("6553."));
}

} // namespace
