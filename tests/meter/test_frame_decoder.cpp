#include "FrameBuilder.h"
#include "MeterDecoder.h"
#include "QtPrinters.h"
#include "RecordingHooks.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameDecoder, ExampleFrame) {
    RecordingHooks hooks;
    MeterDecoder decoder(u'.', &hooks);
    decoder.decodeFrameText(u"00000002303952000101230400");
    const MeterReading& r = decoder.reading();
    EXPECT_FALSE(r.parallel);
    EXPECT_EQ(r.frequency, 0);
    EXPECT_EQ(r.primaryMode, 2);
    EXPECT_EQ(r.primaryCount, 12345);
    EXPECT_EQ(r.primaryPoint, 2);
    EXPECT_EQ(r.primaryUnit, 10);
    EXPECT_EQ(r.primaryStatus, 0);
    EXPECT_EQ(r.primaryText, QStringLiteral("123.45"));
    EXPECT_EQ(decoder.fullScale(), 200);
    EXPECT_DOUBLE_EQ(decoder.displayValue(), 123.45);
    EXPECT_EQ(r.secondaryMode, 1);
    EXPECT_EQ(r.secondaryCount, 291);
    EXPECT_EQ(r.secondaryPoint, 4);
    EXPECT_EQ(r.secondaryUnit, 0);
    EXPECT_EQ(r.secondaryText, QStringLiteral("0.029"));
    EXPECT_EQ(hooks.calls, (QStringList{"lcd", "plot", "record"}));
    EXPECT_EQ(hooks.scales, std::vector<int>{200});
}

TEST(FrameDecoder, CommaSeparator) {
    MeterDecoder decoder(u',');
    decoder.decodeFrameText(u"00000002303952000101230400");
    EXPECT_EQ(decoder.reading().primaryText, QStringLiteral("123,45"));
    EXPECT_EQ(decoder.reading().secondaryText, QStringLiteral("0,029"));
    EXPECT_DOUBLE_EQ(decoder.displayValue(), 123.45);
}

TEST(FrameDecoder, EveryFlagAndCodeField) {
    FramePayload p{};
    p[0] = 0xFF; // every flag
    p[1] = 0xFF; // battery 3, frequency 7
    p[2] = 0xFF; // tolerance 15
    p[3] = 0xFF; // mode 7
    p[6] = 0xFF; // unit 31, point 7
    p[7] = 0xFF; // status 31
    p[8] = 0xFF;
    p[11] = 0xFF;
    p[12] = 0xFF;
    MeterDecoder decoder(u'.');
    decoder.decodeFrame(p);
    const MeterReading& r = decoder.reading();
    EXPECT_TRUE(r.hold && r.relative && r.lcrMode && r.autoMode && r.parallel);
    EXPECT_EQ(r.battery, 3);
    EXPECT_EQ(r.frequency, 7);
    EXPECT_EQ(r.tolerance, 15);
    EXPECT_EQ(r.primaryMode, 7);
    EXPECT_EQ(r.primaryUnit, 31);
    EXPECT_EQ(r.primaryPoint, 7);
    EXPECT_EQ(r.primaryStatus, 31);
    EXPECT_EQ(r.secondaryMode, 7);
    EXPECT_EQ(r.secondaryUnit, 31);
    EXPECT_EQ(r.secondaryStatus, 31);
    EXPECT_EQ(decoder.fullScale(), 0);
    EXPECT_DOUBLE_EQ(decoder.displayValue(), 0);

    // Bits that carry no field are ignored: only the named bits are read.
    FramePayload q{};
    q[0] = 0x1A; // bits 1, 3, 4
    q[1] = 0x07;
    q[2] = 0xF0;
    q[3] = 0xF8;
    decoder.decodeFrame(q);
    EXPECT_EQ(decoder.reading().hold, false);
    EXPECT_EQ(decoder.reading().relative, false);
    EXPECT_EQ(decoder.reading().battery, 0);
    EXPECT_EQ(decoder.reading().tolerance, 0);
    EXPECT_EQ(decoder.reading().primaryMode, 0);
}

struct StatusCase {
    int status;
    double displayValue; // count 12345 at point 2, full scale 200
};

TEST(FrameDecoder, DisplayValueForEveryStatus) {
    const StatusCase cases[] = {{0, 123.45}, {1, 0}, {2, 0}, {3, 200}, {4, 0},  {5, 0},  {6, 0},
                                {7, 0},      {8, 0}, {9, 0}, {10, 0},  {11, 0}, {20, 0}, {31, 0}};
    for (const StatusCase& c : cases) {
        SCOPED_TRACE(c.status);
        FrameFields f;
        f.primaryStatus = c.status;
        f.secondaryStatus = c.status;
        MeterDecoder decoder(u'.');
        decoder.decodeFrame(makePayload(f));
        EXPECT_DOUBLE_EQ(decoder.displayValue(), c.displayValue);
        // The text is formed whatever the status; only a shown value is limited to 5.
        EXPECT_EQ(decoder.reading().primaryText, QStringLiteral("123.45"));
        EXPECT_EQ(decoder.reading().secondaryText,
                  c.status == 0 ? QStringLiteral("0.029") : QStringLiteral("0.0291"));
    }
}

