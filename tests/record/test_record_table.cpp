#include "QtPrinters.h"
#include "RecordAppend.h"
#include "RecordTable.h"
#include "RecordTestRows.h"
#include "TRecordModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

struct StoreCase {
    const char16_t* input;
    const char16_t* stored;
};

TEST(RecordTable, TextsAreCutToTwentyCharactersThenStrippedOfTrailingBlanks) {
    const StoreCase cases[] = {
        {u"Cs", u"Cs"},
        {u"", u""},
        {u"   123.45", u"   123.45"}, // leading blanks stay
        {u"nF   ", u"nF"},            // trailing blanks go
        {u"a\t", u"a\t"},             // only blanks are stripped
        {u"abcdefghijklmnopqrstuvwxyz", u"abcdefghijklmnopqrst"},
        {u"1234567890123456789 x", u"1234567890123456789"}, // cut first, then stripped
        {u"12345678901234567890   ", u"12345678901234567890"},
        {u"\U0001D6C9bcdefghijklmnopqrstu", u"\U0001D6C9bcdefghijklmnopqrst"}, // a pair is one
    };
    RecordTable table(QStringConverter::Utf8);
    for (const StoreCase& c : cases) {
        const QString input = QString::fromUtf16(c.input);
        EXPECT_EQ(table.storedText(input), QString::fromUtf16(c.stored)) << input.toStdString();
        const RecordTable::TextId id = table.internText(input);
        EXPECT_EQ(table.poolText(id), QString::fromUtf16(c.stored));
        EXPECT_EQ(table.internText(input), id) << "a repeated text is stored once";
    }
}

TEST(RecordTable, TextsGoThroughTheEightBitEncoding) {
    RecordTable latin1(QStringConverter::Latin1);
    EXPECT_EQ(latin1.storedText(u"\u03B8"), QStringLiteral("?"));
    EXPECT_EQ(latin1.storedText(u"\u00B5F"), QStringLiteral("\u00B5F"));
    RecordTable utf8(QStringConverter::Utf8);
    EXPECT_EQ(utf8.storedText(u"\u03B8"), QStringLiteral("\u03B8"));

    // A theta reading recorded on a system whose code page lacks the letter.
    RecordRowTexts texts;
    texts.aSMode = QStringLiteral("\u03B8");
    appendRecordRow(&latin1, texts);
    EXPECT_EQ(latin1.text(0, aSMode), QStringLiteral("?"));
}

TEST(RecordTable, TimeStampsComeBackExactly) {
    const char16_t* times[] = {u"2011-05-23 17:04:09",
                               u"2011-05-23 17.04.09",
                               u"0000-00-00 00:00:00",
                               u"9999-99-99 99:99:99",
                               u"2011-05-23 17:04.09",
                               u"2011-5-23 17:04:09",
                               u" 2011-05-23 17:04:09",
                               u"2011-05-23 17\u00E404\u00E409",
                               u"2011-05-23 17\u066B04\u066B09",
                               u"2011-05-23T17:04:09",
                               u"",
                               u"not a time at all, longer than twenty"};
    RecordTable table(QStringConverter::Utf8);
    for (const char16_t* t : times) {
        RecordValues values;
        values.texts[0] = QString::fromUtf16(t);
        table.append(values);
        EXPECT_EQ(table.text(table.rowCount() - 1, aTime), table.storedText(QString::fromUtf16(t)));
    }
    EXPECT_TRUE(RecordTable::isPackedTime(table.timeCode(0)));
    EXPECT_TRUE(RecordTable::isPackedTime(table.timeCode(7))) << "a Latin-1 separator packs";
    EXPECT_FALSE(RecordTable::isPackedTime(table.timeCode(4))) << "mixed separators";
}

TEST(RecordTable, FieldsWithoutValueAreNullAndEmptyTextsAreNot) {
    RecordTable table;
    appendRowText(&table, QStringLiteral("7|2011-05-23 17:04:09|Cs||~|~|~|~|~"));
    appendRowText(&table, QStringLiteral("~|~|~|~|~|~|~|~|~"));
    EXPECT_EQ(rowText(table, 0), QStringLiteral("7|2011-05-23 17:04:09|Cs||~|~|~|~|~"));
    EXPECT_FALSE(table.isNull(0, aMValue));
    EXPECT_TRUE(table.isNull(0, aMUnit));
    for (int f = 0; f < recordFieldCount; ++f) {
        EXPECT_TRUE(table.isNull(1, static_cast<RecordField>(f))) << f;
    }
    EXPECT_EQ(table.number(1), std::nullopt);
}

TEST(RecordTable, NavigationLogAndClear) {
    RecordTable table;
    QSignalSpy appended(&table, &RecordTable::rowsAppended);
    EXPECT_TRUE(table.eof());
    for (int i = 1; i <= 3; ++i) {
        appendRowText(&table, QString::number(i));
        EXPECT_EQ(table.currentRow(), i - 1) << "the appended row becomes current";
    }
    EXPECT_EQ(table.insertionLogSize(), 3);
    EXPECT_EQ(appended.count(), 3);
    table.first();
    int visited = 0;
    for (; !table.eof(); table.next()) {
        EXPECT_EQ(table.number(table.currentRow()), visited + 1);
        ++visited;
    }
    EXPECT_EQ(visited, 3);
    table.last();
    EXPECT_EQ(table.currentRow(), 2);

    table.beginAppendBatch();
    appendRowText(&table, QStringLiteral("4"));
    appendRowText(&table, QStringLiteral("5"));
    EXPECT_EQ(appended.count(), 3) << "a batch is announced at its end";
    table.endAppendBatch();
    ASSERT_EQ(appended.count(), 4);
    EXPECT_EQ(appended.last(), (QList<QVariant>{3, 4}));
    EXPECT_EQ(table.currentRow(), 4);

    table.clear();
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.insertionLogSize(), 0);
    EXPECT_EQ(table.currentRow(), -1);
    EXPECT_EQ(table.poolSize(), 0u);
    appendRowText(&table, QStringLiteral("1|x"));
    EXPECT_EQ(table.insertionLogSize(), 1);
}

TEST(RecordModel, PassesTheModelTesterThroughAppendsBatchesAndClear) {
    RecordTable table;
    TRecordModel model(&table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    appendRowText(&table, QStringLiteral("1|2011-05-23 17:04:09|Cs|123.45|nF|D|0.029||100Hz"));
    appendRowText(&table, QStringLiteral("~|~|~|~|~|~|~|~|~"));
    table.beginAppendBatch();
    for (int i = 0; i < 50; ++i) {
        appendRowText(&table, QString::number(i));
    }
    table.endAppendBatch();
    EXPECT_EQ(model.rowCount(), 52);
    EXPECT_EQ(model.columnCount(), 9);
    EXPECT_EQ(model.data(model.index(0, aNO)), QVariant(1));
    EXPECT_EQ(model.data(model.index(0, aMValue)).toString(), QStringLiteral("123.45"));
    EXPECT_FALSE(model.data(model.index(1, aMValue)).isValid()) << "null shows as no value";
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    QStringList titles;
    for (int c = 0; c < model.columnCount(); ++c) {
        titles << model.headerData(c, Qt::Horizontal).toString();
    }
    EXPECT_EQ(titles.join(u','),
              QStringLiteral("NO,Time,MMode,MValue,MUnit,SMode,SValue,SUnit,Freq"));
    table.clear();
    EXPECT_EQ(model.rowCount(), 0);
    appendRowText(&table, QStringLiteral("1"));
    EXPECT_EQ(model.rowCount(), 1);
}

} // namespace
