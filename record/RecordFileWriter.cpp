#include "RecordFileWriter.h"

#include "RecordTable.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>
#include <QStringEncoder>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr qsizetype chunkSize = 1 << 20;

// Collects bytes and hands them to the device a megabyte at a time.
class ChunkedOutput {
public:
    explicit ChunkedOutput(QIODevice* out) : m_out(out), m_buffer(chunkSize) {}

    void add(const char* data, qsizetype n) {
        if (m_used + n > chunkSize) {
            flush();
            if (n > chunkSize) {
                m_ok = m_ok && m_out->write(data, n) == n;
                return;
            }
        }
        std::memcpy(m_buffer.data() + m_used, data, static_cast<std::size_t>(n));
        m_used += n;
    }
    void add(const QByteArray& bytes) { add(bytes.constData(), bytes.size()); }
    void add(char c) {
        if (m_used == chunkSize) {
            flush();
        }
        m_buffer[static_cast<std::size_t>(m_used++)] = c;
    }
    void addNumber(long long n) {
        char digits[24];
        const int len = std::snprintf(digits, sizeof digits, "%lld", n);
        add(digits, len);
    }
    bool flush() {
        if (m_ok && m_used > 0) {
            m_ok = m_out->write(m_buffer.data(), m_used) == m_used;
        }
        m_used = 0;
        return m_ok;
    }

private:
    QIODevice* m_out;
    std::vector<char> m_buffer;
    qsizetype m_used = 0;
    bool m_ok = true;
};

QString trimmedLow(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from].unicode() <= 32) {
        ++from;
    }
    while (to > from && text[to - 1].unicode() <= 32) {
        --to;
    }
    return text.mid(from, to - from);
}

QByteArray xmlEscaped(const QByteArray& bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            out += "&#013;";
            break;
        case '\n':
            out += "&#010;";
            break;
        case '\t':
            out += "&#009;";
            break;
        case '\\':
            out += "&#092;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The bytes of every field value of one table in one file form, worked out once per
// distinct text: a long table repeats a few dozen texts a million times.
class FieldBytes {
public:
    FieldBytes(const RecordTable& table, QStringConverter::Encoding encoding, bool xml)
        : m_table(table), m_encoder(encoding), m_xml(xml), m_cache(table.poolSize() + 1),
          m_cached(table.poolSize() + 1, false) {}

    const QByteArray& text(RecordTable::TextId id) {
        if (!m_cached[id]) {
            m_cache[id] =
                id == RecordTable::nullText ? QByteArray() : convert(m_table.poolText(id));
            m_cached[id] = true;
        }
        return m_cache[id];
    }

    void time(std::uint64_t code, ChunkedOutput* out) {
        if (!RecordTable::isPackedTime(code)) {
            out->add(text(static_cast<RecordTable::TextId>(code)));
            return;
        }
        char16_t chars[19];
        RecordTable::unpackTime(code, chars);
        const char16_t sep = chars[13];
        const bool plain = sep > 32 && sep < 128 && std::strchr("<>&'\"\\", sep) == nullptr;
        if (plain) {
            char bytes[19];
            for (int i = 0; i < 19; ++i) {
                bytes[i] = static_cast<char>(chars[i]);
            }
            out->add(bytes, 19);
        } else {
            out->add(convert(QString(reinterpret_cast<const QChar*>(chars), 19)));
        }
    }

    QByteArray convert(const QString& text) {
        if (m_xml) {
            return xmlEscaped(m_encoder(text));
        }
        return m_encoder(trimmedLow(text));
    }

private:
    const RecordTable& m_table;
    QStringEncoder m_encoder;
    bool m_xml;
    std::vector<QByteArray> m_cache;
    std::vector<bool> m_cached;
};

} // namespace

QStringList defaultRecordHeader() {
    QStringList header;
    for (const QString& title : recordColumnTitles()) {
        header << title;
    }
    return header;
}

