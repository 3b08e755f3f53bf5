#include "RecordFileReader.h"

#include "RawTextIds.h"
#include "RecordFileName.h"
#include "RecordTable.h"
#include "RecordXmlFastPath.h"
#include "SplitByDelimiter.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <vector>

namespace {

char16_t unitOf(char c) {
    return static_cast<unsigned char>(c);
}
char16_t unitOf(QChar c) {
    return c.unicode();
}

// A plain decimal whole number with an optional sign, in the range of aNO.
template <typename View> bool parseWholeNumber(View text, std::int32_t* value) {
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (unitOf(text[0]) == u'-' || unitOf(text[0]) == u'+')) {
        negative = unitOf(text[0]) == u'-';
        i = 1;
    }
    if (i >= text.size()) {
        return false;
    }
    long long v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = unitOf(text[i]);
        if (c < u'0' || c > u'9') {
            return false;
        }
        v = v * 10 + (c - u'0');
        if (v > 2147483648LL) {
            return false;
        }
    }
    v = negative ? -v : v;
    if (v > 2147483647LL) {
        return false;
    }
    *value = static_cast<std::int32_t>(v);
    return true;
}

// Keeps the table's batch open for the whole read, so that the grid learns of the new rows
// once, at the end, whatever way the read ends.
class AppendBatch {
public:
    explicit AppendBatch(RecordTable* table) : m_table(table) { m_table->beginAppendBatch(); }
    ~AppendBatch() { m_table->endAppendBatch(); }
    AppendBatch(const AppendBatch&) = delete;
    AppendBatch& operator=(const AppendBatch&) = delete;

private:
    RecordTable* m_table;
};

// The 8-bit text of a piece of a text file.
class PieceDecoder {
public:
    explicit PieceDecoder(QStringConverter::Encoding encoding) : m_encoding(encoding) {}

    bool operator()(QByteArrayView piece, QString* text) const {
        for (const char c : piece) {
            if (static_cast<unsigned char>(c) >= 128) {
                QStringDecoder decoder(m_encoding);
                *text = decoder(piece);
                return true;
            }
        }
        *text = QString::fromLatin1(piece);
        return true;
    }

private:
    QStringConverter::Encoding m_encoding;
};

bool readTextLine(QByteArrayView line, const PieceDecoder& decode, RawTextIds* ids,
                  std::vector<QByteArrayView>* pieces, RecordTable* table) {
    splitPieces(line, QByteArrayView("\t", 1), pieces, recordFieldCount + 1);
    if (pieces->size() > static_cast<std::size_t>(recordFieldCount)) {
        return false;
    }
    RecordTable::EncodedRow row;
    row.hasNumber = parseWholeNumber((*pieces)[0], &row.number);
    if (!row.hasNumber) {
        return false;
    }
    if (pieces->size() > 1) {
        QString time;
        decode((*pieces)[1], &time);
        row.time = table->encodeTime(time);
    }
    for (std::size_t i = 2; i < pieces->size(); ++i) {
        ids->id(static_cast<int>(i), (*pieces)[i], decode, &row.texts[i - 2]);
    }
    table->appendEncoded(row);
    return true;
}

// One field the packet describes: its name and whether its values are whole numbers.
struct PacketField {
    QString name;
    bool integer = false;
};

bool isIntegerFieldType(QStringView type) {
    return type == u"i4" || type == u"i2" || type == u"i1" || type == u"i8" || type == u"ui1" ||
           type == u"ui2" || type == u"ui4" || type == u"ui8";
}

bool readPacketFields(QXmlStreamReader* xml, std::vector<PacketField>* fields) {
    while (xml->readNextStartElement()) {
        if (xml->name() != u"FIELD") {
            xml->skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes attributes = xml->attributes();
        if (!attributes.hasAttribute(QStringLiteral("attrname")) ||
            !attributes.hasAttribute(QStringLiteral("fieldtype"))) {
            return false;
        }
        fields->push_back({attributes.value(QStringLiteral("attrname")).toString(),
                           isIntegerFieldType(attributes.value(QStringLiteral("fieldtype")))});
        xml->skipCurrentElement();
    }
    return !xml->hasError();
}

bool readPacketMetadata(QXmlStreamReader* xml, std::vector<PacketField>* fields) {
    bool haveFields = false;
    while (xml->readNextStartElement()) {
        if (xml->name() == u"FIELDS" && !haveFields) {
            haveFields = readPacketFields(xml, fields);
            if (!haveFields) {
                return false;
            }
        } else {
            xml->skipCurrentElement();
        }
    }
    return haveFields && !xml->hasError();
}

// One ROW of the packet copied by field position into a new row of the table.
bool readPacketRow(const QXmlStreamAttributes& attributes, const std::vector<PacketField>& fields,
                   RecordTable* table) {
    if (fields.size() > static_cast<std::size_t>(recordFieldCount)) {
        return false;
    }
    RecordTable::EncodedRow row;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const PacketField& field = fields[f];
        QStringView value;
        bool present = false;
        for (const QXmlStreamAttribute& a : attributes) {
            if (a.name() == field.name) {
                value = a.value();
                present = true;
                break;
            }
        }
        if (!present) {
            continue;
        }
        std::int32_t number = 0;
        const bool isNumber = parseWholeNumber(value, &number);
        if (field.integer && !isNumber) {
            return false;
        }
        if (f == aNO) {
            if (!isNumber) {
                return false;
            }
            row.hasNumber = true;
            row.number = number;
            continue;
        }
        const QString text = field.integer ? QString::number(number) : value.toString();
        if (f == aTime) {
            row.time = table->encodeTime(text);
        } else {
            row.texts[f - 2] = table->internText(text);
        }
    }
    table->appendEncoded(row);
    return true;
}

