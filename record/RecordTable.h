#pragma once

#include "RecordFields.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringConverter>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// One row's field values before the table stores them; a missing value is a null field.
struct RecordValues {
    std::optional<std::int32_t> aNO;
    std::array<std::optional<QString>, recordFieldCount - 1> texts; // aTime … aFreq
};

// The in-memory record table cds1: nine typed fields, rows in the order they were added,
// a current row, and the log of insertions. GUI thread only.
//
// Rows are held in columns of fixed-size codes so that a week of readings (over a million
// rows) stays small: the repeated texts (modes, values, units, frequencies) are interned
// once and referred to by a 32-bit id, and a time stamp of the form the table itself writes
// ("2011-05-23 17:04:09") is packed into 64 bits. About 40 bytes per row.
class RecordTable : public QObject {
    Q_OBJECT
public:
    // A text field's stored code: 0 is null; other ids index the text pool.
    using TextId = std::uint32_t;
    static constexpr TextId nullText = 0;

    // A row in stored form, ready to append without further conversion.
    struct EncodedRow {
        bool hasNumber = false;
        std::int32_t number = 0;
        std::uint64_t time = nullText;
        std::array<TextId, recordFieldCount - 2> texts{}; // aMMode … aFreq
    };

    // Texts are stored in the 8-bit encoding given (the locale's by default): a character
    // the encoding lacks becomes "?".
    explicit RecordTable(QStringConverter::Encoding encoding = QStringConverter::System,
                         QObject* parent = nullptr);

    int rowCount() const { return static_cast<int>(m_time.size()); }
    bool isEmpty() const { return m_time.empty(); }

    // Appends and stores one row; it becomes the current row and is logged as inserted.
    void append(const RecordValues& values);
    void appendEncoded(const EncodedRow& row);
    // Removes every row and the log of insertions.
    void clear();

    // Appends made between these two calls are announced once, as one range, at the end.
    void beginAppendBatch();
    void endAppendBatch();
    // Inside a batch: drops the rows appended in it from position rowCount on, before
    // anyone heard of them (a reader that tried one way of reading and starts over).
    void discardBatchRowsFrom(int rowCount);

    // The text as the table stores it: through the 8-bit encoding, cut to 20 characters,
    // trailing blanks dropped.
    QString storedText(QStringView text) const;
    TextId internText(QStringView text);
    std::uint64_t encodeTime(QStringView text);

    // Field values. A null field gives std::nullopt.
    std::optional<std::int32_t> number(int row) const;
    std::optional<QString> text(int row, RecordField field) const;
    bool isNull(int row, RecordField field) const;

    // Raw access for writers that cache per text id.
    TextId textId(int row, RecordField field) const; // aMMode … aFreq
    std::uint64_t timeCode(int row) const { return m_time[static_cast<std::size_t>(row)]; }
    const QString& poolText(TextId id) const { return m_pool[id - 1]; }
    std::size_t poolSize() const { return m_pool.size(); }
    static bool isPackedTime(std::uint64_t code) { return (code >> 63) != 0; }
    // Writes a packed time as its 19 characters into out (Latin-1 range characters).
    static void unpackTime(std::uint64_t code, char16_t out[19]);

    // The log of insertions: rows are never edited or deleted one by one, so the log is
    // the positions 1 … n of the rows inserted since the table was last emptied.
    int insertionLogSize() const { return m_logSize; }

    // Navigation over the rows. The current row is -1 while the table is empty.
    int currentRow() const { return m_current; }
    void first();
    void next();
    void last();
    // Makes the row current (the grid's selected row is the table's current row).
    void moveTo(int row);
    bool eof() const { return m_current < 0 || m_current >= rowCount(); }

    // Memory held by the rows and the text pool, in bytes (for the benchmarks).
    std::size_t memoryUsage() const;

signals:
    void rowsAppended(int first, int last);
    void cleared();
    void currentChanged(int row);

private:
    void setCurrent(int row);

    QStringConverter::Encoding m_encoding;
    std::vector<std::int32_t> m_number;
    std::vector<bool> m_hasNumber;
    std::vector<std::uint64_t> m_time;
    std::vector<TextId> m_texts; // seven per row
    std::vector<QString> m_pool;
    QHash<QString, TextId> m_poolIndex;
    int m_logSize = 0;
    int m_current = -1;
    int m_batchDepth = 0;
    int m_batchFirst = -1;
};
