#include "QtPrinters.h"
#include "RecordFileReader.h"
#include "RecordTable.h"
#include "RecordTestRows.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CliOutput, DecodeWritesARecordFileTheProgramOpens) {
    QTemporaryDir dir;
    QStringList first;
    for (const char* name : {"run.xls", "run.xml", "run.txt"}) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        QProcess cli;
        cli.start(QStringLiteral(VELOR_CLI),
                  {QStringLiteral("decode"), QStringLiteral("--hex"),
                   QStringLiteral("--decimal-separator"), QStringLiteral("."),
                   QStringLiteral("--output"), file, QStringLiteral(VELOR_SAMPLE_FRAMES)});
        ASSERT_TRUE(cli.waitForFinished(30000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        EXPECT_TRUE(cli.readAllStandardOutput().isEmpty()) << "the rows go to the file";
        RecordTable table;
        ASSERT_TRUE(loadRecordFile(file, &table)) << name;
        ASSERT_EQ(table.rowCount(), 5) << name;
        QStringList rows;
        for (int r = 0; r < table.rowCount(); ++r) {
            QStringList fields = rowText(table, r).split(u'|');
            EXPECT_EQ(fields[1].size(), 19) << "time stamp";
            fields.removeAt(1);
            rows << fields.join(u'|');
        }
        EXPECT_EQ(rows.first(), QStringLiteral("1|Cs|123.45|nF|D|0.029||100Hz"));
        EXPECT_EQ(rows.last(), QStringLiteral("5|Rs|OL|Ohm|\u03B8|0||1KHz"));
        if (first.isEmpty()) {
            first = rows;
        }
        EXPECT_EQ(rows, first) << "both forms hold the same rows";
    }
}

// A headless session on the simulated bridge ends in a file the program opens whole.
TEST(CliOutput, RecordOnTheSimulatedBridgeWritesAFileTheProgramOpens) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("run.xls"));
    QProcess cli;
    cli.start(QStringLiteral(VELOR_CLI),
              {QStringLiteral("record"), QStringLiteral("--sim"), QStringLiteral("--frames"),
               QStringLiteral("20"), QStringLiteral("--output"), file});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    RecordTable table;
    ASSERT_TRUE(loadRecordFile(file, &table));
    ASSERT_EQ(table.rowCount(), 20);
    for (int r = 0; r < table.rowCount(); ++r) {
        EXPECT_TRUE(rowText(table, r).startsWith(QString::number(r + 1) + u'|')) << r;
    }
}

} // namespace
