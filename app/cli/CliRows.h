#pragma once

#include "DecoderHooks.h"

#include <QChar>

#include <cstdint>
#include <cstdio>

// Prints each recorded frame as one tab-separated line with the record file's
// columns: NO, Time, MMode, MValue, MUnit, SMode, SValue, SUnit, Freq.
class CliRowPrinter : public DecoderHooks {
public:
    CliRowPrinter(std::FILE* out, QChar timeSeparator);

    void appendRecord(const MeterReading& reading) override;

    std::int64_t rows() const { return m_rows; }

private:
    std::FILE* m_out;
    QChar m_timeSeparator;
    std::int64_t m_rows = 0;
};

class RecordTable;

// Appends each recorded frame to a record table, as the window's record pane does.
class CliTableRecorder : public DecoderHooks {
public:
    CliTableRecorder(RecordTable* table, QChar timeSeparator);

    void appendRecord(const MeterReading& reading) override;

private:
    RecordTable* m_table;
    QChar m_timeSeparator;
};
