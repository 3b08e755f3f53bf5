#pragma once

#include "RecordTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <array>
#include <cstring>

// The stored text ids of a file's raw field bytes, for the readers: each distinct byte
// string is decoded and interned once. Most rows repeat the previous row's mode, unit and
// frequency, so each field first compares with its own last value.
class RawTextIds {
public:
    explicit RawTextIds(RecordTable* table) : m_table(table) {}

    // decode(raw, &text) turns the raw bytes into the text; false rejects them.
    template <typename Decode>
    bool id(int field, QByteArrayView raw, Decode decode, RecordTable::TextId* id) {
        Last& last = m_last[static_cast<std::size_t>(field)];
        if (last.id != RecordTable::nullText && raw.size() == last.raw.size() &&
            std::memcmp(raw.data(), last.raw.constData(), static_cast<std::size_t>(raw.size())) ==
                0) {
            *id = last.id;
            return true;
        }
        const QByteArray key = QByteArray::fromRawData(raw.data(), raw.size());
        auto it = m_ids.constFind(key);
        if (it == m_ids.constEnd()) {
            QString text;
            if (!decode(raw, &text)) {
                return false;
            }
            it = m_ids.insert(QByteArray(raw.data(), raw.size()), m_table->internText(text));
        }
        last.raw = it.key();
        last.id = it.value();
        *id = last.id;
        return true;
    }

private:
    struct Last {
        QByteArray raw;
        RecordTable::TextId id = RecordTable::nullText;
    };
    RecordTable* m_table;
    QHash<QByteArray, RecordTable::TextId> m_ids;
    std::array<Last, recordFieldCount> m_last;
};