TEST(FrameDecoder, PointsFiveToSevenKeepThePreviousTexts) {
    RecordingHooks hooks;
    MeterDecoder decoder(u'.', &hooks);
    decoder.decodeFrameText(u"00000002303952000101230400");
    FrameFields f;
    f.primaryPoint = 6;
    f.secondaryPoint = 5;
    f.primaryCount = 999;
    decoder.decodeFrame(makePayload(f));
    EXPECT_EQ(decoder.reading().primaryText, QStringLiteral("123.45"));
    EXPECT_EQ(decoder.reading().secondaryText, QStringLiteral("0.029"));
    EXPECT_EQ(decoder.fullScale(), 0);
    EXPECT_EQ(hooks.scales.back(), 0);
}

struct CpCase {
    bool parallel;
    int mode;
    int frequency;
    int status;
    const char* recorded;
};

TEST(FrameDecoder, ParallelCapacitanceRule) {
    const CpCase cases[] = {
        {true, 2, 0, 0, "123"},    {true, 2, 1, 0, "123"},     {true, 2, 2, 0, "123.45"},
        {true, 2, 4, 0, "123.45"}, {false, 2, 0, 0, "123.45"}, {true, 1, 0, 0, "123.45"},
        {true, 3, 1, 0, "123.45"}, {true, 2, 0, 3, "123.45"},
    };
    for (const CpCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.parallel << " " << c.mode << " " << c.frequency);
        RecordingHooks hooks;
        MeterDecoder decoder(u'.', &hooks);
        FrameFields f;
        f.p0 = c.parallel ? 0x80 : 0x00;
        f.primaryMode = c.mode;
        f.frequency = c.frequency;
        f.primaryStatus = c.status;
        decoder.decodeFrame(makePayload(f));
        ASSERT_EQ(hooks.recorded.size(), 1U);
        EXPECT_EQ(hooks.recorded[0].primaryText, QString::fromLatin1(c.recorded));
        // The chart always gets the value with its fraction (or full scale on overload).
        EXPECT_DOUBLE_EQ(hooks.plotted[0], c.status == 3 ? 200 : 123.45);
        const bool rule = QString::fromLatin1(c.recorded) == u"123";
        EXPECT_EQ(hooks.shownTexts.size(), rule ? 1 : 0);
        if (rule) {
            EXPECT_EQ(hooks.calls, (QStringList{"lcd", "plot", "cp", "record"}));
        }
    }
}

TEST(FrameDecoder, RecordDecision) {
    // Repeat on: every frame. Repeat off: only a changed primary text, compared after
    // the Cp rule, so a steady Cp reading at 120 Hz is recorded once.
    struct Step {
        int count;
        int secondaryCount;
        bool parallelCp;
        int status;
    };
    const Step steps[] = {
        {12345, 291, false, 0}, {12345, 291, false, 0}, {12346, 291, false, 0},
        {12346, 555, false, 0}, {12346, 555, false, 3}, {12399, 291, true, 0},
        {12345, 291, true, 0},  {12345, 291, false, 0},
    };
    const int expectedRepeatOff[] = {1, 1, 2, 2, 2, 3, 3, 4};
    for (bool repeat : {true, false}) {
        RecordingHooks hooks;
        MeterDecoder decoder(u'.', &hooks);
        decoder.setRepeat(repeat);
        int i = 0;
        for (const Step& s : steps) {
            FrameFields f;
            f.primaryCount = s.count;
            f.secondaryCount = s.secondaryCount;
            f.primaryStatus = s.status;
            if (s.parallelCp) {
                f.p0 = 0x80;
                f.frequency = 1;
            }
            decoder.decodeFrame(makePayload(f));
            const int expected = repeat ? i + 1 : expectedRepeatOff[i];
            EXPECT_EQ(static_cast<int>(hooks.recorded.size()), expected)
                << "repeat " << repeat << " step " << i;
            ++i;
        }
        EXPECT_EQ(decoder.lastRecordedText(), QStringLiteral("123.45"));
    }
}

TEST(FrameDecoder, FailingHookDoesNotEscape) {
    RecordingHooks hooks;
    hooks.throwOnLcd = true;
    MeterDecoder decoder(u'.', &hooks);
    EXPECT_NO_THROW(decoder.decodeFrameText(u"00000002303952000101230400"));
    hooks.throwOnLcd = false;
    decoder.decodeFrameText(u"00000002303952000101230400");
    EXPECT_EQ(hooks.recorded.size(), 1U);
}

TEST(FrameDecoder, FrameTextRoundTrip) {
    const FramePayload p = makePayload(FrameFields{});
    const QString text = payloadToFrameText(p);
    EXPECT_EQ(text, QStringLiteral("00180002303952000101230400"));
    FramePayload back{};
    ASSERT_TRUE(frameTextToPayload(text, &back));
    EXPECT_EQ(back, p);
    EXPECT_FALSE(frameTextToPayload(u"0018000230395200010123040", &back));
    EXPECT_FALSE(frameTextToPayload(u"0018000230395200010123040G", &back));
}

} // namespace
