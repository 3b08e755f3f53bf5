#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliRun runCli(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(QStringLiteral(VELOR_CLI), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

// Rows without their time stamps, which depend on the clock.
QStringList rowsWithoutTime(const QByteArray& out) {
    QStringList rows;
    for (const QString& line : QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts)) {
        QStringList fields = line.split(u'\t');
        EXPECT_EQ(fields.size(), 9) << line.toStdString();
        if (fields.size() == 9) {
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                            .match(fields[1])
                            .hasMatch())
                << fields[1].toStdString();
            fields.removeAt(1);
        }
        rows << fields.join(u'|');
    }
    return rows;
}

TEST(CliDecode, HexFileEveryFrameAndChanges) {
    const CliRun all = runCli({"decode", "--hex", "--decimal-separator", ".", VELOR_SAMPLE_FRAMES});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(rowsWithoutTime(all.out),
              (QStringList{"1|Cs|123.45|nF|D|0.029||100Hz", "2|Cs|123.46|nF|D|0.029||100Hz",
                           "3|Cp|123|nF|D|0.029||120Hz", "4|Ls|12.34|mH|Q|40.0||1KHz",
                           "5|Rs|OL|Ohm|\u03B8|0||1KHz"}));
}

TEST(CliDecode, RawBytesFromStandardInput) {
    // Two identical frames and a changed one, preceded by the tail of a frame.
    const QByteArray frame = QByteArray::fromHex("000D00000002303952000101230400" "0D0A");
    const QByteArray changed = QByteArray::fromHex("000D00000002303A52000101230400" "0D0A");
    const QByteArray input = frame.mid(9) + frame + frame + changed;
    const CliRun every = runCli({"decode", "--decimal-separator", ","}, input);
    ASSERT_EQ(every.exitCode, 0);
    EXPECT_EQ(rowsWithoutTime(every.out),
              (QStringList{"1|Cs|123,45|nF|D|0,029||100Hz", "2|Cs|123,45|nF|D|0,029||100Hz",
                           "3|Cs|123,46|nF|D|0,029||100Hz"}));
    const CliRun changes = runCli({"decode", "--changes", "--decimal-separator", "."}, input);
    ASSERT_EQ(changes.exitCode, 0);
    EXPECT_EQ(rowsWithoutTime(changes.out),
              (QStringList{"1|Cs|123.45|nF|D|0.029||100Hz", "2|Cs|123.46|nF|D|0.029||100Hz"}));
}

TEST(CliDecode, ErrorsGiveOneLineAndNonZeroExit) {
    struct Case {
        QStringList args;
        QByteArray input;
        const char* message;
    };
    const Case cases[] = {
        {{"decode", "/nonexistent/frames.bin"}, {}, "cannot read"},
        {{"decode", "--bogus"}, {}, "unknown option"},
        {{"decode", "--decimal-separator"}, {}, "one character"},
        {{"decode", "--hex"}, "000D zz", "not hexadecimal"},
        {{"frobnicate"}, {}, "unknown command"},
        {{}, {}, "usage"},
    };
    for (const Case& c : cases) {
        const CliRun r = runCli(c.args, c.input);
        EXPECT_NE(r.exitCode, 0) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    const CliRun help = runCli({"decode", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--changes"));
}

} // namespace
