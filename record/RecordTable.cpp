#include "RecordTable.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool isAscii(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() >= 128) {
            return false;
        }
    }
    return true;
}

int digit(QChar c) {
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

// Two or four decimal digits at text[at…]; -1 if any is not a digit.
int digits(QStringView text, int at, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const int d = digit(text[at + i]);
        if (d < 0) {
            return -1;
        }
        value = value * 10 + d;
    }
    return value;
}

// Layout of a packed time stamp "YYYY-MM-DD HH:MM:SS": flag in bit 63, the time separator
// (a Latin-1 character) in bits 49..56, the year in 35..48, then month, day, hour, minute
// and second in seven bits each, so that any two-digit text comes back exactly.
constexpr std::uint64_t packedFlag = std::uint64_t{1} << 63;
constexpr int twoDigitOffsets[5] = {5, 8, 11, 14, 17};
constexpr int twoDigitShifts[5] = {28, 21, 14, 7, 0};

std::uint64_t packTime(QStringView s) {
    if (s.size() != 19 || s[4] != u'-' || s[7] != u'-' || s[10] != u' ' || s[13] != s[16] ||
        s[13].unicode() >= 256) {
        return 0;
    }
    const int year = digits(s, 0, 4);
    if (year < 0) {
        return 0;
    }
    std::uint64_t code =
        packedFlag | std::uint64_t{s[13].unicode()} << 49 | static_cast<std::uint64_t>(year) << 35;
    for (int i = 0; i < 5; ++i) {
        const int v = digits(s, twoDigitOffsets[i], 2);
        if (v < 0) {
            return 0;
        }
        code |= static_cast<std::uint64_t>(v) << twoDigitShifts[i];
    }
    return code;
}

} // namespace

RecordTable::RecordTable(QStringConverter::Encoding encoding, QObject* parent)
    : QObject(parent), m_encoding(encoding) {}

QString RecordTable::storedText(QStringView text) const {
    QString s;
    if (isAscii(text)) {
        s = text.toString();
    } else {
        QStringEncoder encoder(m_encoding);
        const QByteArray bytes = encoder(text);
        QStringDecoder decoder(m_encoding);
        s = decoder(bytes);
    }
    // Cut to 20 characters (a surrogate pair is one character), then drop trailing blanks.
    qsizetype end = 0;
    for (int count = 0; end < s.size() && count < recordTextWidth; ++count) {
        end += (s[end].isHighSurrogate() && end + 1 < s.size()) ? 2 : 1;
    }
    while (end > 0 && s[end - 1] == u' ') {
        --end;
    }
    s.truncate(end);
    return s;
}

RecordTable::TextId RecordTable::internText(QStringView text) {
    QString stored = storedText(text);
    const auto it = m_poolIndex.constFind(stored);
    if (it != m_poolIndex.constEnd()) {
        return it.value();
    }
    m_pool.push_back(stored);
    const auto id = static_cast<TextId>(m_pool.size());
    m_poolIndex.insert(std::move(stored), id);
    return id;
}

std::uint64_t RecordTable::encodeTime(QStringView text) {
    const std::uint64_t packed = packTime(text);
    return packed != 0 ? packed : internText(text);
}

void RecordTable::unpackTime(std::uint64_t code, char16_t out[19]) {
    const auto put = [out](int at, int value, int count) {
        for (int i = count - 1; i >= 0; --i) {
            out[at + i] = static_cast<char16_t>(u'0' + value % 10);
            value /= 10;
        }
    };
    put(0, static_cast<int>(code >> 35 & 0x3FFF), 4);
    for (int i = 0; i < 5; ++i) {
        put(twoDigitOffsets[i], static_cast<int>(code >> twoDigitShifts[i] & 0x7F), 2);
    }
    const auto separator = static_cast<char16_t>(code >> 49 & 0xFF);
    out[4] = u'-';
    out[7] = u'-';
    out[10] = u' ';
    out[13] = separator;
    out[16] = separator;
}

void RecordTable::append(const RecordValues& values) {
    EncodedRow row;
    row.hasNumber = values.aNO.has_value();
    row.number = values.aNO.value_or(0);
    row.time = values.texts[0] ? encodeTime(*values.texts[0]) : nullText;
    for (std::size_t i = 0; i < row.texts.size(); ++i) {
        const auto& t = values.texts[i + 1];
        row.texts[i] = t ? internText(*t) : nullText;
    }
    appendEncoded(row);
}

