#include "PaneTestApp.h"
#include "QtPrinters.h"
#include "SamplingInterval.h"
#include "TCEdit.h"
#include "TIntervalTimer.h"
#include "TRecordPane.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

class Sampling : public WithPaneTestApp, public ::testing::Test {
protected:
    TRecordPane m_pane;
};

TEST_F(Sampling, StartState) {
    EXPECT_TRUE(m_pane.cbRepeat->isChecked());
    EXPECT_FALSE(m_pane.cbInterval->isChecked());
    EXPECT_EQ(m_pane.edtRecInterval->text(), QStringLiteral("1"));
    EXPECT_FALSE(m_pane.timerInterval->isActive());
    EXPECT_FALSE(m_pane.timerInputDelay->isActive());
    EXPECT_EQ(m_pane.timerInterval->interval(), 1000);
    EXPECT_EQ(m_pane.timerInputDelay->interval(), 1000);
}

TEST_F(Sampling, CheckBoxesKeepSamplingImpliesRepeat) {
    struct Step {
        const char* what;
        QCheckBox* TRecordPane::*box;
        bool check;
        bool repeat, sampling; // afterwards; the timer runs exactly while sampling
    };
    const Step steps[] = {
        {"uncheck Repeat", &TRecordPane::cbRepeat, false, false, false},
        {"check Sampling while Repeat is off", &TRecordPane::cbInterval, true, true, true},
        {"uncheck Repeat while sampling", &TRecordPane::cbRepeat, false, false, false},
        {"check Repeat", &TRecordPane::cbRepeat, true, true, false},
        {"check Sampling", &TRecordPane::cbInterval, true, true, true},
        {"uncheck Sampling", &TRecordPane::cbInterval, false, true, false},
    };
    QSignalSpy repeat(&m_pane, &TRecordPane::repeatChanged);
    QSignalSpy sampling(&m_pane, &TRecordPane::samplingChanged);
    for (const Step& s : steps) {
        (m_pane.*s.box)->setChecked(s.check);
        EXPECT_EQ(m_pane.repeatChecked(), s.repeat) << s.what;
        EXPECT_EQ(m_pane.samplingChecked(), s.sampling) << s.what;
        EXPECT_EQ(m_pane.timerInterval->isActive(), s.sampling) << s.what;
    }
    EXPECT_EQ(repeat.count(), 4);
    EXPECT_EQ(sampling.count(), 4);
}

TEST_F(Sampling, IntervalTextIsValidatedAfterTheDelay) {
    const struct {
        const char* typed;
        const char* shown;
        qint64 periodMs;
    } cases[] = {
        {"0", "1", 1000},
        {"100000000", "1", 1000},
        {"", "1", 1000},
        {"00005", "00005", 5000},
        {"99999999", "99999999", 99999999000LL},
        {"12a", "1", 1000},
        {"999999999999999999999", "1", 1000},
    };
    for (const auto& c : cases) {
        m_pane.edtRecInterval->setText(QString::fromLatin1(c.typed));
        EXPECT_TRUE(m_pane.timerInputDelay->isActive()) << "a change restarts the delay";
        m_pane.timerInputDelayTimer();
        EXPECT_EQ(m_pane.edtRecInterval->text(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(m_pane.timerInterval->interval(), c.periodMs) << c.typed;
    }
    EXPECT_EQ(samplingIntervalSeconds(QStringLiteral("+7")), 7);
    EXPECT_EQ(samplingIntervalSeconds(QStringLiteral("-7")), 0);
}

TEST_F(Sampling, TheDelayTimerFiresOneSecondAfterTheLastChange) {
    m_pane.edtRecInterval->setText(QStringLiteral("0"));
    QTest::qWait(500);
    m_pane.edtRecInterval->setText(QStringLiteral("00"));
    QTest::qWait(700);
    EXPECT_EQ(m_pane.edtRecInterval->text(), QStringLiteral("00")) << "restarted by the change";
    QTest::qWait(600);
    EXPECT_EQ(m_pane.edtRecInterval->text(), QStringLiteral("1"));
}

TEST_F(Sampling, KeyFilterLetsOnlyDigitsAndBackspaceThrough) {
    TCEdit* edit = m_pane.edtRecInterval;
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("1a2.3 -4"));
    EXPECT_EQ(edit->text(), QStringLiteral("1234"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("123"));
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), QStringLiteral("12")) << "keys that type nothing still work";
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("12")) << "control characters are dropped";
    edit->setText(QStringLiteral("x"));
    EXPECT_EQ(edit->text(), QStringLiteral("x")) << "text set otherwise is not filtered";
}

TEST_F(Sampling, EachTickOfTheIntervalAsksForAFrame) {
    QSignalSpy ticks(&m_pane, &TRecordPane::samplingTick);
    m_pane.cbInterval->setChecked(true);
    EXPECT_TRUE(ticks.wait(1500));
    m_pane.cbInterval->setChecked(false);
    QTest::qWait(1200);
    EXPECT_EQ(ticks.count(), 1) << "no tick once sampling is off";
}

TEST(IntervalTimer, LongPeriodsAreChainedWithoutDrift) {
    paneTestApp();
    TIntervalTimer timer;
    timer.setLongestWait(25);
    timer.setInterval(120);
    std::vector<qint64> at;
    QElapsedTimer clock;
    QObject::connect(&timer, &TIntervalTimer::timeout, &timer,
                     [&] { at.push_back(clock.elapsed()); });
    clock.start();
    timer.start();
    QTest::qWait(530);
    timer.stop();
    ASSERT_GE(at.size(), 3u);
    ASSERT_LE(at.size(), 4u);
    for (std::size_t i = 0; i < at.size(); ++i) {
        EXPECT_GE(at[i], static_cast<qint64>(120 * (i + 1)));
        EXPECT_LT(at[i], static_cast<qint64>(120 * (i + 1) + 60)) << "ticks keep to the period";
    }
    EXPECT_GT(timer.waitsStarted(), static_cast<qint64>(at.size() * 2)) << "each period is chained";

    // A new period restarts a running timer; the same one leaves it alone.
    timer.start();
    const qint64 waits = timer.waitsStarted();
    timer.setInterval(120);
    EXPECT_EQ(timer.waitsStarted(), waits);
    timer.setInterval(99999999000LL);
    EXPECT_GT(timer.waitsStarted(), waits);
    EXPECT_TRUE(timer.isActive());
}

} // namespace
