// The virtual LCD fed with real frames through the window's received-bytes path.
#include "AppTestSupport.h"
#include "TCEdit.h"
#include "TLcdBar.h"
#include "TLcdPanel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

constexpr std::uint8_t bitHold = 0x01;
constexpr std::uint8_t bitRelative = 0x04;
constexpr std::uint8_t bitLcr = 0x20;
constexpr std::uint8_t bitAuto = 0x40;
constexpr std::uint8_t bitParallel = 0x80;

class LcdFrames : public ::testing::Test {
protected:
    void SetUp() override {
        window = makeWindow();
        lcd = window->pnlLcd;
    }
    void feed(const FrameFields& fields) { feedUsbFrame(*window, fields); }
    bool shown(const QWidget* w) const { return w->isVisibleTo(lcd); }

    std::unique_ptr<TfrmMain> window;
    TLcdPanel* lcd = nullptr;
    FrameFields f; // capacitance 123.45 nF, D 0.029, 100 Hz, battery full
};

} // namespace

TEST_F(LcdFrames, StartState) {
    for (const QWidget* w : std::initializer_list<const QWidget*>{
             lcd->CONok, lcd->lcdHold, lcd->lcdAuto, lcd->lcdLCR, lcd->lcdRel, lcd->lcdSorting,
             lcd->lcdTol, lcd->lcdJianhao, lcd->lcdJiahao, lcd->lcdSortp, lcd->lcdBat1,
             lcd->lcdBat2, lcd->lcdBat3, lcd->lcdRS232, lcd->lcdFREQ}) {
        EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
    }
    for (const QWidget* w : std::initializer_list<const QWidget*>{
             lcd->CONokN, lcd->lcdBat0, lcd->pnlBar, lcd->lcdMDisp, lcd->lcdSDisp}) {
        EXPECT_TRUE(shown(w)) << w->objectName().toStdString();
    }
    EXPECT_EQ(lcd->lcdFREQ->text(), "100 Hz");
    EXPECT_EQ(lcd->lcdSortp->text(), "0.25%");
    EXPECT_TRUE(lcd->lcdMDisp->text().isEmpty());
    EXPECT_EQ(lcd->lcdBar->filledWidth(), 0);
}

