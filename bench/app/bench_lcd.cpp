// Cost of bringing the virtual LCD up to date per frame, offscreen: a steady stream of
// identical frames against one in which every field changes from frame to frame.
#include "FrameBuilder.h"
#include "FrameDecoder.h"
#include "TLcdPanel.h"
#include "ValueText.h"
#include "ufrmMain.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench_lcd";
    static char* argv[] = {name, nullptr};
    static QApplication* a = new QApplication(argc, argv);
    return *a;
}

struct Decoded {
    MeterReading reading;
    int fullScale = 0;
    double value = 0;
};

Decoded decode(const FrameFields& f) {
    Decoded d;
    decodePayload(makePayload(f), u'.', &d.reading);
    d.fullScale = fullScaleFor(d.reading.primaryPoint);
    d.value = displayValue(d.reading, d.fullScale, u'.');
    return d;
}

// Two frames that differ in every field, so alternating them changes every element.
std::vector<FrameFields> changingFields() {
    FrameFields a;
    a.p0 = 0x01 | 0x04 | 0x20;
    a.battery = 3;
    a.frequency = 1;
    a.tolerance = 5;
    a.primaryMode = 1;
    a.primaryUnit = 6;
    a.secondaryMode = 2;
    a.secondaryUnit = 14;
    FrameFields b;
    b.p0 = 0x80;
    b.battery = 1;
    b.frequency = 2;
    b.tolerance = 0;
    b.primaryMode = 3;
    b.primaryCount = 4321;
    b.primaryPoint = 1;
    b.primaryUnit = 2;
    b.secondaryMode = 3;
    b.secondaryCount = 77;
    b.secondaryUnit = 1;
    return {a, b};
}

// Counts paint events of the elements that only change with their codes.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(TLcdPanel& lcd) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 lcd.lcdMUnit, lcd.lcdHold, lcd.lcdRel, lcd.lcdLCR, lcd.lcdBat1, lcd.lcdBat2,
                 lcd.lcdBat3, lcd.lcdSorting, lcd.lcdTol, lcd.lcdJianhao, lcd.lcdJiahao,
                 lcd.lcdSortp, lcd.lcdSUnit, lcd.pnlBar}) {
            w->installEventFilter(this);
        }
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
    std::int64_t paints = 0;
};

void runLcd(benchmark::State& state, const std::vector<Decoded>& frames, bool paint) {
    app();
    TLcdPanel lcd;
    lcd.show();
    lcd.UpdateLcd(frames[0].reading, frames[0].fullScale, frames[0].value);
    QApplication::processEvents();
    PaintCounter counter(lcd);
    const std::uint64_t changesBefore = lcd.onChangeUpdates();
    std::size_t i = 1;
    for (auto _ : state) {
        const Decoded& d = frames[i++ % frames.size()];
        lcd.UpdateLcd(d.reading, d.fullScale, d.value);
        if (paint) {
            // Paints what the frame made dirty, as the event loop would.
            QApplication::processEvents();
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["onChangeSteps/frame"] =
        static_cast<double>(lcd.onChangeUpdates() - changesBefore) / n;
    state.counters["onChangePaints/frame"] = static_cast<double>(counter.paints) / n;
}

void BM_UpdateLcd_Steady(benchmark::State& state) {
    runLcd(state, {decode(FrameFields{})}, false);
}

void BM_UpdateLcd_AllChanging(benchmark::State& state) {
    std::vector<Decoded> frames;
    for (const FrameFields& f : changingFields()) {
        frames.push_back(decode(f));
    }
    runLcd(state, frames, false);
}

// The same with what each frame made dirty painted before the next one.
void BM_UpdateLcdAndPaint_Steady(benchmark::State& state) {
    runLcd(state, {decode(FrameFields{})}, true);
}

void BM_UpdateLcdAndPaint_AllChanging(benchmark::State& state) {
    std::vector<Decoded> frames;
    for (const FrameFields& f : changingFields()) {
        frames.push_back(decode(f));
    }
    runLcd(state, frames, true);
}

// A whole frame through the window: indicator, watchdog, assembly, decoding, LCD.
void BM_WindowReceiveFrame(benchmark::State& state) {
    app();
    MainWindowOptions options;
    options.decimalSeparator = u'.';
    TfrmMain window(options);
    const std::vector<std::uint8_t> bytes = frameBytes(makePayload(FrameFields{}));
    for (auto _ : state) {
        window.CP21101ReceiveData(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
}

} // namespace

BENCHMARK(BM_UpdateLcd_Steady);
BENCHMARK(BM_UpdateLcd_AllChanging);
BENCHMARK(BM_UpdateLcdAndPaint_Steady);
BENCHMARK(BM_UpdateLcdAndPaint_AllChanging);
BENCHMARK(BM_WindowReceiveFrame);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
