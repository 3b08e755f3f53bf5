#include "RecordXmlFastPath.h"

#include "RawTextIds.h"
#include "RecordFileWriter.h"
#include "RecordTable.h"

#include <QStringDecoder>

#include <cstring>

namespace {

// A cursor over the packet's bytes.
class Scanner {
public:
    explicit Scanner(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    bool take(QByteArrayView literal) {
        const qsizetype n = literal.size();
        if (m_pos + n <= m_bytes.size() && m_bytes[m_pos] == literal[0] &&
            std::memcmp(m_bytes.data() + m_pos, literal.data(), static_cast<std::size_t>(n)) == 0) {
            m_pos += literal.size();
            return true;
        }
        return false;
    }
    // The bytes up to the next double quote, which is consumed; false at the end.
    bool takeQuoted(QByteArrayView* value) {
        const qsizetype end = m_bytes.indexOf('"', m_pos);
        if (end < 0) {
            return false;
        }
        *value = m_bytes.sliced(m_pos, end - m_pos);
        m_pos = end + 1;
        return true;
    }
    // A field name followed by =", as index into the field names; -1 when it is none.
    // The search starts at the field expected next, as the writer writes them in order.
    int takeFieldName(int expected) {
        const qsizetype eq = m_bytes.indexOf('=', m_pos);
        if (eq < 0 || eq + 1 >= m_bytes.size() || m_bytes[eq + 1] != '"') {
            return -1;
        }
        const QByteArrayView name = m_bytes.sliced(m_pos, eq - m_pos);
        for (int i = 0; i < recordFieldCount; ++i) {
            const int f = (expected + i) % recordFieldCount;
            const QByteArray& candidate = fieldNames()[static_cast<std::size_t>(f)];
            if (name.size() == candidate.size() &&
                std::memcmp(name.data(), candidate.constData(), name.size()) == 0) {
                m_pos = eq + 2;
                return f;
            }
        }
        return -1;
    }

private:
    static const std::array<QByteArray, recordFieldCount>& fieldNames() {
        static const std::array<QByteArray, recordFieldCount> names = [] {
            std::array<QByteArray, recordFieldCount> n;
            for (int f = 0; f < recordFieldCount; ++f) {
                n[static_cast<std::size_t>(f)] =
                    recordFieldNames()[static_cast<std::size_t>(f)].toLatin1();
            }
            return n;
        }();
        return names;
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

// An attribute value as the writer escapes it, back to its text; false for anything the
// writer never writes (other references, markup, control characters, bad UTF-8).
bool unescape(QByteArrayView value, QString* text) {
    static const struct {
        const char* escape;
        char c;
    } escapes[] = {{"&lt;", '<'},    {"&gt;", '>'},    {"&amp;", '&'},
                   {"&apos;", '\''}, {"&quot;", '"'},  {"&#013;", '\r'},
                   {"&#010;", '\n'}, {"&#009;", '\t'}, {"&#092;", '\\'}};
    QByteArray bytes;
    bytes.reserve(value.size());
    bool ascii = true;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c == '&') {
            bool known = false;
            for (const auto& e : escapes) {
                if (value.sliced(i).startsWith(e.escape)) {
                    bytes += e.c;
                    i += static_cast<qsizetype>(std::strlen(e.escape)) - 1;
                    known = true;
                    break;
                }
            }
            if (!known) {
                return false;
            }
        } else if (c == '<' || c < 0x20 || c == 0x7F) {
            return false;
        } else {
            ascii = ascii && c < 0x80;
            bytes += static_cast<char>(c);
        }
    }
    if (ascii) {
        *text = QString::fromLatin1(bytes);
        return true;
    }
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    *text = decoder(bytes);
    return !decoder.hasError();
}

bool parseNumber(QByteArrayView value, std::int32_t* number) {
    bool ok = false;
    const int n = value.toInt(&ok, 10);
    // toInt takes blanks around the digits; the writer writes none.
    if (!ok || value.isEmpty() || value.front() == ' ' || value.back() == ' ' ||
        value.front() == '+') {
        return false;
    }
    *number = n;
    return true;
}

// A time stamp's stored code; nullText when the value is not in the writer's form.
std::uint64_t timeCode(QByteArrayView value, RecordTable* table) {
    if (value.size() == 19) {
        // The common case, a stamp of plain characters, without building a string.
        char16_t chars[19];
        bool plain = true;
        for (int i = 0; i < 19; ++i) {
            const auto c = static_cast<unsigned char>(value[i]);
            plain = plain && c >= 0x20 && c < 0x7F && c != '&' && c != '<';
            chars[i] = c;
        }
        if (plain) {
            return table->encodeTime(QStringView(chars, 19));
        }
    }
    QString text;
    if (!unescape(value, &text)) {
        return RecordTable::nullText;
    }
    return table->encodeTime(text); // never null: an empty stamp is the empty text
}

bool readRow(Scanner* in, RawTextIds* ids, RecordTable* table) {
    RecordTable::EncodedRow row;
    unsigned seen = 0;
    int expected = 0;
    while (!in->take("/>")) {
        if (!in->take(" ")) {
            return false;
        }
        const int field = in->takeFieldName(expected);
        QByteArrayView value;
        if (field < 0 || (seen & (1u << field)) != 0 || !in->takeQuoted(&value)) {
            return false;
        }
        seen |= 1u << field;
        expected = field + 1;
        if (field == aNO) {
            if (!parseNumber(value, &row.number)) {
                return false;
            }
            row.hasNumber = true;
        } else if (field == aTime) {
            row.time = timeCode(value, table);
            if (row.time == RecordTable::nullText) {
                return false;
            }
        } else if (!ids->id(field, value, unescape,
                            &row.texts[static_cast<std::size_t>(field - aMMode)])) {
            return false;
        }
    }
    table->appendEncoded(row);
    return true;
}

} // namespace

bool readOwnRecordXml(QByteArrayView bytes, RecordTable* table) {
    Scanner in(bytes);
    if (!in.take(recordXmlHead()) || !in.take("<PARAMS")) {
        return false;
    }
    if (in.take(" CHANGE_LOG=\"")) {
        QByteArrayView log;
        if (!in.takeQuoted(&log)) {
            return false;
        }
        for (const char c : log) {
            if (c != ' ' && (c < '0' || c > '9')) {
                return false;
            }
        }
    }
    if (!in.take("/></METADATA><ROWDATA>")) {
        return false;
    }
    RawTextIds ids(table);
    while (!in.take("</ROWDATA></DATAPACKET>")) {
        if (!in.take("<ROW RowState=\"4\"") || !readRow(&in, &ids, table)) {
            return false;
        }
    }
    return in.atEnd();
}