TEST_F(LcdFrames, ElementsAtTheirPlaces) {
    const struct {
        QWidget* w;
        QRect geometry; // width or height 0: sized to the text
    } cases[] = {
        {lcd->CONokN, QRect(8, 6, 25, 24)},     {lcd->CONok, QRect(8, 6, 25, 24)},
        {lcd->lcdHold, QRect(56, 17, 0, 0)},    {lcd->lcdAuto, QRect(184, 17, 0, 0)},
        {lcd->lcdLCR, QRect(216, 17, 0, 0)},    {lcd->lcdRel, QRect(336, 12, 0, 0)},
        {lcd->lcdMMode, QRect(16, 49, 33, 0)},  {lcd->lcdMDisp, QRect(56, 41, 297, 73)},
        {lcd->lcdMUnit, QRect(360, 97, 0, 0)},  {lcd->lcdSorting, QRect(24, 129, 0, 0)},
        {lcd->lcdTol, QRect(24, 145, 0, 0)},    {lcd->lcdJianhao, QRect(48, 144, 0, 0)},
        {lcd->lcdJiahao, QRect(49, 148, 0, 0)}, {lcd->lcdSortp, QRect(57, 145, 0, 0)},
        {lcd->lcdSMod, QRect(152, 129, 40, 0)}, {lcd->lcdSDisp, QRect(200, 129, 153, 41)},
        {lcd->lcdSUnit, QRect(360, 129, 0, 0)}, {lcd->lcdBat3, QRect(18, 162, 0, 0)},
        {lcd->lcdBat2, QRect(18, 166, 0, 0)},   {lcd->lcdBat1, QRect(18, 170, 0, 0)},
        {lcd->lcdRS232, QRect(40, 169, 0, 0)},  {lcd->lcdBat0, QRect(16, 184, 17, 17)},
        {lcd->lcdFREQ, QRect(40, 185, 49, 0)},  {lcd->pnlBar, QRect(3, 202, 441, 32)},
        {lcd->lcdBar, QRect(24, 9, 393, 10)},
    };
    EXPECT_EQ(lcd->size(), QSize(453, 245));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w->objectName().toStdString());
        EXPECT_EQ(c.w->pos(), c.geometry.topLeft());
        if (c.geometry.width() > 0) {
            EXPECT_EQ(c.w->width(), c.geometry.width());
        }
        if (c.geometry.height() > 0) {
            EXPECT_EQ(c.w->height(), c.geometry.height());
        }
    }
    // The value boxes: right-justified, sky blue, flat, read-only.
    for (const TCEdit* box : {lcd->lcdMDisp, lcd->lcdSDisp}) {
        EXPECT_EQ(box->alignmentMode(), TCEdit::taRightJustify);
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(166, 202, 240));
        EXPECT_FALSE(box->hasFrame());
        EXPECT_TRUE(box->isReadOnly());
    }
    // The seven-segment digits, a decimal comma included, fit their boxes whole.
    for (const TCEdit* box : {lcd->lcdMDisp, lcd->lcdSDisp}) {
        const QFontMetrics fm(box->font());
        EXPECT_LE(fm.height(), box->height() - 4);
        EXPECT_LE(fm.tightBoundingRect(QStringLiteral("8,8")).height(), box->height() - 4);
        EXPECT_GE(fm.height(), box->height() * 3 / 4) << "and fill most of the height";
    }
    const QStringList scale = {"0", "20", "40", "60", "80", "100%"};
    const int lefts[] = {21, 92, 168, 245, 321, 398};
    for (int i = 0; i < scale.size(); ++i) {
        const auto* mark = lcd->pnlBar->findChild<QLabel*>(QStringLiteral("lblScale") + scale[i]);
        ASSERT_NE(mark, nullptr) << scale[i].toStdString();
        EXPECT_EQ(mark->pos(), QPoint(lefts[i], 20));
        EXPECT_EQ(mark->text(), scale[i]);
    }
}

TEST_F(LcdFrames, FirstFrameAtOneHundredHertzKeepsTheStartText) {
    feed(f);
    EXPECT_TRUE(shown(lcd->lcdFREQ));
    EXPECT_EQ(lcd->lcdFREQ->text(), "100 Hz");
    f.frequency = 1;
    feed(f);
    EXPECT_EQ(lcd->lcdFREQ->text(), "120Hz");
    f.frequency = 0;
    feed(f);
    EXPECT_EQ(lcd->lcdFREQ->text(), "100Hz");
    const std::pair<int, const char*> others[] = {
        {2, "1KHz"}, {3, "10KHz"}, {4, "100KHz"}, {5, "100KHz"}, {7, "100KHz"}};
    for (const auto& [code, text] : others) {
        f.frequency = code;
        feed(f);
        EXPECT_EQ(lcd->lcdFREQ->text(), text) << "code " << code;
        EXPECT_GE(lcd->lcdFREQ->width(), lcd->lcdFREQ->sizeHint().width()) << "never clipped";
        EXPECT_GE(lcd->lcdFREQ->width(), 49);
    }
}

TEST_F(LcdFrames, DcrHidesTheFrequencyUntilAnotherMode) {
    f.frequency = 2;
    feed(f);
    f.primaryMode = 4;
    feed(f);
    EXPECT_EQ(lcd->lcdMMode->text(), "DCR");
    EXPECT_FALSE(shown(lcd->lcdFREQ));
    f.primaryMode = 3;
    feed(f);
    EXPECT_TRUE(shown(lcd->lcdFREQ));
    EXPECT_EQ(lcd->lcdFREQ->text(), "1KHz");
}

