// velor-cli record on the simulated bridge and on a scripted library: rows as decode
// prints them, the limits, and the clear failures.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct RecordRun {
    int exitCode = -1;
    QStringList rows;
    QString err;
    qint64 ms = 0;
};

RecordRun runRecord(const QStringList& args, const QString& scriptedDevices = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!scriptedDevices.isEmpty()) {
        env.insert(QStringLiteral("VELOR_SCRIPTED_DEVICES"), scriptedDevices);
    }
    p.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    p.start(QStringLiteral(VELOR_CLI), QStringList{QStringLiteral("record")} + args);
    p.waitForFinished(30000);
    RecordRun run;
    run.ms = timer.elapsed();
    run.exitCode = p.exitCode();
    run.rows = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

} // namespace

TEST(CliRecord, SimulatedBridgePrintsNumberedRowsUpToTheFrameLimit) {
    const RecordRun r = runRecord({"--sim", "--frames", "4", "--decimal-separator", "."});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(r.rows.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const QStringList fields = r.rows[i].split(u'\t');
        ASSERT_EQ(fields.size(), 9) << r.rows[i].toStdString();
        EXPECT_EQ(fields[0], QString::number(i + 1));
        EXPECT_FALSE(fields[2].isEmpty()); // primary mode
    }
    EXPECT_TRUE(r.err.contains("SIM0001"));
}

TEST(CliRecord, OutputFileHoldsThePrintedRows) {
    QTemporaryDir dir;
    const QString text = dir.filePath("log.txt");
    const RecordRun r = runRecord({"--sim", "--frames", "3", "--output", text});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromLocal8Bit(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("NO\tTime\tMMode"));
    for (int i = 0; i < 3; ++i) {
        // Same row but for the time stamp, taken a moment apart.
        QStringList printed = r.rows[i].split(u'\t');
        QStringList saved = lines[i + 1].split(u'\t');
        ASSERT_EQ(saved.size(), 9);
        printed.removeAt(1);
        saved.removeAt(1);
        EXPECT_EQ(saved, printed);
    }
    // A file that cannot be written fails the run.
    const RecordRun bad =
        runRecord({"--sim", "--frames", "1", "--output", dir.filePath("no/such/dir/x.xml")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains("cannot write"));
}

TEST(CliRecord, SecondsLimitEndsTheRecording) {
    const RecordRun r = runRecord({"--sim", "--seconds", "2", "--changes"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_GE(r.ms, 1900);
    EXPECT_LT(r.ms, 10000);
    EXPECT_GE(r.rows.size(), 1);
}

TEST(CliRecord, FailuresEndWithAMessageAndStatusOne) {
    struct Case {
        const char* what;
        QStringList args;
        QString devices;
        const char* message;
    };
    const Case cases[] = {
        {"libraryMissing",
         {"--library", "/nonexistent/libnothing.so"},
         {},
         "DLL File is not Exists!"},
        {"noBridge", {"--library", VELOR_SCRIPTED_SO}, {}, "no bridge found"},
        {"bridgeSilent",
         {"--library", VELOR_SCRIPTED_SO, "--silence", "1"},
         "Q7=/dev/hidraw9",
         "no data from the meter for 1 s"},
    };
    for (const Case& c : cases) {
        const RecordRun r = runRecord(c.args, c.devices);
        EXPECT_EQ(r.exitCode, 1) << c.what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.message)))
            << c.what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.rows.isEmpty()) << c.what;
    }
}

TEST(CliRecord, BadOptionsAreRefused) {
    for (const QStringList& args : {QStringList{"--frames", "0"}, QStringList{"--seconds", "x"},
                                    QStringList{"--bogus"}, QStringList{"--library"}}) {
        const RecordRun r = runRecord(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
    }
}
