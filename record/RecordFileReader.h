#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringConverter>

class RecordTable;

// Reading record files into the table. Rows are appended to those already there. On a
// failure the rows stored before it stay, a row being read when it happened is dropped,
// and the rest of the file is not read; the functions then return false.

// Tab-separated text: the first line (the header) is skipped whatever it holds; each
// further line is one row whose pieces fill the fields in order. Lines end at CR LF, CR or
// LF; a NUL byte ends the text. Fails on an empty file, a line of more than nine pieces
// and a first piece that is no whole number (an empty line included).
bool readRecordText(QByteArrayView bytes, RecordTable* table,
                    QStringConverter::Encoding encoding = QStringConverter::System);

// The XML data packet: the fields described in its FIELDS are taken by position, their
// values converted to the table's field types; a missing value stays null. Fails on a
// document that is no data packet, a row of a packet with more than nine fields, and a
// value that does not convert to a whole number where one is needed.
bool readRecordXml(QByteArrayView bytes, RecordTable* table,
                   QStringConverter::Encoding encoding = QStringConverter::System);

// The same with the general XML reader alone, without the fast path for the program's own
// form (for comparing the two).
bool readRecordXmlGeneral(QByteArrayView bytes, RecordTable* table,
                          QStringConverter::Encoding encoding = QStringConverter::System);

// Reads the file in the form its extension selects; false also when it cannot be read.
bool loadRecordFile(const QString& fileName, RecordTable* table,
                    QStringConverter::Encoding encoding = QStringConverter::System);