TEST_F(LcdFrames, ModeTexts) {
    const struct {
        int primaryMode;
        int secondaryMode;
        bool parallel;
        const char* primary;
        const char* secondary;
    } cases[] = {{1, 1, false, "Ls", "D"},      {1, 2, true, "Lp", "Q"},
                 {2, 3, false, "Cs", "ESR"},    {2, 3, true, "Cp", "Rp"},
                 {3, 4, false, "Rs", "\u03B8"}, {3, 0, true, "Rp", ""},
                 {0, 1, false, "", "D"},        {6, 6, false, "", "D"}};
    for (const auto& c : cases) {
        f.primaryMode = c.primaryMode;
        f.secondaryMode = c.secondaryMode;
        f.p0 = c.parallel ? bitParallel : 0;
        feed(f);
        EXPECT_EQ(lcd->lcdMMode->text(), QString::fromUtf8(c.primary)) << c.primary;
        EXPECT_EQ(lcd->lcdSMod->text(), QString::fromUtf8(c.secondary)) << c.secondary;
    }
}

TEST_F(LcdFrames, SortingShowsAndHidesItsLabelsAndTheBarGraph) {
    const auto sortingLabels = [&] {
        return std::vector<bool>{shown(lcd->lcdSorting), shown(lcd->lcdTol), shown(lcd->lcdJianhao),
                                 shown(lcd->lcdJiahao), shown(lcd->lcdSortp)};
    };
    const std::vector<bool> none(5, false);
    const std::vector<bool> all(5, true);
    const std::vector<bool> withoutSign = {true, true, false, false, true};
    feed(f);
    EXPECT_EQ(sortingLabels(), none);
    f.tolerance = 5;
    feed(f);
    EXPECT_FALSE(shown(lcd->pnlBar));
    EXPECT_EQ(sortingLabels(), all);
    EXPECT_EQ(lcd->lcdSortp->text(), "1.0%");
    f.tolerance = 10;
    feed(f);
    EXPECT_EQ(sortingLabels(), withoutSign);
    EXPECT_EQ(lcd->lcdSortp->text(), "-20% +80%");
    f.tolerance = 12; // no band of its own: the last text stays, the sign comes back
    feed(f);
    EXPECT_EQ(sortingLabels(), all);
    EXPECT_EQ(lcd->lcdSortp->text(), "-20% +80%");
    f.tolerance = 0;
    feed(f);
    EXPECT_TRUE(shown(lcd->pnlBar));
    EXPECT_EQ(sortingLabels(), none);
}

TEST_F(LcdFrames, ToleranceOneRightAfterStartShowsTheStartBand) {
    f.tolerance = 1;
    feed(f);
    EXPECT_TRUE(shown(lcd->lcdSorting));
    EXPECT_TRUE(shown(lcd->lcdJianhao));
    EXPECT_EQ(lcd->lcdSortp->text(), "0.25%");
}

TEST_F(LcdFrames, StatusTextsOfBothDisplays) {
    const struct {
        int status;
        const char* primary;
        const char* secondary;
    } cases[] = {{2, "- - - -", "- - - -"}, {3, " OL  ", "  0L  "},  {4, "OFF   ", "OFF  "},
                 {6, "ERR   ", "ERR  "},    {7, "PASS  ", "PASS  "}, {8, "FAIL  ", "FAIL  "},
                 {9, "OPEN  ", "OPEN  "},   {10, "SHORT ", "SHORT "}};
    for (const auto& c : cases) {
        f.primaryStatus = c.status;
        f.secondaryStatus = c.status;
        feed(f);
        EXPECT_EQ(lcd->lcdMDisp->text(), c.primary) << "status " << c.status;
        EXPECT_EQ(lcd->lcdSDisp->text(), c.secondary) << "status " << c.status;
        // Codes 11 and up leave both boxes as they are.
        f.primaryStatus = 11 + c.status;
        f.secondaryStatus = 31;
        feed(f);
        EXPECT_EQ(lcd->lcdMDisp->text(), c.primary);
        EXPECT_EQ(lcd->lcdSDisp->text(), c.secondary);
    }
}

