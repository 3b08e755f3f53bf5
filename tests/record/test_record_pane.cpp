#include "FrameBuilder.h"
#include "MeterDecoder.h"
#include "PaneTestApp.h"
#include "QtPrinters.h"
#include "RecordFileWriter.h"
#include "RecordTable.h"
#include "RecordTestRows.h"
#include "TRecordModel.h"
#include "TRecordPane.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// Hands each recorded frame to the pane, as the window's decoder hooks do.
struct PaneHooks : DecoderHooks {
    explicit PaneHooks(TRecordPane* pane) : m_pane(pane) {}
    void appendRecord(const MeterReading& reading) override { m_pane->appendRecord(reading); }
    TRecordPane* m_pane;
};

class RecordPane : public WithPaneTestApp, public ::testing::Test {
protected:
    RecordPane() : m_hooks(&m_pane), m_decoder(u'.', &m_hooks) {
        m_pane.setTimeSeparator(u':');
        m_pane.setInformationHandler([this](const QString& t) { m_messages << t; });
        m_pane.setErrorHandler([this](const QString& t) { m_errors << t; });
    }
    void frame(const FrameFields& f) { m_decoder.decodeFrame(makePayload(f)); }
    // The row's fields after the time stamp, joined by "|".
    QString rowAfterTime(int row) const {
        QStringList fields = rowText(*m_pane.cds1, row).split(u'|');
        fields.removeAt(1);
        return fields.join(u'|');
    }

    TRecordPane m_pane;
    PaneHooks m_hooks;
    MeterDecoder m_decoder;
    QStringList m_messages;
    QStringList m_errors;
    QTemporaryDir m_dir;
};

FrameFields valueFrame(int count) {
    FrameFields f;
    f.primaryCount = count;
    return f;
}

TEST_F(RecordPane, EveryFrameGivesANumberedTimeStampedRow) {
    for (int i = 0; i < 3; ++i) {
        frame(valueFrame(12345));
    }
    ASSERT_EQ(m_pane.cds1->rowCount(), 3);
    const QRegularExpression time(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(m_pane.cds1->number(r), r + 1);
        EXPECT_TRUE(time.match(*m_pane.cds1->text(r, aTime)).hasMatch());
        EXPECT_EQ(rowAfterTime(r),
                  QString::number(r + 1) + QStringLiteral("|Cs|123.45|nF|D|0.029||100Hz"));
    }
}

TEST_F(RecordPane, WithoutRepeatOnlyAChangedValueIsRecorded) {
    m_pane.cbRepeat->setChecked(false);
    m_decoder.setRepeat(m_pane.repeatChecked());
    frame(valueFrame(12345));
    frame(valueFrame(12345));
    frame(valueFrame(12346));
    FrameFields otherSecondary = valueFrame(12346);
    otherSecondary.secondaryCount = 500;
    frame(otherSecondary);
    ASSERT_EQ(m_pane.cds1->rowCount(), 2);
    EXPECT_EQ(*m_pane.cds1->text(1, aMValue), QStringLiteral("123.46"));
}

TEST_F(RecordPane, RowRulesOfDecodedFrames) {
    struct Case {
        const char* name;
        FrameFields frame;
        const char* row; // NO excluded: MMode|MValue|MUnit|SMode|SValue|SUnit|Freq
    };
    FrameFields cp = valueFrame(12345);
    cp.p0 = 0x80; // parallel
    FrameFields rEsr = valueFrame(12345);
    rEsr.primaryMode = 3;
    rEsr.primaryUnit = 1;
    rEsr.secondaryMode = 3;
    FrameFields off = valueFrame(12345);
    off.primaryStatus = 4;
    FrameFields ol = valueFrame(12345);
    ol.primaryStatus = 3;
    FrameFields henry = valueFrame(12345);
    henry.primaryMode = 1;
    henry.primaryUnit = 7;
    henry.secondaryMode = 4;
    henry.secondaryUnit = 14;
    const Case cases[] = {
        {"Cp at 100 Hz", cp, "Cp|123|nF|D|0.029||100Hz"},
        {"ESR code beside R", rEsr, "Rs|123.45|Ohm||0.029||100Hz"},
        {"OFF", off, "Cs||nF|D|0.029||100Hz"},
        {"OL", ol, "Cs|OL|nF|D|0.029||100Hz"},
        {"H and Deg", henry, "Ls|123.45|H|\u03B8|0.029|Deg|100Hz"},
    };
    int row = 0;
    for (const Case& c : cases) {
        frame(c.frame);
        ++row;
        EXPECT_EQ(rowAfterTime(row - 1), QString::number(row) + u'|' + QString::fromUtf8(c.row))
            << c.name;
    }
}

TEST_F(RecordPane, ClearEmptiesTableAndLogAndNumbersStartAgain) {
    frame(valueFrame(1));
    frame(valueFrame(2));
    m_pane.clearRecords();
    EXPECT_EQ(m_pane.cds1->rowCount(), 0);
    EXPECT_EQ(m_pane.cds1->insertionLogSize(), 0);
    EXPECT_EQ(m_pane.Data1->rowCount(), 0);
    frame(valueFrame(3));
    ASSERT_EQ(m_pane.cds1->rowCount(), 1);
    EXPECT_EQ(m_pane.cds1->number(0), 1);
}

