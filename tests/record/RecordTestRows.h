#pragma once

#include "RecordTable.h"

#include <QString>
#include <QStringList>

// A row of the table as one text: fields joined by "|", a null field written as "~".
inline QString rowText(const RecordTable& table, int row) {
    QStringList fields;
    for (int f = 0; f < recordFieldCount; ++f) {
        const auto text = table.text(row, static_cast<RecordField>(f));
        fields << (text ? *text : QStringLiteral("~"));
    }
    return fields.join(u'|');
}

inline QStringList allRows(const RecordTable& table) {
    QStringList rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        rows << rowText(table, r);
    }
    return rows;
}

// Appends a row given as "|"-separated texts ("~" for null; the first one is aNO).
inline void appendRowText(RecordTable* table, const QString& text) {
    const QStringList fields = text.split(u'|');
    RecordValues values;
    if (fields.value(0) != u"~") {
        values.aNO = fields.value(0).toInt();
    }
    for (int f = 1; f < recordFieldCount; ++f) {
        if (f < fields.size() && fields[f] != u"~") {
            values.texts[static_cast<std::size_t>(f - 1)] = fields[f];
        }
    }
    table->append(values);
}
