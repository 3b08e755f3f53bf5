#pragma once

#include <QString>

class QWidget;

// The system's own error box: critical icon, title "Error", one OK button. Used for
// the library and file failures ("DLL File is not Exists!", "Failed to Load File!",
// "Cannot create file …"). Modal; returns when the user closes it.
void showSystemError(QWidget* parent, const QString& text);