TEST_F(RecordPane, RowsOpenedFromAFileCountForTheNextNumber) {
    RecordTable three;
    for (int i = 1; i <= 3; ++i) {
        appendRowText(&three, QString::number(i) + QStringLiteral("|t|Cs"));
    }
    const QString file = m_dir.filePath(QStringLiteral("three.xls"));
    ASSERT_TRUE(saveRecordFile(three, file).ok);
    for (int i = 0; i < 5; ++i) {
        frame(valueFrame(i));
    }
    m_pane.setOpenDialog([&] { return file; });
    m_pane.btnRecordOpen->click();
    EXPECT_TRUE(m_errors.isEmpty());
    frame(valueFrame(9));
    ASSERT_EQ(m_pane.cds1->rowCount(), 9);
    EXPECT_EQ(m_pane.cds1->number(5), 1);
    EXPECT_EQ(m_pane.cds1->number(8), 9);

    m_pane.setOpenDialog([&] { return m_dir.filePath(QStringLiteral("missing.xls")); });
    m_pane.btnRecordOpen->click();
    EXPECT_EQ(m_errors, QStringList{QStringLiteral("Failed to Load File!")});
    m_pane.setOpenDialog([] { return QString(); });
    m_pane.btnRecordOpen->click();
    EXPECT_EQ(m_errors.size(), 1) << "a cancelled dialog does nothing";

    m_pane.AnyToCds(file, true);
    EXPECT_EQ(m_pane.cds1->rowCount(), 3) << "emptied first";
}

TEST_F(RecordPane, GridIsAReadOnlyRowGridFollowingTheNewestRow) {
    m_pane.resize(420, 300);
    m_pane.show();
    QTableView* grid = m_pane.DBGrid1;
    EXPECT_FALSE(grid->verticalHeader()->isVisible()) << "no row indicator";
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(grid->horizontalHeader()->sectionsMovable());
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    const int widths[] = {36, 103, 43, 43, 35, 39, 40, 34};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(grid->columnWidth(c), widths[c]) << c;
    }
    EXPECT_GT(grid->columnWidth(8), 60) << "Freq: a 20-character field";
    for (int i = 0; i < 200; ++i) {
        frame(valueFrame(i));
        ASSERT_EQ(grid->currentIndex().row(), i);
    }
    QApplication::processEvents();
    const QRect cell = grid->visualRect(grid->currentIndex());
    EXPECT_TRUE(grid->viewport()->rect().intersects(cell)) << "newest row scrolled into view";
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(199, QModelIndex()));

    if (const QByteArray dir = qgetenv("VELOR_SCREENSHOT_DIR"); !dir.isEmpty()) {
        m_pane.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/record-pane.png"));
    }

    // A click selects the row under the mouse, whole.
    const QModelIndex target = m_pane.Data1->index(196, 2);
    const QRect targetRect = grid->visualRect(target);
    ASSERT_TRUE(grid->viewport()->rect().contains(targetRect.center()));
    EXPECT_EQ(grid->indexAt(targetRect.center()), target);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, targetRect.center());
    EXPECT_EQ(grid->currentIndex(), target);
    EXPECT_EQ(m_pane.cds1->currentRow(), 196) << "the grid's row is the table's current row";
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(196, QModelIndex()));
    EXPECT_FALSE(grid->selectionModel()->isRowSelected(199, QModelIndex()));
    grid->scrollTo(m_pane.Data1->index(0, 0));
    EXPECT_EQ(grid->indexAt(QPoint(2, 2)).row(), 0);
}

TEST_F(RecordPane, SavingFollowsTheGridsColumnOrderAndReports) {
    frame(valueFrame(12345));
    m_pane.DBGrid1->horizontalHeader()->moveSection(1, 0); // Time to the front
    EXPECT_EQ(m_pane.columnTitlesInDisplayOrder().mid(0, 3),
              (QStringList{QStringLiteral("Time"), QStringLiteral("NO"), QStringLiteral("MMode")}));
    const QString file = m_dir.filePath(QStringLiteral("moved.txt"));
    m_pane.setSaveDialog([&] { return file; });
    m_pane.btnRecordSave->click();
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = saved.readAll().split('\n');
    EXPECT_EQ(lines[0], QByteArray("Time\tNO\tMMode\tMValue\tMUnit\tSMode\tSValue\tSUnit\tFreq\r"));
    EXPECT_TRUE(lines[1].startsWith("1\t")) << "data keeps the field order";
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Save table to specified file: ") + file +
                                      QStringLiteral(" Scuss!")});

    m_messages.clear();
    m_pane.DBToFiles(m_dir.filePath(QStringLiteral("data.csv")));
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Save table to specified file: ") +
                                      m_dir.filePath(QStringLiteral("data.csv.xls")) +
                                      QStringLiteral(" Scuss!")});
    m_messages.clear();
    m_pane.setSaveDialog([] { return QString(); });
    m_pane.btnRecordSave->click();
    EXPECT_TRUE(m_messages.isEmpty()) << "a cancelled dialog does nothing";
}

TEST_F(RecordPane, AFailedSaveKeepsTheOldFileAndSaysSo) {
    for (int i = 0; i < 3000; ++i) {
        frame(valueFrame(i));
    }
    const QString text = m_dir.filePath(QStringLiteral("old.xls"));
    const QString xml = m_dir.filePath(QStringLiteral("old.xml"));
    for (const QString& name : {text, xml}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 32 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    m_pane.DBToFiles(text);
    m_pane.DBToFiles(xml);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(m_messages,
              QStringList{QStringLiteral("Could not save table to specified file: ") + text});
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].startsWith(QStringLiteral("Cannot create file \"") + xml))
        << m_errors[0].toStdString();
    for (const QString& name : {text, xml}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("old"));
    }
    EXPECT_EQ(m_pane.cds1->rowCount(), 3000) << "the table is unchanged";
}

} // namespace