void RecordTable::appendEncoded(const EncodedRow& row) {
    m_number.push_back(row.number);
    m_hasNumber.push_back(row.hasNumber);
    m_time.push_back(row.time);
    m_texts.insert(m_texts.end(), row.texts.begin(), row.texts.end());
    ++m_logSize;
    const int at = rowCount() - 1;
    if (m_batchDepth > 0) {
        if (m_batchFirst < 0) {
            m_batchFirst = at;
        }
        m_current = at;
        return;
    }
    emit rowsAppended(at, at);
    setCurrent(at);
}

void RecordTable::beginAppendBatch() {
    ++m_batchDepth;
}

void RecordTable::endAppendBatch() {
    if (m_batchDepth == 0 || --m_batchDepth > 0) {
        return;
    }
    if (m_batchFirst >= 0) {
        const int from = m_batchFirst;
        m_batchFirst = -1;
        emit rowsAppended(from, rowCount() - 1);
        m_current = -1;
        setCurrent(rowCount() - 1);
    }
}

void RecordTable::discardBatchRowsFrom(int rows) {
    if (m_batchDepth == 0 || m_batchFirst < 0 || rows < m_batchFirst || rows >= rowCount()) {
        return;
    }
    const auto n = static_cast<std::size_t>(rows);
    m_logSize -= rowCount() - rows;
    m_number.resize(n);
    m_hasNumber.resize(n);
    m_time.resize(n);
    m_texts.resize(n * 7);
    m_current = rows - 1;
    if (rows == m_batchFirst) {
        m_batchFirst = -1;
    }
}

void RecordTable::clear() {
    m_number = {};
    m_hasNumber = {};
    m_time = {};
    m_texts = {};
    m_pool = {};
    m_poolIndex = {};
    m_logSize = 0;
    m_batchFirst = -1;
    m_current = -1;
    emit cleared();
    emit currentChanged(-1);
}

std::optional<std::int32_t> RecordTable::number(int row) const {
    const auto r = static_cast<std::size_t>(row);
    return m_hasNumber[r] ? std::optional<std::int32_t>(m_number[r]) : std::nullopt;
}

RecordTable::TextId RecordTable::textId(int row, RecordField field) const {
    return m_texts[static_cast<std::size_t>(row) * 7 + static_cast<std::size_t>(field - aMMode)];
}

std::optional<QString> RecordTable::text(int row, RecordField field) const {
    if (field == aNO) {
        const auto n = number(row);
        return n ? std::optional<QString>(QString::number(*n)) : std::nullopt;
    }
    if (field == aTime) {
        const std::uint64_t code = timeCode(row);
        if (isPackedTime(code)) {
            char16_t chars[19];
            unpackTime(code, chars);
            return QString(reinterpret_cast<const QChar*>(chars), 19);
        }
        const auto id = static_cast<TextId>(code);
        return id == nullText ? std::nullopt : std::optional<QString>(poolText(id));
    }
    const TextId id = textId(row, field);
    return id == nullText ? std::nullopt : std::optional<QString>(poolText(id));
}

bool RecordTable::isNull(int row, RecordField field) const {
    switch (field) {
    case aNO:
        return !m_hasNumber[static_cast<std::size_t>(row)];
    case aTime:
        return timeCode(row) == nullText;
    default:
        return textId(row, field) == nullText;
    }
}

void RecordTable::setCurrent(int row) {
    if (row != m_current) {
        m_current = row;
        emit currentChanged(row);
    }
}

void RecordTable::first() {
    setCurrent(isEmpty() ? -1 : 0);
}

void RecordTable::next() {
    if (!eof()) {
        // Moving past the last row reaches the end; the signal reports the row it stopped at.
        m_current = m_current + 1;
        if (m_current < rowCount()) {
            emit currentChanged(m_current);
        }
    }
}

void RecordTable::last() {
    setCurrent(rowCount() - 1);
}

std::size_t RecordTable::memoryUsage() const {
    std::size_t bytes = m_number.capacity() * sizeof(std::int32_t) + m_hasNumber.capacity() / 8 +
                        m_time.capacity() * sizeof(std::uint64_t) +
                        m_texts.capacity() * sizeof(TextId) + m_pool.capacity() * sizeof(QString);
    for (const QString& s : m_pool) {
        bytes += static_cast<std::size_t>(s.capacity()) * 2 + 32;
    }
    // A hash node holds a key, a value and bookkeeping.
    bytes += static_cast<std::size_t>(m_poolIndex.capacity()) * (sizeof(QString) + 16);
    return bytes;
}

void RecordTable::moveTo(int row) {
    if (row >= 0 && row < rowCount()) {
        setCurrent(row);
    }
}
