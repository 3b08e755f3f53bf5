#pragma once

#include <QStringList>

// velor-cli decode [FILE]: decodes the meter's raw bytes from FILE or standard input.
int runDecodeCommand(const QStringList& args);
