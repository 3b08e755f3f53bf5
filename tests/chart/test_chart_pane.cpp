// The chart pane as the user meets it: the range box with its settling timer and key
// filter, the page box, the decoder's readings on the chart, the saved picture.
#include "ChartView.h"
#include "FrameBuilder.h"
#include "MeterDecoder.h"
#include "QtApp.h"
#include "RangeText.h"
#include "TCEdit.h"
#include "TChartPane.h"
#include "uCharControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>

namespace {

struct RangeTextCase {
    const char* text;
    int pageSize;
};

const RangeTextCase rangeTextCases[] = {
    {"100", 100},  {"007", 7},     {"1", 1},    {"2147483647", 2147483647},
    {"0", 100},    {"", 100},      {"-5", 100}, {"2147483648", 100},
    {"12.5", 100}, {"12,5", 100},  {",", 100},  {"pasted text", 100},
    {"0x10", 100}, {"00000", 100},
};

class RangeText : public testing::TestWithParam<RangeTextCase> {};

TEST_P(RangeText, GivesThePageSizeOrTheDefault) {
    EXPECT_EQ(pageSizeFromText(QString::fromUtf8(GetParam().text)), GetParam().pageSize);
}

INSTANTIATE_TEST_SUITE_P(Cases, RangeText, testing::ValuesIn(rangeTextCases));

class ChartPane : public testing::Test {
protected:
    ChartPane() {
        pane.resize(480, 400);
        pane.show();
    }

    void plot(int readings) {
        for (int i = 0; i < readings; ++i) {
            pane.plotValue(i % 50, 200);
        }
    }
    void typeRange(const QString& text) {
        pane.edtRange->setText(text);
        pane.Timer_rangeTimer();
    }
    QString curPage() const { return pane.edtCurPage->text(); }

    QApplication& app = qtApp(); // before any widget
    TChartPane pane;
};

TEST_F(ChartPane, StartState) {
    EXPECT_EQ(pane.edtRange->text(), "100");
    EXPECT_EQ(curPage(), "1");
    EXPECT_TRUE(pane.edtCurPage->isReadOnly());
    EXPECT_EQ(pane.edtCurPage->alignmentMode(), TCEdit::taCenter);
    EXPECT_FALSE(pane.Timer_range->isActive());
    EXPECT_EQ(pane.Timer_range->interval(), 1000);
    EXPECT_EQ(pane.chartView()->horizontalMinimum(), 1);
    EXPECT_EQ(pane.chartView()->horizontalMaximum(), 100);
    EXPECT_EQ(pane.chartView()->valueMinimum(), -40);
    EXPECT_EQ(pane.chartView()->valueMaximum(), 40);
    EXPECT_EQ(pane.Chart1, pane.chartView());
}

TEST_F(ChartPane, ButtonsWriteThePageShown) {
    plot(250);
    EXPECT_EQ(curPage(), "3");
    pane.btnFirst->click();
    EXPECT_EQ(curPage(), "1");
    pane.btnNext->click();
    EXPECT_EQ(curPage(), "2");
    plot(100); // held: the page box stays
    EXPECT_EQ(curPage(), "2");
    pane.btnLast->click();
    EXPECT_EQ(curPage(), "4");
    pane.btnPrevious->click();
    EXPECT_EQ(curPage(), "3");
    EXPECT_EQ(pane.chartView()->horizontalMinimum(), 201);
}

TEST_F(ChartPane, RangeTextIsRewrittenAndApplied) {
    plot(250);
    pane.btnFirst->click();
    typeRange("007");
    EXPECT_EQ(pane.edtRange->text(), "7");
    EXPECT_EQ(pane.chartPager().range(), 7);
    EXPECT_FALSE(pane.chartPager().holdPage());
    EXPECT_EQ(pane.chartView()->horizontalMaximum(), 252);
    // The page box keeps its text until the next point or navigation.
    EXPECT_EQ(curPage(), "1");
    EXPECT_FALSE(pane.Timer_range->isActive());

    for (const char* invalid : {"0", "", "abc", "1,5"}) {
        typeRange(QString::fromLatin1(invalid));
        EXPECT_EQ(pane.edtRange->text(), "100") << invalid;
        EXPECT_EQ(pane.chartPager().range(), 100) << invalid;
        EXPECT_FALSE(pane.Timer_range->isActive()) << invalid;
    }
}

TEST_F(ChartPane, SameRangeAgainKeepsAHeldPage) {
    plot(250);
    pane.btnPrevious->click();
    typeRange("100");
    EXPECT_TRUE(pane.chartPager().holdPage());
    EXPECT_EQ(pane.chartView()->horizontalMinimum(), 101);
}

TEST_F(ChartPane, RangeIsAppliedOneSecondAfterTheLastChange) {
    plot(30);
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(pane.edtRange, Qt::Key_Backspace);
    QTest::keyClick(pane.edtRange, Qt::Key_Backspace);
    QTest::qWait(500);
    QTest::keyClick(pane.edtRange, Qt::Key_5);
    const qint64 lastChange = clock.elapsed();
    EXPECT_TRUE(pane.Timer_range->isActive());
    EXPECT_EQ(pane.edtRange->text(), "15");
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane.chartPager().range() == 15; }, 3000));
    EXPECT_GE(clock.elapsed() - lastChange, 950);
    EXPECT_FALSE(pane.Timer_range->isActive());
    EXPECT_EQ(pane.chartView()->horizontalMinimum(), 16);
}