TEST_F(LcdFrames, BlankSecondaryHidesTheBoxUntilTheNextValue) {
    for (const int blank : {1, 5}) {
        f.secondaryStatus = blank;
        feed(f);
        EXPECT_FALSE(shown(lcd->lcdSDisp)) << "status " << blank;
        EXPECT_TRUE(lcd->lcdSDisp->text().isEmpty());
        f.secondaryStatus = 0;
        feed(f);
        EXPECT_TRUE(shown(lcd->lcdSDisp));
        EXPECT_EQ(lcd->lcdSDisp->text(), "0.029");
    }
    f.primaryStatus = 1;
    feed(f);
    EXPECT_TRUE(lcd->lcdMDisp->text().isEmpty());
    EXPECT_TRUE(shown(lcd->lcdMDisp)) << "the primary box stays, empty";
}

TEST_F(LcdFrames, BatteryGaugeEmptiesFromTheTop) {
    const struct {
        int battery;
        bool bar1, bar2, bar3;
    } steps[] = {{3, true, true, true},
                 {2, true, true, false},
                 {1, true, false, false},
                 {0, false, false, false}};
    for (const auto& s : steps) {
        f.battery = s.battery;
        feed(f);
        EXPECT_EQ(shown(lcd->lcdBat1), s.bar1) << s.battery;
        EXPECT_EQ(shown(lcd->lcdBat2), s.bar2) << s.battery;
        EXPECT_EQ(shown(lcd->lcdBat3), s.bar3) << s.battery;
        EXPECT_TRUE(shown(lcd->lcdBat0));
    }
}

TEST_F(LcdFrames, AnnunciatorsFollowTheirFlags) {
    const struct {
        std::uint8_t p0;
        bool hold, rel, lcr, autoShown;
    } cases[] = {{bitHold, true, false, false, false},
                 {bitRelative | bitAuto, false, true, false, true},
                 {bitLcr, false, false, true, true},
                 {0, false, false, false, false}};
    for (const auto& c : cases) {
        f.p0 = c.p0;
        feed(f);
        EXPECT_EQ(shown(lcd->lcdHold), c.hold) << int(c.p0);
        EXPECT_EQ(shown(lcd->lcdRel), c.rel) << int(c.p0);
        EXPECT_EQ(shown(lcd->lcdLCR), c.lcr) << int(c.p0);
        EXPECT_EQ(shown(lcd->lcdAuto), c.autoShown) << int(c.p0);
    }
}

TEST_F(LcdFrames, UnitsOfBothDisplays) {
    f.primaryUnit = 1;
    f.secondaryUnit = 14;
    feed(f);
    EXPECT_EQ(lcd->lcdMUnit->text(), "\u03A9");
    // U+309C where the font has that mark, the degree sign where it would show as a box.
    const bool hasMark = QFontMetrics(lcd->lcdSUnit->font()).inFont(QChar(0x309C));
    EXPECT_EQ(lcd->lcdSUnit->text(), hasMark ? "\u309C" : "\u00B0");
    f.primaryUnit = 14;
    f.secondaryUnit = 13;
    feed(f);
    EXPECT_EQ(lcd->lcdMUnit->text(), "deg");
    EXPECT_EQ(lcd->lcdSUnit->text(), "%");
    EXPECT_EQ(lcd->lcdSUnit->width(), lcd->lcdSUnit->sizeHint().width()) << "sized to its text";
    f.primaryUnit = 20; // beyond the table: no text
    feed(f);
    EXPECT_TRUE(lcd->lcdMUnit->text().isEmpty());
}

TEST_F(LcdFrames, BarGraphPosition) {
    const struct {
        int count;
        int point;
        int status;
        int position;
        int maximum;
        int filled; // of 393 pixels
    } cases[] = {
        {12345, 2, 0, 123, 200, 241}, // 123.45 of 200
        {12345, 4, 0, 1, 2, 196},     // 1.2345 of 2
        {25, 1, 0, 2, 2000, 0},       // 2.5: a half goes to the even neighbour
        {35, 1, 0, 4, 2000, 0},       // 3.5 → 4
        {30000, 2, 0, 300, 200, 393}, // beyond full scale: clamped
        {500, 2, 3, 200, 200, 393},   // overload fills the bar
        {12345, 6, 0, -1, 0, 0},      // full scale 0 empties it (the text stays)
    };
    for (const auto& c : cases) {
        f.primaryCount = c.count;
        f.primaryPoint = c.point;
        f.primaryStatus = c.status;
        feed(f);
        SCOPED_TRACE(c.count);
        if (c.position >= 0) {
            EXPECT_EQ(lcd->lcdBar->position(), c.position);
        }
        EXPECT_EQ(lcd->lcdBar->maximum(), c.maximum);
        EXPECT_EQ(lcd->lcdBar->filledWidth(), c.filled);
    }
}

