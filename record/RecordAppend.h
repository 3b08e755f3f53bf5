#pragma once

#include "RecordRow.h"

class RecordTable;

// AppendRecord's table step: appends a row of the given texts numbered one past the rows
// the table holds (rows opened from files count too; their own numbers are not looked at).
void appendRecordRow(RecordTable* table, const RecordRowTexts& texts);