bool readPacket(QXmlStreamReader* xml, RecordTable* table) {
    if (!xml->readNextStartElement() || xml->name() != u"DATAPACKET") {
        return false;
    }
    std::vector<PacketField> fields;
    bool haveMetadata = false;
    bool haveRows = false;
    while (xml->readNextStartElement()) {
        if (xml->name() == u"METADATA" && !haveMetadata) {
            haveMetadata = readPacketMetadata(xml, &fields);
            if (!haveMetadata) {
                return false;
            }
        } else if (xml->name() == u"ROWDATA" && haveMetadata && !haveRows) {
            haveRows = true;
            while (xml->readNextStartElement()) {
                if (xml->name() == u"ROW" && !readPacketRow(xml->attributes(), fields, table)) {
                    return false;
                }
                xml->skipCurrentElement();
            }
        } else {
            xml->skipCurrentElement();
        }
    }
    if (!haveRows || xml->hasError()) {
        return false;
    }
    // Only whitespace, comments and processing instructions may follow the packet.
    while (!xml->atEnd()) {
        xml->readNext();
    }
    return !xml->hasError();
}

bool isUtf8(QStringConverter::Encoding encoding) {
#ifdef Q_OS_WIN
    return encoding == QStringConverter::Utf8;
#else
    return encoding == QStringConverter::Utf8 || encoding == QStringConverter::System;
#endif
}

} // namespace

bool readRecordText(QByteArrayView bytes, RecordTable* table, QStringConverter::Encoding encoding) {
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0) {
        bytes = bytes.first(nul);
    }
    if (bytes.isEmpty()) {
        return false; // no header line to remove
    }
    AppendBatch batch(table);
    const PieceDecoder decode(encoding);
    RawTextIds ids(table);
    std::vector<QByteArrayView> pieces;
    bool header = true;
    qsizetype pos = 0;
    const qsizetype size = bytes.size();
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
        const QByteArrayView line = bytes.sliced(pos, end - pos);
        pos = end + ((end + 1 < size && bytes[end] == '\r' && bytes[end + 1] == '\n') ? 2 : 1);
        if (header) {
            header = false;
            continue;
        }
        if (!readTextLine(line, decode, &ids, &pieces, table)) {
            return false;
        }
    }
    return true;
}

bool readRecordXmlGeneral(QByteArrayView bytes, RecordTable* table,
                          QStringConverter::Encoding encoding) {
    AppendBatch batch(table);
    const QByteArray raw = QByteArray::fromRawData(bytes.data(), bytes.size());
    if (isUtf8(encoding)) {
        QXmlStreamReader xml(raw);
        return readPacket(&xml, table);
    }
    // The declaration names no encoding; the file holds the locale's 8-bit text.
    QStringDecoder decoder(encoding);
    QXmlStreamReader xml(QString(decoder(raw)));
    return readPacket(&xml, table);
}

bool readRecordXml(QByteArrayView bytes, RecordTable* table, QStringConverter::Encoding encoding) {
    AppendBatch batch(table);
    if (isUtf8(encoding)) {
        const int before = table->rowCount();
        if (readOwnRecordXml(bytes, table)) {
            return true;
        }
        table->discardBatchRowsFrom(before);
    }
    return readRecordXmlGeneral(bytes, table, encoding);
}

bool loadRecordFile(const QString& fileName, RecordTable* table,
                    QStringConverter::Encoding encoding) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // A file is mapped rather than copied: a week of readings is over 100 MB of XML.
    QByteArray copy;
    QByteArrayView bytes;
    const qint64 size = file.size();
    uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (mapped != nullptr) {
        bytes = QByteArrayView(reinterpret_cast<const char*>(mapped), size);
    } else {
        copy = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            return false;
        }
        bytes = copy;
    }
    return recordFileFormat(fileName) == RecordFileFormat::Xml
               ? readRecordXml(bytes, table, encoding)
               : readRecordText(bytes, table, encoding);
}
