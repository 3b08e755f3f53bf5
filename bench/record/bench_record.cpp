// Recording at the size of a week of readings (10^6 rows): appending with the grid shown,
// memory per row, saving and opening both file forms against one fwrite of the same bytes.
#include "RecordAppend.h"
#include "RecordFileReader.h"
#include "RecordFileWriter.h"
#include "RecordTable.h"
#include "TRecordPane.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <memory>
#include <random>

namespace {

constexpr int millionRows = 1000000;

// Readings as a logging session makes them: two a second, a value that wanders over the
// meter's counts, a few modes and frequencies.
class ReadingTexts {
public:
    RecordRowTexts next() {
        RecordRowTexts t;
        // Formatted by hand: local-time conversions would dominate the measurement.
        const int s = m_n / 2;
        t.aTime = QStringLiteral("2026-12-%1 %2:%3:%4")
                      .arg(1 + s / 86400 % 28, 2, 10, QChar(u'0'))
                      .arg(s / 3600 % 24, 2, 10, QChar(u'0'))
                      .arg(s / 60 % 60, 2, 10, QChar(u'0'))
                      .arg(s % 60, 2, 10, QChar(u'0'));
        m_count = std::clamp(m_count + static_cast<int>(m_rng() % 41) - 20, 0, 60000);
        t.aMMode = (m_n / 5000) % 2 ? QStringLiteral("Cp") : QStringLiteral("Cs");
        t.aMValue = QString::number(m_count / 100.0, 'f', 2);
        t.aMUnit = QStringLiteral("nF");
        t.aSMode = QStringLiteral("D");
        t.aSValue = QString::number((m_rng() % 1000) / 1000.0, 'f', 3);
        t.aSUnit = QString();
        t.aFreq = (m_n / 20000) % 2 ? QStringLiteral("1KHz") : QStringLiteral("100Hz");
        ++m_n;
        return t;
    }

private:
    std::mt19937 m_rng{42};
    int m_count = 12345;
    int m_n = 0;
};

// Heap in use, the blocks malloc took from mmap (the big row columns) included.
std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void fill(RecordTable* table, int rows) {
    ReadingTexts texts;
    table->beginAppendBatch();
    for (int i = 0; i < rows; ++i) {
        appendRecordRow(table, texts.next());
    }
    table->endAppendBatch();
}

QApplication* app() {
    static int argc = 1;
    static char name[] = "bench_record";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return instance;
}

void BM_AppendWithGrid(benchmark::State& state) {
    app();
    TRecordPane pane;
    pane.resize(480, 600);
    pane.show();
    fill(pane.cds1, static_cast<int>(state.range(0)));
    QApplication::processEvents();
    ReadingTexts texts;
    std::vector<RecordRowTexts> rows;
    for (int i = 0; i < 4096; ++i) {
        rows.push_back(texts.next());
    }
    std::size_t i = 0;
    for (auto _ : state) {
        appendRecordRow(pane.cds1, rows[i++ % rows.size()]);
        // The window paints between readings; every 64th append lets it.
        if (i % 64 == 0) {
            QApplication::processEvents();
        }
    }
    state.counters["rows"] = pane.cds1->rowCount();
    state.counters["current"] = pane.DBGrid1->currentIndex().row();
}
// Rows already in the table: none and a million; the cost per append must not grow.
BENCHMARK(BM_AppendWithGrid)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(20000)
    ->Arg(0)
    ->Arg(millionRows);

void BM_RepaintAtEnd(benchmark::State& state) {
    app();
    TRecordPane pane;
    pane.resize(480, 600);
    pane.show();
    fill(pane.cds1, millionRows);
    QApplication::processEvents();
    for (auto _ : state) {
        pane.DBGrid1->scrollToBottom();
        pane.DBGrid1->viewport()->repaint();
    }
}
BENCHMARK(BM_RepaintAtEnd)->Unit(benchmark::kMillisecond);

void BM_MemoryPerRow(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        auto table = std::make_unique<RecordTable>();
        fill(table.get(), millionRows);
        const std::size_t after = heapInUse();
        state.counters["heap_bytes_per_row"] = static_cast<double>(after - before) / millionRows;
        state.counters["table_bytes_per_row"] =
            static_cast<double>(table->memoryUsage()) / millionRows;
    }
}
BENCHMARK(BM_MemoryPerRow)->Unit(benchmark::kMillisecond)->Iterations(1);

struct Fixture {
    QTemporaryDir dir;
    RecordTable table;
    Fixture() { fill(&table, millionRows); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void saveFile(benchmark::State& state, const char* name) {
    Fixture& f = fixture();
    for (auto _ : state) {
        if (!saveRecordFile(f.table, f.path(name)).ok) {
            state.SkipWithError("save failed");
        }
    }
    state.counters["MB"] = static_cast<double>(QFile(f.path(name)).size()) / 1e6;
}
void BM_SaveText(benchmark::State& state) {
    saveFile(state, "save.xls");
}
void BM_SaveXml(benchmark::State& state) {
    saveFile(state, "save.xml");
}
BENCHMARK(BM_SaveText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveXml)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same bytes written with one fwrite: the floor a save is measured against.
void fwriteBaseline(benchmark::State& state, const char* saved) {
    Fixture& f = fixture();
    if (!QFile::exists(f.path(saved))) {
        saveRecordFile(f.table, f.path(saved));
    }
    QFile in(f.path(saved));
    if (!in.open(QIODevice::ReadOnly)) {
        state.SkipWithError("cannot read the saved file");
        return;
    }
    const QByteArray bytes = in.readAll();
    const QByteArray out = f.path("baseline.bin").toLocal8Bit();
    for (auto _ : state) {
        std::FILE* file = std::fopen(out.constData(), "wb");
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
        std::fclose(file);
    }
}
void BM_FwriteTextBytes(benchmark::State& state) {
    fwriteBaseline(state, "save.xls");
}
void BM_FwriteXmlBytes(benchmark::State& state) {
    fwriteBaseline(state, "save.xml");
}
BENCHMARK(BM_FwriteTextBytes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FwriteXmlBytes)->Unit(benchmark::kMillisecond)->Iterations(3);

void openFile(benchmark::State& state, const char* saved) {
    Fixture& f = fixture();
    if (!QFile::exists(f.path(saved))) {
        saveRecordFile(f.table, f.path(saved));
    }
    for (auto _ : state) {
        RecordTable table;
        if (!loadRecordFile(f.path(saved), &table) || table.rowCount() != millionRows) {
            state.SkipWithError("open failed");
        }
    }
}
void BM_OpenText(benchmark::State& state) {
    openFile(state, "save.xls");
}
void BM_OpenXml(benchmark::State& state) {
    openFile(state, "save.xml");
}
BENCHMARK(BM_OpenText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenXml)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
