#include "CliRows.h"

#include "RecordAppend.h"
#include "RecordRow.h"

#include <QByteArray>
#include <QDateTime>

CliRowPrinter::CliRowPrinter(std::FILE* out, QChar timeSeparator)
    : m_out(out), m_timeSeparator(timeSeparator) {}

void CliRowPrinter::appendRecord(const MeterReading& reading) {
    ++m_rows;
    const RecordRowTexts row =
        recordRowTexts(reading, QDateTime::currentDateTime(), m_timeSeparator);
    const QString line = QString::number(m_rows) + u'\t' + row.aTime + u'\t' + row.aMMode + u'\t' +
                         row.aMValue + u'\t' + row.aMUnit + u'\t' + row.aSMode + u'\t' +
                         row.aSValue + u'\t' + row.aSUnit + u'\t' + row.aFreq + u'\n';
    const QByteArray bytes = line.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), m_out);
}

CliTableRecorder::CliTableRecorder(RecordTable* table, QChar timeSeparator)
    : m_table(table), m_timeSeparator(timeSeparator) {}

void CliTableRecorder::appendRecord(const MeterReading& reading) {
    appendRecordRow(m_table,
                    recordRowTexts(reading, QDateTime::currentDateTime(), m_timeSeparator));
}
