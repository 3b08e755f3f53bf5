#pragma once

#include "RecordFileName.h"

#include <QString>
#include <QStringConverter>
#include <QStringList>

class QIODevice;
class RecordTable;

// The column titles in field order: the header of a file written without a grid.
QStringList defaultRecordHeader();

// Writes the table as tab-separated text: the header titles (in the order given) and one
// line per row in field order, fields stripped of leading and trailing characters of code
// 32 and below, a TAB between fields, CR LF after every line, 8-bit text in the encoding.
bool writeRecordText(const RecordTable& table, const QStringList& header, QIODevice* out,
                     QStringConverter::Encoding encoding = QStringConverter::System);

// Writes the table as one XML data packet (field descriptions, log of insertions, rows),
// with no line break anywhere; texts as stored, only the markup characters escaped.
bool writeRecordXml(const RecordTable& table, QIODevice* out,
                    QStringConverter::Encoding encoding = QStringConverter::System);

// The start of every XML record file this program writes: the declaration, the packet's
// start tag and the descriptions of the nine fields, up to and including </FIELDS>.
const QByteArray& recordXmlHead();

struct RecordSaveResult {
    bool ok = false;
    QString fileName; // the name written to, ".xls" appended where the rules append it
    RecordFileFormat format = RecordFileFormat::Text;
    QString error; // why it failed, from the system
};

// Saves the table in the form its name selects. The bytes go to a temporary file beside
// the target that replaces it only when complete, so a failed save leaves an existing
// file as it was. A target that exists but is no regular file (a device, a pipe) is
// written in place, since it cannot be replaced.
RecordSaveResult saveRecordFile(const RecordTable& table, const QString& fileName,
                                const QStringList& header = defaultRecordHeader(),
                                QStringConverter::Encoding encoding = QStringConverter::System);
