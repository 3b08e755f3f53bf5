#pragma once

#include <QString>

#include <array>

// The nine fields of the record table, in their binding order: files map their columns
// onto fields by position.
enum RecordField : int {
    aNO = 0,
    aTime,
    aMMode,
    aMValue,
    aMUnit,
    aSMode,
    aSValue,
    aSUnit,
    aFreq,
};

inline constexpr int recordFieldCount = 9;
// The eight text fields aTime..aFreq hold at most this many characters.
inline constexpr int recordTextWidth = 20;

// "aNO", "aTime", … — the field names the XML data packet uses.
inline const std::array<QString, recordFieldCount>& recordFieldNames() {
    static const std::array<QString, recordFieldCount> names = {
        QStringLiteral("aNO"),     QStringLiteral("aTime"),  QStringLiteral("aMMode"),
        QStringLiteral("aMValue"), QStringLiteral("aMUnit"), QStringLiteral("aSMode"),
        QStringLiteral("aSValue"), QStringLiteral("aSUnit"), QStringLiteral("aFreq")};
    return names;
}

// The grid's column titles, field by field.
inline const std::array<QString, recordFieldCount>& recordColumnTitles() {
    static const std::array<QString, recordFieldCount> titles = {
        QStringLiteral("NO"),     QStringLiteral("Time"),  QStringLiteral("MMode"),
        QStringLiteral("MValue"), QStringLiteral("MUnit"), QStringLiteral("SMode"),
        QStringLiteral("SValue"), QStringLiteral("SUnit"), QStringLiteral("Freq")};
    return titles;
}

// The grid's initial column widths in pixels; 0 for Freq, which takes the width the
// grid gives a 20-character field.
inline constexpr std::array<int, recordFieldCount> recordColumnWidths = {36, 103, 43, 43, 35,
                                                                         39, 40,  34, 0};