TEST_F(ChartPane, KeyFilterLetsDigitsBackspaceAndTheSeparatorThrough) {
    pane.setDecimalSeparator(QLatin1Char(','));
    pane.edtRange->clear();
    QTest::keyClicks(pane.edtRange, QStringLiteral("1a2-x.,3 "));
    EXPECT_EQ(pane.edtRange->text(), "12,3");
    QTest::keyClick(pane.edtRange, Qt::Key_Backspace);
    EXPECT_EQ(pane.edtRange->text(), "12,");
    pane.Timer_rangeTimer();
    EXPECT_EQ(pane.edtRange->text(), "100");

    pane.setDecimalSeparator(QLatin1Char('.'));
    pane.edtRange->clear();
    QTest::keyClicks(pane.edtRange, QStringLiteral("4,.2"));
    EXPECT_EQ(pane.edtRange->text(), "4.2");
}

TEST_F(ChartPane, ClearGoesBackToPage1) {
    plot(700);
    pane.btnFirst->click();
    pane.btnNext->click();
    pane.btnNext->click();
    pane.btnNext->click();
    EXPECT_EQ(curPage(), "4");
    EXPECT_EQ(pane.clearChart(), 1);
    EXPECT_EQ(curPage(), "1");
    EXPECT_EQ(pane.chartView()->pointCount(0), 1);
    EXPECT_EQ(pane.chartView()->horizontalMaximum(), 100);
    pane.plotValue(5, 200);
    EXPECT_EQ(pane.chartView()->points().at(1), 5);
}

TEST_F(ChartPane, ClearButtonOnlyAsksTheWindow) {
    plot(150);
    int requests = 0;
    QObject::connect(&pane, &TChartPane::clearRequested, &pane, [&] { ++requests; });
    pane.btnNew->click();
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(pane.chartView()->pointCount(0), 151);
}

// Frames through the meter core's decoder into the pane, as the window wires them.
struct PaneHooks : DecoderHooks {
    explicit PaneHooks(TChartPane* chartPane) : pane(chartPane) {}
    void plotValue(double displayValue, int fullScale) override {
        pane->plotValue(displayValue, fullScale);
    }
    TChartPane* pane;
};

struct PlottedCase {
    const char* name;
    int status;
    int count;
    int point;
    double plotted;
    double fullScale;
};

const PlottedCase plottedCases[] = {
    {"ValueAtTwoDecimals", dsValue, 12345, 2, 123.45, 200},
    {"ValueAtNoDecimals", dsValue, 19999, 0, 19999, 20000},
    {"OverloadAtTwoDecimals", dsOverload, 0, 2, 200, 200},
    {"OverloadAtFourDecimals", dsOverload, 0, 4, 2, 2},
    {"Dashes", dsDashes, 12345, 2, 0, 200},
    {"Off", dsOff, 12345, 1, 0, 2000},
    {"Open", dsOpen, 12345, 3, 0, 20},
};

class PlottedValue : public testing::TestWithParam<PlottedCase> {};

TEST_P(PlottedValue, FromTheDecodedFrame) {
    const PlottedCase& c = GetParam();
    qtApp();
    TChartPane pane;
    PaneHooks hooks(&pane);
    // A comma separator: the display value must not depend on '.'.
    MeterDecoder decoder(QLatin1Char(','), &hooks);
    FrameFields fields;
    fields.primaryStatus = c.status;
    fields.primaryCount = c.count;
    fields.primaryPoint = c.point;
    decoder.decodeFrame(makePayload(fields));

    const ChartView& chart = *pane.chartView();
    ASSERT_EQ(chart.pointCount(0), 2);
    EXPECT_DOUBLE_EQ(chart.points().at(1), c.plotted);
    EXPECT_EQ(chart.valueMinimum(), -c.fullScale);
    EXPECT_EQ(chart.valueMaximum(), c.fullScale);
    EXPECT_EQ(pane.edtCurPage->text(), "1");
}

INSTANTIATE_TEST_SUITE_P(Cases, PlottedValue, testing::ValuesIn(plottedCases),
                         [](const testing::TestParamInfo<PlottedCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(ChartPaneScale, ZeroFullScaleDrawsWithoutFailing) {
    qtApp();
    TChartPane pane;
    pane.resize(400, 300);
    pane.plotValue(10, 20);
    pane.plotValue(0, 0);
    EXPECT_EQ(pane.chartView()->valueMinimum(), 0);
    EXPECT_EQ(pane.chartView()->valueMaximum(), 0);
    const QImage picture = pane.chartView()->renderImage();
    EXPECT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), pane.Chart1->size());
}

} // namespace