const QByteArray& recordXmlHead() {
    static const QByteArray head = [] {
        QByteArray h = R"(<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0">)"
                       "<METADATA><FIELDS>";
        const auto& names = recordFieldNames();
        for (int f = 0; f < recordFieldCount; ++f) {
            h += "<FIELD attrname=\"" + names[static_cast<std::size_t>(f)].toLatin1();
            h += f == aNO ? "\" fieldtype=\"i4\"/>" : "\" fieldtype=\"string\" WIDTH=\"20\"/>";
        }
        return h + "</FIELDS>";
    }();
    return head;
}

bool writeRecordText(const RecordTable& table, const QStringList& header, QIODevice* out,
                     QStringConverter::Encoding encoding) {
    FieldBytes bytes(table, encoding, false);
    ChunkedOutput output(out);
    output.add(bytes.convert(header.join(u'\t')));
    output.add("\r\n", 2);
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        if (const auto n = table.number(row)) {
            output.addNumber(*n);
        }
        output.add('\t');
        bytes.time(table.timeCode(row), &output);
        for (int f = aMMode; f <= aFreq; ++f) {
            output.add('\t');
            output.add(bytes.text(table.textId(row, static_cast<RecordField>(f))));
        }
        output.add("\r\n", 2);
    }
    return output.flush();
}

bool writeRecordXml(const RecordTable& table, QIODevice* out, QStringConverter::Encoding encoding) {
    FieldBytes bytes(table, encoding, true);
    ChunkedOutput output(out);
    output.add(recordXmlHead());
    output.add("<PARAMS");
    const int logged = table.insertionLogSize();
    if (logged > 0) {
        output.add(" CHANGE_LOG=\"");
        for (int i = 1; i <= logged; ++i) {
            if (i > 1) {
                output.add(' ');
            }
            output.addNumber(i);
            output.add(" 0 4", 4);
        }
        output.add('"');
    }
    output.add("/></METADATA><ROWDATA>");
    const auto& names = recordFieldNames();
    std::array<QByteArray, recordFieldCount> prefixes;
    for (int f = 0; f < recordFieldCount; ++f) {
        prefixes[static_cast<std::size_t>(f)] =
            ' ' + names[static_cast<std::size_t>(f)].toLatin1() + "=\"";
    }
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        output.add("<ROW RowState=\"4\"");
        if (const auto n = table.number(row)) {
            output.add(prefixes[aNO]);
            output.addNumber(*n);
            output.add('"');
        }
        const std::uint64_t time = table.timeCode(row);
        if (time != RecordTable::nullText) {
            output.add(prefixes[aTime]);
            bytes.time(time, &output);
            output.add('"');
        }
        for (int f = aMMode; f <= aFreq; ++f) {
            const RecordTable::TextId id = table.textId(row, static_cast<RecordField>(f));
            if (id != RecordTable::nullText) {
                output.add(prefixes[static_cast<std::size_t>(f)]);
                output.add(bytes.text(id));
                output.add('"');
            }
        }
        output.add("/>", 2);
    }
    output.add("</ROWDATA></DATAPACKET>");
    return output.flush();
}

RecordSaveResult saveRecordFile(const RecordTable& table, const QString& fileName,
                                const QStringList& header, QStringConverter::Encoding encoding) {
    RecordSaveResult result;
    result.fileName = recordSaveFileName(fileName);
    result.format = recordFileFormat(result.fileName);
    const auto write = [&](QIODevice* out) {
        return result.format == RecordFileFormat::Xml
                   ? writeRecordXml(table, out, encoding)
                   : writeRecordText(table, header, out, encoding);
    };
    const QFileInfo info(result.fileName);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        QFile file(result.fileName);
        result.ok =
            file.open(QIODevice::WriteOnly | QIODevice::Truncate) && write(&file) && file.flush();
        file.close();
        if (!result.ok || file.error() != QFileDevice::NoError) {
            result.ok = false;
            result.error = file.errorString();
        }
        return result;
    }
    QSaveFile file(result.fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (!write(&file)) {
        result.error = file.errorString();
        file.cancelWriting();
        return result;
    }
    result.ok = file.commit();
    if (!result.ok) {
        result.error = file.errorString();
    }
    return result;
}
