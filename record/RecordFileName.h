#pragma once

#include <QString>

// The two forms of record file. The name's extension chooses: ".xml" (in any case) the XML
// data packet, every other extension the tab-separated text.
enum class RecordFileFormat { Text, Xml };

// The extension of a file name in lower case, from its last "." on, provided that "." comes
// after the last path separator; empty when there is none.
QString recordFileExtension(const QString& fileName);

RecordFileFormat recordFileFormat(const QString& fileName);

// The name a save writes to: a name whose extension is none of ".xml", ".xls" and ".txt"
// gets ".xls" appended (data.csv is written as data.csv.xls).
QString recordSaveFileName(const QString& fileName);