TEST_F(LcdFrames, CommaSeparatorShowsInTheValueBoxes) {
    window = makeWindow(u',');
    lcd = window->pnlLcd;
    feed(f);
    EXPECT_EQ(lcd->lcdMDisp->text(), "123,45");
    EXPECT_EQ(lcd->lcdSDisp->text(), "0,029");
    EXPECT_EQ(lcd->lcdBar->position(), 123);
}

TEST_F(LcdFrames, IndicatorFlipsOnEveryChunkWhateverItHolds) {
    const std::vector<std::uint8_t> frame = frameBytes(makePayload(f));
    const std::vector<std::pair<std::size_t, std::size_t>> chunks = {
        {0, 5}, {5, 0}, {5, 9}, {14, 3}};
    bool lit = false;
    for (const auto& [start, length] : chunks) {
        window->CP21101ReceiveData(frame.data() + start, static_cast<std::uint32_t>(length));
        lit = !lit;
        EXPECT_EQ(shown(lcd->CONok), lit);
        EXPECT_EQ(shown(lcd->CONokN), !lit);
    }
    EXPECT_EQ(lcd->lcdMDisp->text(), "123.45") << "a frame split over chunks is decoded";
    window->CComm1ReceiveData(frame.data(), static_cast<std::uint32_t>(frame.size()));
    EXPECT_EQ(shown(lcd->CONok), !lit);
}

TEST_F(LcdFrames, SteadyFramesDoNotTouchTheOnChangeElements) {
    f.p0 = bitHold | bitLcr;
    f.tolerance = 4;
    f.frequency = 3;
    f.secondaryUnit = 14;
    feed(f);
    const std::uint64_t afterFirst = lcd->onChangeUpdates();
    EXPECT_GT(afterFirst, 0u);
    for (int i = 0; i < 20; ++i) {
        f.primaryCount = 10000 + i; // the value changes, the codes do not
        feed(f);
    }
    EXPECT_EQ(lcd->onChangeUpdates(), afterFirst);
    f.battery = 1;
    feed(f);
    EXPECT_EQ(lcd->onChangeUpdates(), afterFirst + 1);
}

TEST_F(LcdFrames, CpRuleWholeNumberReachesThePrimaryBox) {
    f.p0 = bitParallel;
    f.primaryMode = 2;
    f.frequency = 1;
    f.primaryCount = 12345;
    f.primaryPoint = 2;
    feed(f);
    EXPECT_EQ(lcd->lcdMDisp->text(), "123");
}

namespace {

// Counts the paint events of the watched widgets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::initializer_list<QWidget*> widgets) {
        for (QWidget* w : widgets) {
            w->installEventFilter(this);
        }
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
    int paints = 0;
};

} // namespace

TEST_F(LcdFrames, SteadyFramesDoNotRepaintTheOnChangeElements) {
    window->show();
    f.p0 = bitHold | bitRelative | bitLcr;
    f.tolerance = 6;
    f.battery = 3;
    f.primaryUnit = 6;
    f.secondaryUnit = 13;
    feed(f);
    QApplication::processEvents();
    PaintCounter onChange({lcd->lcdMUnit, lcd->lcdHold, lcd->lcdRel, lcd->lcdLCR, lcd->lcdBat1,
                           lcd->lcdBat2, lcd->lcdBat3, lcd->lcdSorting, lcd->lcdTol, lcd->lcdSortp,
                           lcd->lcdSUnit});
    for (int i = 0; i < 10; ++i) {
        feed(f);
        QApplication::processEvents();
    }
    EXPECT_EQ(onChange.paints, 0);
    f.primaryUnit = 7;
    feed(f);
    QApplication::processEvents();
    EXPECT_GT(onChange.paints, 0) << "a new unit code repaints its label";
}
