#pragma once

#include <QStringList>

// velor-cli record: logs the meter's readings live from the first bridge found.
int runRecordCommand(const QStringList& args);
