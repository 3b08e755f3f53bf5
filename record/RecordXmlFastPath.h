#pragma once

#include <QByteArrayView>

class RecordTable;

// Reads an XML record file written in exactly this program's own form (the bytes
// writeRecordXml produces, attributes in any order) straight into the table, about ten
// times faster than a general XML reader. Returns false as soon as the bytes leave that
// form — the caller then discards the rows it appended and reads the file with the
// general reader, which alone decides whether the file is good. UTF-8 text only.
bool readOwnRecordXml(QByteArrayView bytes, RecordTable* table);
